// velmora-fetch.exe URL DEST: the same front end over Winsock and the message loop.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "download/tools/FetchConsole.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Socket.h"

int wmain(int argc, wchar_t** argv) {
    // Under Wine every unbuffered write to the console or a pipe is a round trip to the server,
    // one per character: the progress lines alone took longer than the transfer.
    static char outBuffer[1 << 16];
    setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    if (argc != 3) {
        std::cerr << "usage: velmora-fetch URL DEST\n";
        return 2;
    }
    const std::string url = velmora::Narrow(argv[1], wcslen(argv[1]));
    const std::string dest = velmora::Narrow(argv[2], wcslen(argv[2]));
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);

    // Only what a download needs: the whole platform would bring up pictures and COM as well.
    velmora::win32::Win32FileSystem files;
    velmora::win32::Win32CodePage codePage;
    velmora::win32::Win32TcpClient client;
    velmora::download::XiaZaiQi panel(client, files, codePage, velmora::Narrow(cwd, wcslen(cwd)));
    velmora::download::FetchConsole console(panel, std::cout);
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, nullptr);
    console.Start(url, dest);
    MSG msg;
    while (panel.Busy() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
            panel.RateTimerTick();
            continue;
        }
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    std::cout.flush();
    return console.completed() ? 0 : 1;
}
