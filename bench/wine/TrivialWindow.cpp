// The reference for the start-up benchmark: the least a Win32 program does to show a window.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"VelmoraTrivial";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, L"VelmoraTrivial", L"Trivial", WS_POPUP, 100, 100, 805, 507, nullptr, nullptr,
                             instance, nullptr);
    ShowWindow(h, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
