#pragma once
// What the tests of the control libraries under Wine share: regsvr32 on a library of this
// build, reading the classes root, and capturing a window's pixels as the screen shows them.
#include <string>
#include <vector>

#include <windows.h>

namespace velmora::uitest {

// Runs regsvr32 with the switches on the library; its exit code, or -1 when it did not run.
long RunRegsvr32(const std::wstring& switches, const std::wstring& library);
bool KeyExists(HKEY root, const std::wstring& path);
std::wstring DefaultValue(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);

// The client area as it is on screen.
class Capture {
public:
    explicit Capture(HWND window);
    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00BBGGRR, as colours are written everywhere else.
    COLORREF At(int x, int y) const;
    bool Contains(COLORREF colour, int left, int top, int right, int bottom) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> pixels_;  // 0x00RRGGBB, top-down
};

}  // namespace velmora::uitest
