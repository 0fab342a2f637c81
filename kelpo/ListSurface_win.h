#pragma once
// The list's drawing surface on GDI: the control's window (through its device context, or the
// paint notification's), or any device context a container hands over for drawing the control.
#include <string>

#include <windows.h>

#include "kelpo/ClsIcon.h"
#include "kelpo/LeiBiao.h"

namespace velmora::kelpo {

class GdiListSurface : public ListSurface {
public:
    // Draws on the window; its size is the window's client size.
    explicit GdiListSurface(HWND window);
    // Draws on a given device context of the given size, with (left, top) as the origin.
    GdiListSurface(HDC dc, const RECT& bounds);
    ~GdiListSurface() override;
    GdiListSurface(const GdiListSurface&) = delete;
    GdiListSurface& operator=(const GdiListSurface&) = delete;

    // The font drawn with (not owned).
    void SetFont(HFONT font) {
        font_ = font;
        textHeight_ = -1;
    }
    // While painting for WM_PAINT: the device context BeginPaint gave.
    void UsePaintDc(HDC dc) { paintDc_ = dc; }
    void SetPlayIcon(const ClsIcon* icon) { playIcon_ = icon; }
    // Takes over colours, pen width, font and icon of another surface.
    void CopySettings(const GdiListSurface& other);

    void Begin() override;
    void End() override;
    int ClientWidth() override;
    int ClientHeight() override;
    void SetBrushColour(ListBrush brush, std::uint32_t colour) override;
    void SetBackColour(std::uint32_t colour) override;
    void SetPenWidth(int width) override { penWidth_ = width; }
    void Fill(int x, int y, int width, int height, ListBrush brush) override;
    void Clear() override;
    void Box(int left, int top, int right, int bottom, std::uint32_t colour) override;
    void Line(int x1, int y1, int x2, int y2, std::uint32_t colour) override;
    void FocusBox(int left, int top, int right, int bottom) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void Text(const std::string& text, int left, int top, int width, int height, TextAlign align,
              std::uint32_t colour) override;
    void PlayIcon(int x, int y) override;

private:
    static COLORREF Resolve(std::uint32_t colour);

    HWND window_ = nullptr;
    HDC fixedDc_ = nullptr;
    RECT bounds_{};
    HDC paintDc_ = nullptr;
    HDC dc_ = nullptr;
    int depth_ = 0;
    int savedState_ = 0;
    HFONT font_ = nullptr;
    int textHeight_ = -1;  // of the font, measured once
    HBRUSH brushes_[4] = {};
    std::uint32_t brushColours_[4] = {};
    std::uint32_t backColour_ = 0xFFFFFF;
    int penWidth_ = 1;
    const ClsIcon* playIcon_ = nullptr;
};

}  // namespace velmora::kelpo
