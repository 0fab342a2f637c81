#include "tests/wine/KelpoSupport.h"

#include <cstdio>

#include "com/Events.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/UiDriver.h"

namespace velmora::kelpotest {

std::wstring KelpoDll() { return uitest::DistDirectory() + L"\\Kelpo.dll"; }

long RunRegsvr32(const std::wstring& switches, const std::wstring& library) {
    return uitest::RunRegsvr32(switches, library);
}

void MoveTo(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    uitest::MoveMouse(p.x, p.y);
    Pump(100);
}

void Press(HWND window, int x, int y) {
    // Two presses closer together than the double-click time make one double click, however
    // many tests lie between them: wait that long after the last press.
    static DWORD lastPress = GetTickCount() - GetDoubleClickTime() - 1;
    const DWORD since = GetTickCount() - lastPress;
    if (since <= GetDoubleClickTime()) Pump(GetDoubleClickTime() - since + 50);
    MoveTo(window, x, y);
    // Input goes to whatever window is at the point: a window of another program left on the
    // display would take the press. Bring the control's window up first.
    POINT p{x, y};
    ClientToScreen(window, &p);
    HWND at = WindowFromPoint(p);
    if (at != window && !IsChild(window, at)) {
        std::fprintf(stderr, "note: another window lay over the control at (%ld, %ld); raising the control's\n",
                     p.x, p.y);
        SetWindowPos(GetAncestor(window, GA_ROOT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        MoveTo(window, x, y);
    }
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    lastPress = GetTickCount();
    Pump(100);
}

void Release() {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    Pump(100);
}

void ClickAt(HWND window, int x, int y) {
    Press(window, x, y);
    Release();
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

std::vector<std::string> ArgumentsOf(DISPPARAMS* params) {
    com::EventArgs args(params);
    std::vector<std::string> out;
    for (UINT i = 0; i < args.count(); ++i) out.push_back(args.String(i));
    return out;
}

}  // namespace velmora::kelpotest
