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

// Whether anything follows the program's name, which the system splits off as it does: up to the
// closing quote when it starts with one, else up to the first blank.
bool HasArguments(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return *line != L'\0';
}

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    // A plain start, the usual one, does not load the shell's library for the splitting.
    if (!HasArguments(GetCommandLineW())) return args;
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
