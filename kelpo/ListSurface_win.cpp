#include "kelpo/ListSurface_win.h"

#include <olectl.h>

#include "kelpo/ClsIcon_win.h"
#include "platform/win32/Wide.h"

namespace velmora::kelpo {

GdiListSurface::GdiListSurface(HWND window) : window_(window) {}

GdiListSurface::GdiListSurface(HDC dc, const RECT& bounds) : fixedDc_(dc), bounds_(bounds) {}

GdiListSurface::~GdiListSurface() {
    for (HBRUSH& b : brushes_)
        if (b) DeleteObject(b);
}

void GdiListSurface::CopySettings(const GdiListSurface& other) {
    for (int i = 0; i < 4; ++i) SetBrushColour(static_cast<ListBrush>(i), other.brushColours_[i]);
    backColour_ = other.backColour_;
    penWidth_ = other.penWidth_;
    SetFont(other.font_);
    playIcon_ = other.playIcon_;
}

COLORREF GdiListSurface::Resolve(std::uint32_t colour) {
    COLORREF resolved = 0;
    if (FAILED(OleTranslateColor(colour, nullptr, &resolved))) return colour & 0xFFFFFF;
    return resolved;
}

void GdiListSurface::Begin() {
    if (depth_++ > 0) return;
    dc_ = fixedDc_ ? fixedDc_ : (paintDc_ ? paintDc_ : GetDC(window_));
    if (!dc_) return;
    savedState_ = SaveDC(dc_);
    if (fixedDc_) {
        SetViewportOrgEx(dc_, bounds_.left, bounds_.top, nullptr);
        IntersectClipRect(dc_, 0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top);
    }
    if (font_) SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
}

void GdiListSurface::End() {
    if (--depth_ > 0) return;
    if (dc_) {
        RestoreDC(dc_, savedState_);
        if (!fixedDc_ && !paintDc_) ReleaseDC(window_, dc_);
    }
    dc_ = nullptr;
    depth_ = 0;
}

int GdiListSurface::ClientWidth() {
    if (fixedDc_) return bounds_.right - bounds_.left;
    RECT r{};
    GetClientRect(window_, &r);
    return r.right;
}

int GdiListSurface::ClientHeight() {
    if (fixedDc_) return bounds_.bottom - bounds_.top;
    RECT r{};
    GetClientRect(window_, &r);
    return r.bottom;
}

void GdiListSurface::SetBrushColour(ListBrush brush, std::uint32_t colour) {
    const int i = static_cast<int>(brush);
    if (brushes_[i]) DeleteObject(brushes_[i]);
    brushes_[i] = CreateSolidBrush(Resolve(colour));
    brushColours_[i] = colour;
}

void GdiListSurface::SetBackColour(std::uint32_t colour) { backColour_ = colour; }

void GdiListSurface::Fill(int x, int y, int width, int height, ListBrush brush) {
    if (!dc_ || width <= 0 || height <= 0) return;
    RECT r{x, y, x + width, y + height};
    FillRect(dc_, &r, brushes_[static_cast<int>(brush)]);
}

void GdiListSurface::Clear() {
    if (!dc_) return;
    HBRUSH back = CreateSolidBrush(Resolve(backColour_));
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    FillRect(dc_, &r, back);
    DeleteObject(back);
}

void GdiListSurface::Box(int left, int top, int right, int bottom, std::uint32_t colour) {
    if (!dc_) return;
    // Inside-frame pen: a wide border grows inwards and stays visible.
    HPEN pen = CreatePen(PS_INSIDEFRAME, penWidth_, Resolve(colour));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    Rectangle(dc_, left, top, right + 1, bottom + 1);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
}

void GdiListSurface::Line(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    if (!dc_) return;
    HPEN pen = CreatePen(PS_SOLID, penWidth_, Resolve(colour));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
}

void GdiListSurface::FocusBox(int left, int top, int right, int bottom) {
    if (!dc_) return;
    RECT r{left, top, right, bottom};
    DrawFocusRect(dc_, &r);
}

int GdiListSurface::TextWidth(const std::string& text) {
    Begin();
    SIZE size{};
    const std::wstring wide = Widen(text);
    if (dc_) GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    End();
    return size.cx;
}

int GdiListSurface::TextHeight(const std::string&) {
    // One line of any text is as high as the font.
    if (textHeight_ >= 0) return textHeight_;
    Begin();
    TEXTMETRICW metrics{};
    const bool measured = dc_ && GetTextMetricsW(dc_, &metrics);
    End();
    if (measured) textHeight_ = metrics.tmHeight;
    return metrics.tmHeight;
}

void GdiListSurface::Text(const std::string& text, int left, int top, int width, int height, TextAlign align,
                          std::uint32_t colour) {
    if (!dc_ || width <= 0 || height <= 0 || text.empty()) return;
    std::wstring wide = Widen(text);
    RECT r{left, top, left + width, top + height};
    SetTextColor(dc_, Resolve(colour));
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | (align == TextAlign::Centre ? DT_CENTER : DT_LEFT));
}

void GdiListSurface::PlayIcon(int x, int y) {
    if (dc_ && playIcon_) DrawIconImage(*playIcon_, dc_, x, y, 0);
}

}  // namespace velmora::kelpo
