#include "platform/win32/Win32Programs.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/Wide.h"

namespace velmora::win32 {

namespace {

class Win32StartedProgram : public StartedProgram {
public:
    explicit Win32StartedProgram(HANDLE process) : process_(process) {}
    ~Win32StartedProgram() override { CloseHandle(process_); }
    Win32StartedProgram(const Win32StartedProgram&) = delete;
    Win32StartedProgram& operator=(const Win32StartedProgram&) = delete;
    bool Running() override { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

private:
    HANDLE process_;
};

std::wstring FolderOf(const std::wstring& file) {
    const size_t slash = file.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
}

}  // namespace

std::unique_ptr<StartedProgram> Win32Programs::Start(const std::string& file, int showStyle) {
    const std::wstring path = Widen(file);
    // Quoted, so that a path with blanks is one program and not a program with arguments.
    std::wstring commandLine = L"\"" + path + L"\"";
    const std::wstring folder = FolderOf(path);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        return nullptr;
    }
    CloseHandle(pi.hThread);
    return std::make_unique<Win32StartedProgram>(pi.hProcess);
}

std::optional<std::vector<std::string>> Win32Programs::RunningExecutables() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::string> names;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        std::wstring name = entry.szExeFile;
        // Some systems report a whole path here.
        const size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name.erase(0, slash + 1);
        names.push_back(Narrow(name));
    }
    CloseHandle(snapshot);
    return names;
}

}  // namespace velmora::win32
