#include "platform/win32/Win32Platform.h"

#include <wbemidl.h>

#include <vector>

#include "platform/Strings.h"
#include "platform/win32/ComRef.h"
#include "platform/win32/Win32DesktopCalls.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Shell.h"

namespace velmora::win32 {

// ---- Registry

namespace {

HKEY RootHandle(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users: return HKEY_USERS;
        case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

// Ignored by 32-bit Windows; on 64-bit Windows the 32-bit build then sees the native view.
constexpr REGSAM kView = KEY_WOW64_64KEY;

class Key {
public:
    ~Key() {
        if (h_) RegCloseKey(h_);
    }
    bool Create(const RegistryPath& p) {
        return RegCreateKeyExW(RootHandle(p.root), Widen(p.key).c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView,
                               nullptr, &h_, nullptr) == ERROR_SUCCESS;
    }
    bool Open(RegistryRoot root, const std::string& key, REGSAM access) {
        return RegOpenKeyExW(RootHandle(root), Widen(key).c_str(), 0, access | kView, &h_) == ERROR_SUCCESS;
    }
    HKEY get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

bool SetValue(const std::string& path, DWORD type, const void* data, DWORD size) {
    const auto p = ParseRegistryPath(path);
    Key key;
    if (!p || !key.Create(*p)) return false;
    const std::wstring name = Widen(p->value);
    return RegSetValueExW(key.get(), name.empty() ? nullptr : name.c_str(), 0, type,
                          static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool SetText(const std::string& path, DWORD type, const std::string& value) {
    const std::wstring w = Widen(value);
    return SetValue(path, type, w.c_str(), static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
}

using RegDeleteKeyExWFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

LONG DeleteSubKey(HKEY parent, const std::wstring& name) {
    // Vista and later can name the view; Windows XP has only the plain call.
    static const auto deleteEx = reinterpret_cast<RegDeleteKeyExWFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
    if (deleteEx) return deleteEx(parent, name.c_str(), kView, 0);
    return RegDeleteKeyW(parent, name.c_str());
}

bool DeleteTree(HKEY parent, const std::wstring& name) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | kView, &h) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::vector<std::wstring> children;
    wchar_t child[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(h, i, child, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(child, len);
    }
    for (const auto& c : children) DeleteTree(h, c);
    RegCloseKey(h);
    return DeleteSubKey(parent, name) == ERROR_SUCCESS;
}

}  // namespace

bool Win32Registry::WriteString(const std::string& path, const std::string& value) {
    return SetText(path, REG_SZ, value);
}

bool Win32Registry::WriteExpandString(const std::string& path, const std::string& value) {
    return SetText(path, REG_EXPAND_SZ, value);
}

bool Win32Registry::WriteUnterminatedString(const std::string& path, const std::string& value) {
    const std::wstring w = Widen(value);
    return SetValue(path, REG_SZ, w.c_str(), static_cast<DWORD>(w.size() * sizeof(wchar_t)));
}

bool Win32Registry::WriteDword(const std::string& path, uint32_t value) {
    const DWORD v = value;
    return SetValue(path, REG_DWORD, &v, sizeof v);
}

std::optional<std::string> Win32Registry::ReadString(const std::string& path) {
    const auto p = ParseRegistryPath(path);
    Key key;
    if (!p || !key.Open(p->root, p->key, KEY_QUERY_VALUE)) return std::nullopt;
    const std::wstring name = Widen(p->value);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name.empty() ? nullptr : name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name.empty() ? nullptr : name.c_str(), nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_DWORD && size >= sizeof(DWORD)) {
        DWORD v = 0;
        memcpy(&v, data.data(), sizeof v);
        return std::to_string(v);
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
    size_t len = size / sizeof(wchar_t);
    while (len > 0 && text[len - 1] == L'\0') --len;
    return Narrow(text, len);
}

std::optional<uint32_t> Win32Registry::ReadDword(const std::string& path) {
    const auto p = ParseRegistryPath(path);
    Key key;
    if (!p || !key.Open(p->root, p->key, KEY_QUERY_VALUE)) return std::nullopt;
    const std::wstring name = Widen(p->value);
    DWORD type = 0, v = 0, size = sizeof v;
    if (RegQueryValueExW(key.get(), name.empty() ? nullptr : name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return v;
}

bool Win32Registry::DeleteValue(const std::string& path) {
    const auto p = ParseRegistryPath(path);
    Key key;
    if (!p || !key.Open(p->root, p->key, KEY_SET_VALUE)) return false;
    const std::wstring name = Widen(p->value);
    return RegDeleteValueW(key.get(), name.empty() ? nullptr : name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(const std::string& keyPath) {
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    const auto p = ParseRegistryPath(path);  // parent key and last name
    if (!p || p->value.empty()) return false;
    Key parent;
    if (!parent.Open(p->root, p->key, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE)) return false;
    return DeleteTree(parent.get(), Widen(p->value));
}

// ---- Private-profile files

std::string Win32ProfileStore::Read(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& defaultValue, size_t bufferChars) {
    if (bufferChars == 0) return std::string();
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                             Widen(defaultValue).c_str(), buffer.data(),
                                             static_cast<DWORD>(bufferChars), Widen(file).c_str());
    return Narrow(buffer.data(), n);
}

bool Win32ProfileStore::Write(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                      Widen(file).c_str()) != FALSE;
}

// ---- Environment

std::optional<std::string> Win32Environment::Variable(const std::string& name) {
    const std::wstring w = Widen(name);
    const DWORD n = GetEnvironmentVariableW(w.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(w.c_str(), value.data(), n);
    value.resize(got);
    return Narrow(value);
}

namespace {
std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
}  // namespace

std::string Win32Environment::ProgramDirectory() {
    const std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash));
}

std::string Win32Environment::ExecutableBaseName() {
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) path = path.substr(slash + 1);
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos) path.resize(dot);
    return Narrow(path);
}

// ---- System information

std::optional<std::string> Win32SystemInfo::OsVersion() {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<std::string> version;
    {
        ComRef<IWbemLocator> locator;
        ComRef<IWbemServices> services;
        ComRef<IEnumWbemClassObject> results;
        BSTR ns = SysAllocString(L"\\\\.\\root\\cimv2");
        BSTR lang = SysAllocString(L"WQL");
        BSTR query = SysAllocString(L"Select * from Win32_OperatingSystem");
        if (SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                       locator.ReceiveVoid())) &&
            SUCCEEDED(locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Receive()))) {
            CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
            if (SUCCEEDED(services->ExecQuery(lang, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                              nullptr, results.Receive()))) {
                // Keep the version of the last object, as the query's users always did.
                for (;;) {
                    IWbemClassObject* object = nullptr;
                    ULONG count = 0;
                    if (results->Next(static_cast<LONG>(WBEM_INFINITE), 1, &object, &count) != S_OK || count == 0) {
                        break;
                    }
                    VARIANT v;
                    VariantInit(&v);
                    if (SUCCEEDED(object->Get(L"Version", 0, &v, nullptr, nullptr)) && v.vt == VT_BSTR) {
                        version = Narrow(v.bstrVal, SysStringLen(v.bstrVal));
                    }
                    VariantClear(&v);
                    object->Release();
                }
            }
        }
        SysFreeString(ns);
        SysFreeString(lang);
        SysFreeString(query);
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return version;
}

bool Win32SystemInfo::IsConnected() {
    // The internet library is large and only this query needs it: load it on first use rather
    // than with the program.
    using QueryFn = BOOL(WINAPI*)(LPDWORD, LPWSTR, DWORD, DWORD);
    static const auto query = [] {
        HMODULE wininet = LoadLibraryW(L"wininet.dll");
        return wininet ? reinterpret_cast<QueryFn>(
                             reinterpret_cast<void*>(GetProcAddress(wininet, "InternetGetConnectedStateExW")))
                       : nullptr;
    }();
    if (!query) return false;
    DWORD flags = 0;
    wchar_t name[512];
    return query(&flags, name, 512, 0) != FALSE;
}

// ---- Message boxes

MessageResult Win32Dialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) {
    UINT style = MB_SETFOREGROUND;
    switch (buttons) {
        case MessageButtons::Ok: style |= MB_OK; break;
        case MessageButtons::OkCancel: style |= MB_OKCANCEL; break;
        case MessageButtons::YesNo: style |= MB_YESNO; break;
    }
    // The titles say what kind of message it is; give it the matching icon.
    if (title == "错误") {
        style |= MB_ICONERROR;
    } else if (title == "警告") {
        style |= MB_ICONWARNING;
    } else if (buttons != MessageButtons::Ok) {
        style |= MB_ICONQUESTION;
    } else {
        style |= MB_ICONINFORMATION;
    }
    HWND owner = GetActiveWindow();
    if (!owner) style |= MB_TASKMODAL;
    switch (MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), style)) {
        case IDCANCEL: return MessageResult::Cancel;
        case IDYES: return MessageResult::Yes;
        case IDNO: return MessageResult::No;
        default: return MessageResult::Ok;
    }
}

// ---- The process-wide set

Platform& RealPlatform() {
    static Win32Registry registry;
    static Win32ProfileStore profile;
    static Win32FileSystem files;
    static Win32Environment environment;
    static Win32SystemInfo system;
    static Win32Dialogs dialogs;
    static Win32CodePage codePage;
    static Win32Pictures pictures(files);
    static Win32DesktopCalls desktop;
    static Win32Drives drives;
    static Win32Processes processes;
    static Win32IconFiles iconFiles;
    static Platform platform{registry, profile, files, environment, system, dialogs, codePage, pictures, desktop,
                             drives, processes, iconFiles};
    return platform;
}

}  // namespace velmora::win32
