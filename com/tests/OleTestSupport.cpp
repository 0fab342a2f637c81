#include "com/tests/OleTestSupport.h"

#include <ole2.h>

#include "com/tests/TestControl.h"

namespace velmora::com::testing {

void EnsureOle() {
    static const HRESULT initialised = OleInitialize(nullptr);
    static_cast<void>(initialised);
    RegisterTestControls();
}

ParentWindow::ParentWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmoraOleTestParent";
        return RegisterClassW(&wc);
    }();
    static_cast<void>(atom);
    hwnd_ = CreateWindowExW(0, L"VelmoraOleTestParent", L"ole test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            0, 0, 800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

ParentWindow::~ParentWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

namespace {
BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

int CountChildren(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, CountOne, reinterpret_cast<LPARAM>(&count));
    return count;
}

int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace velmora::com::testing
