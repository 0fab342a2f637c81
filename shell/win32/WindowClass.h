#pragma once
// Window classes whose procedure forwards to a C++ object: the object pointer travels in the
// creation parameter and is kept in the window's user data.
#include <windows.h>

namespace velmora {

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, UINT style, HCURSOR cursor);

template <typename T>
T* AttachedObject(HWND h, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return static_cast<T*>(cs->lpCreateParams);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

}  // namespace velmora
