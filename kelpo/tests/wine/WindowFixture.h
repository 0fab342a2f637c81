#pragma once
// A plain window whose own procedure counts what reaches it, for the hook tests.
#include <map>

#include <windows.h>

namespace velmora::kelpo::testing {

class CountingWindow {
public:
    CountingWindow();
    ~CountingWindow();
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    // Messages the window's own procedure saw, by number; the last wParam it saw.
    std::map<UINT, int> seen;
    WPARAM lastWParam = 0;
    static constexpr LRESULT kAnswer = 42;  // what the procedure answers to WM_APP

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace velmora::kelpo::testing
