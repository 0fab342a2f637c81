#pragma once
// Window classes whose procedure forwards to a C++ object: the object pointer travels in the
// creation parameter and is kept in the window's user data.
#include <windows.h>

namespace velmora {

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, UINT style, HCURSOR cursor);

// Lets the window messages already waiting run once (a quit message is put back).
void RunPendingMessages();

template <typename T>
T* AttachedObject(HWND h, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return static_cast<T*>(cs->lpCreateParams);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

// The procedure of a class whose windows each belong to one object of T: T keeps its window in
// hwnd_ and answers messages in Handle (befriend this template to keep both private).
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    T* self = AttachedObject<T>(h, msg, lp);
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCCREATE) self->hwnd_ = h;
    return self->Handle(msg, wp, lp);
}

}  // namespace velmora
