#include "com/Registration.h"

#include <oleauto.h>
#include <shlwapi.h>

#include <vector>

namespace velmora::com {

namespace {

HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY h = nullptr;
    LONG r = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    if (r != ERROR_SUCCESS) return HRESULT_FROM_WIN32(r);
    r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return HRESULT_FROM_WIN32(r);
}

HRESULT DeleteTree(const std::wstring& key) {
    const DWORD r = SHDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(r);
}

std::wstring ReadDefault(const std::wstring& key) {
    wchar_t text[128] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (SHGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, &type, text, &size) != ERROR_SUCCESS || type != REG_SZ)
        return L"";
    return text;
}

struct Entry {
    std::wstring key;
    const wchar_t* name;  // null for the key's default value
    std::wstring value;
};

std::vector<Entry> Entries(const std::wstring& modulePath, const ServerClass& s) {
    const std::wstring clsid = GuidText(s.clsid);
    const std::wstring cls = L"CLSID\\" + clsid;
    const std::wstring version = std::to_wstring(s.typeLibMajor) + L"." + std::to_wstring(s.typeLibMinor);
    std::vector<Entry> entries = {
        {cls, nullptr, s.description},
        {cls + L"\\InprocServer32", nullptr, modulePath},
        {cls + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {cls + L"\\ProgID", nullptr, s.progId},
        {cls + L"\\TypeLib", nullptr, GuidText(s.typeLib)},
        {cls + L"\\Version", nullptr, version},
        {s.progId, nullptr, s.description},
        {s.progId + L"\\CLSID", nullptr, clsid},
    };
    if (s.control) {
        entries.push_back({cls + L"\\Control", nullptr, L""});
        entries.push_back({cls + L"\\MiscStatus", nullptr, L"0"});
        entries.push_back({cls + L"\\MiscStatus\\1", nullptr, std::to_wstring(s.miscStatus)});
    }
    return entries;
}

HRESULT RemoveKeys(const ServerClass& s) {
    HRESULT hr = DeleteTree(L"CLSID\\" + GuidText(s.clsid));
    // Another server may have taken the ProgID since: leave it to that one.
    const std::wstring owner = ReadDefault(s.progId + L"\\CLSID");
    if (owner.empty() || _wcsicmp(owner.c_str(), GuidText(s.clsid).c_str()) == 0) {
        const HRESULT progHr = DeleteTree(s.progId);
        if (SUCCEEDED(hr)) hr = progHr;
    }
    return hr;
}

SYSKIND ThisSysKind() {
#ifdef _WIN64
    return SYS_WIN64;
#else
    return SYS_WIN32;
#endif
}

}  // namespace

std::wstring GuidText(REFGUID guid) {
    wchar_t text[64];
    return StringFromGUID2(guid, text, 64) ? text : L"";
}

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        // XP neither terminates nor fails when the buffer is too small: grow until it fits.
        if (n < path.size() - 1) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT RegisterServer(HMODULE module, const ServerClass& server) {
    const std::wstring path = ModulePath(module);
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = S_OK;
    for (const Entry& e : Entries(path, server)) {
        hr = SetValue(e.key, e.name, e.value);
        if (FAILED(hr)) break;
    }
    if (SUCCEEDED(hr)) {
        ITypeLib* lib = nullptr;
        hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &lib);
        if (lib) lib->Release();
    }
    if (FAILED(hr)) {
        RemoveKeys(server);
        UnRegisterTypeLib(server.typeLib, server.typeLibMajor, server.typeLibMinor, LANG_NEUTRAL, ThisSysKind());
    }
    return hr;
}

HRESULT UnregisterServer(const ServerClass& server) {
    const HRESULT hr = RemoveKeys(server);
    // A library that is not registered (any more) is no error: systems differ in what
    // UnRegisterTypeLib answers then, so it is asked only about a library that is there.
    const std::wstring version = std::to_wstring(server.typeLibMajor) + L"." + std::to_wstring(server.typeLibMinor);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + GuidText(server.typeLib) + L"\\" + version).c_str(), 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return hr;
    RegCloseKey(key);
    const HRESULT libHr =
        UnRegisterTypeLib(server.typeLib, server.typeLibMajor, server.typeLibMinor, LANG_NEUTRAL, ThisSysKind());
    if (SUCCEEDED(hr) && FAILED(libHr) && libHr != TYPE_E_REGISTRYACCESS && libHr != TYPE_E_LIBNOTREGISTERED)
        return libHr;
    return hr;
}

}  // namespace velmora::com
