// Velmora.exe: the start-up object is the main window; its load runs the whole start-up.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "platform/win32/Win32Platform.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/MingLingHang_win.h"
#include "ui/win32/Picture.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // An install or restore from the command line runs alone: no window, tray or network.
    if (const auto status = velmora::ZhiXingMingLingHang()) return *status;

    // The embedded browsers and the controls need an apartment with OLE.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    velmora::StartGdiplus();

    int exitCode = 0;
    {
        velmora::QuanJuSheZhi settings;
        velmora::MainWindow main(velmora::win32::RealPlatform(), settings);
        if (!main.Load()) return 1;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    OleUninitialize();
    return exitCode;
}
