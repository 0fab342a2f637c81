#include "kelpo/tests/wine/WindowFixture.h"

namespace velmora::kelpo::testing {

CountingWindow::CountingWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"KelpoCountingWindow";
        return RegisterClassW(&wc);
    }();
    static_cast<void>(atom);
    hwnd_ = CreateWindowExW(0, L"KelpoCountingWindow", L"hooked", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

CountingWindow::~CountingWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK CountingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        ++self->seen[message];
        self->lastWParam = wParam;
    }
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (message == WM_APP) return kAnswer;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmora::kelpo::testing
