#pragma once
// Shared pieces of the container's tests: OLE on the test thread, a parent window, message
// pumping and window counting.
#include <functional>

#include <windows.h>

#include "platform/testing/win32/MessagePump.h"

namespace velmora::com::testing {

void EnsureOle();

// A visible top-level window to host controls in.
class ParentWindow {
public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

using velmora::testing::PumpFor;
using velmora::testing::PumpUntil;
int CountChildren(HWND parent);
int CountThreadWindows();

}  // namespace velmora::com::testing
