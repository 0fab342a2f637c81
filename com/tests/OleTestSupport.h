#pragma once
// Shared pieces of the container's tests: OLE on the test thread, a parent window, message
// pumping and window counting.
#include <functional>

#include <windows.h>

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

void Pump(DWORD milliseconds);
// Runs the message loop until done() or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);
int CountChildren(HWND parent);
int CountThreadWindows();

}  // namespace velmora::com::testing
