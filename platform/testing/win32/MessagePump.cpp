#include "platform/testing/win32/MessagePump.h"

namespace velmora::testing {

namespace {

void DispatchPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

void PumpFor(DWORD milliseconds) { PumpUntil([] { return false; }, milliseconds); }

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchPending();
        if (done()) return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - spent < 10 ? milliseconds - spent : 10,
                                  QS_ALLINPUT);
    }
}

}  // namespace velmora::testing
