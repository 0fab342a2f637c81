#include "shell/win32/MingLingHang_win.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "shell/MingLingHang.h"

namespace velmora {

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.push_back(Narrow(argv[i], wcslen(argv[i])));
    LocalFree(argv);
    return args;
}

// A path relative to the working folder, made whole: the installers write it into the registry.
std::string FullPath(const std::string& path) {
    const std::wstring w = Widen(path);
    const DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    const DWORD got = GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    if (got == 0 || got >= n) return path;
    full.resize(got);
    return Narrow(full);
}

}  // namespace

std::vector<std::string> MingLingCanShu() { return Arguments(); }

int ZhiXingMingLingHang(MingLing command) {
    if (!command.path.empty()) command.path = FullPath(command.path);
    return ZhiXingMingLing(win32::RealPlatform(), command);
}

}  // namespace velmora
