// Velmora.exe: the start-up object is the main window; its load runs the whole start-up.
#include <windows.h>

#include "com/OleControl.h"
#include "platform/win32/Win32Platform.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/DanShiLi.h"
#include "shell/win32/MingLingHang_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::vector<std::string> args = velmora::MingLingCanShu();
    const velmora::MingLing command = velmora::JieXiMingLingHang(args);
    // An install or restore from the command line runs alone: no window, tray or network.
    if (command.action != velmora::MingLingDongZuo::QiDong && command.action != velmora::MingLingDongZuo::ZiYuan &&
        command.action != velmora::MingLingDongZuo::ZiYuanKu) {
        return velmora::ZhiXingMingLingHang(command);
    }
    // Any other start goes to the program already running, if there is one.
    const velmora::DanShiLi instance;
    if (instance.YiZaiYunXing()) return velmora::ZhuanJiaoMingLing(args);

    int exitCode = 0;
    {
        velmora::QuanJuSheZhi settings;
        velmora::MainWindow main(velmora::win32::RealPlatform(), settings);
        if (!main.Load()) return 1;
        if (command.action == velmora::MingLingDongZuo::ZiYuan) main.OpenResourceLink(command.id);
        if (command.action == velmora::MingLingDongZuo::ZiYuanKu) main.OpenLibrary(command.library);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            // A hosted control (the browsers) takes its own keys first.
            if (velmora::com::OleControl::TranslateAnyAccelerator(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    return exitCode;
}
