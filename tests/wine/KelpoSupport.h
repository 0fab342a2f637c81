#pragma once
// Shared pieces of the Kelpo tests under Wine: registering the built Kelpo.dll with regsvr32 for
// the run, reading registry keys, capturing a window's pixels, real mouse input at a point, and
// a recorder of the list control's events.
#include <string>
#include <vector>

#include <windows.h>
#include <oaidl.h>

namespace velmora::kelpotest {

// The Kelpo.dll this build assembled.
std::wstring KelpoDll();
// Runs regsvr32 with the arguments and the library; its exit code, or -1 when it did not run.
long RunRegsvr32(const std::wstring& switches);
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

// Real mouse input at a point of a window's client area (the cursor moves there).
void MoveTo(HWND window, int x, int y);
void ClickAt(HWND window, int x, int y);
void Press(HWND window, int x, int y);
void Release();
// Handles messages for the given time.
void Pump(DWORD milliseconds);

// One received event: its number and its arguments as text ("2", "1.5").
struct SeenEvent {
    DISPID id = 0;
    std::vector<std::string> args;
};
std::vector<std::string> ArgumentsOf(DISPPARAMS* params);

}  // namespace velmora::kelpotest
