#pragma once
// A picture with per-pixel alpha drawn over its parent's background, reloaded from its file
// whenever it is set, reporting the mouse to its owner. Serves as image button and marker.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/win32/Picture.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

class FileSystem;

// Answers (has a picture ? 0x100 : 0) | the tag given with the picture; lets tests see the look.
inline constexpr UINT kAlphaImageQuery = WM_APP + 0x41;
inline constexpr wchar_t kAlphaImageClass[] = L"VelmoraAlphaImage";

class AlphaImage {
public:
    std::function<void()> onLeave;
    std::function<void(bool anyButtonHeld, bool leftHeld)> onMove;
    std::function<void()> onLeftDown;
    std::function<void(bool left)> onClick;

    // name becomes the window text, so the control can be found by it.
    HWND Create(HWND parent, const std::string& name, int x, int y, int width, int height);
    HWND hwnd() const { return hwnd_; }
    // Loads the file anew; a file that cannot be loaded leaves the control without picture.
    void SetPicture(FileSystem& files, const std::string& path, int tag);
    bool HasPicture() const { return picture_ != nullptr; }

private:
    template <typename T>
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    std::unique_ptr<Picture> picture_;
    int tag_ = 0;
    bool tracking_ = false;
    bool pressed_ = false;
};

// Dark text on the page pictures (the online page, the downloader panel).
inline constexpr COLORREF kPageTextColor = RGB(29, 53, 87);

// A text label drawn over the parent's background; reports a left press (window drag).
inline constexpr wchar_t kLabelClass[] = L"VelmoraLabel";

class Label {
public:
    std::function<void()> onLeftDown;
    HWND Create(HWND parent, const std::string& text, int x, int y, int width, int height);
    HWND hwnd() const { return hwnd_; }
    void SetText(const std::string& text);
    void SetFont(HFONT font) { font_ = font; }
    void SetColor(COLORREF color) { color_ = color; }
    // Light text on the window pictures gets a shadow; dark text on the page pictures none.
    void SetShadow(bool shadow) { shadow_ = shadow; }

private:
    template <typename T>
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Draw(HDC dc, int width, int height);
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF color_ = RGB(255, 255, 255);
    bool shadow_ = true;
};

// The interface font: Microsoft YaHei where installed (Windows 7), else SimSun (Windows XP).
HFONT InterfaceFont(int pointSize, bool bold);

}  // namespace velmora
