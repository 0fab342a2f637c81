// Writes what the program takes the system to be into the file named on the command line, so
// that tests can run it under different Windows versions.
#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"
#include "core/XiTong.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    const std::string name = velmora::PanDuanXiTong(velmora::win32::RealPlatform());
    const std::string version = velmora::win32::RealPlatform().system.OsVersion().value_or("");
    const std::string text = name + "\n" + version + "\n";
    HANDLE h = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return 0;
}
