#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/Wide.h"

namespace velmora::win32 {

size_t Win32Drives::LogicalDriveStrings(char* buffer, size_t bufferChars) {
    // Drive strings are plain ASCII; the wide call keeps the program free of ANSI text.
    std::vector<wchar_t> wide(bufferChars + 1, L'\0');
    const DWORD n = GetLogicalDriveStringsW(static_cast<DWORD>(bufferChars), wide.data());
    if (n == 0 || n > bufferChars) return n;
    for (DWORD i = 0; i < n; ++i) buffer[i] = wide[i] < 0x80 ? static_cast<char>(wide[i]) : '?';
    if (n < bufferChars) buffer[n] = '\0';
    return n;
}

DriveType Win32Drives::TypeOf(const std::string& root) {
    std::wstring w = Widen(root);
    // "C:" alone names the current folder of C on some systems; the root is meant.
    if (w.size() == 2 && w[1] == L':') w += L'\\';
    const UINT type = GetDriveTypeW(w.c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

std::optional<uint64_t> Win32Drives::RecycleBinItems() {
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return std::nullopt;
    return static_cast<uint64_t>(info.i64NumItems);
}

bool Win32Processes::Start(const std::string& commandLine, ChuangKouYangShi style) {
    std::wstring line = Widen(commandLine);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    // The program gets no standard handles of ours: a program that outlives us (the shell
    // restarted by "start explorer") must not keep our output open.
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = static_cast<WORD>(style == ChuangKouYangShi::Hidden      ? SW_HIDE
                                       : style == ChuangKouYangShi::Minimized ? SW_SHOWMINIMIZED
                                       : style == ChuangKouYangShi::Maximized ? SW_SHOWMAXIMIZED
                                                                              : SW_SHOWNORMAL);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

IconExtraction Win32IconFiles::Extract(const std::string& file, int index, void** icon) {
    const HICON h = ExtractIconW(GetModuleHandleW(nullptr), Widen(file).c_str(), static_cast<UINT>(index));
    if (h == nullptr) return IconExtraction::NoIcon;
    if (h == reinterpret_cast<HICON>(1)) return IconExtraction::NotAnIconFile;
    *icon = h;
    return IconExtraction::Icon;
}

}  // namespace velmora::win32
