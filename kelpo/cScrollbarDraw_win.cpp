#include "kelpo/cScrollbarDraw_win.h"

namespace velmora::kelpo {
namespace {

constexpr int kBarAcross = 17;  // pictures' width across the bar
constexpr int kFaceLength = 18;
constexpr int kTrackLength = 2;
constexpr int kThumbLength = 15;
constexpr int kGripAcross = 9, kGripLength = 10;
constexpr int kEdge = 3;  // columns copied unchanged at each side
constexpr int kMinGripThumb = 16;

bool LoadPicture(pcMemDC& into, HMODULE module, const wchar_t* name) {
    auto bitmap = static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    const bool loaded = into.CreateFromBitmap(bitmap);
    DeleteObject(bitmap);
    return loaded;
}

}  // namespace

bool cScrollbarDraw::Load(HMODULE module, Orientation orientation) {
    orientation_ = orientation;
    const bool vertical = orientation == Orientation::Vertical;
    bool ok = LoadPicture(face_, module, vertical ? L"SCRARROWV" : L"SCRARROWH");
    ok = LoadPicture(glyph1_, module, vertical ? L"SCRARROWVT" : L"SCRARROWHL") && ok;
    ok = LoadPicture(glyph2_, module, vertical ? L"SCRARROWVB" : L"SCRARROWHR") && ok;
    ok = LoadPicture(track_, module, vertical ? L"SCRBACKV" : L"SCRBACKH") && ok;
    ok = LoadPicture(thumb_, module, vertical ? L"SCRTHUMBV" : L"SCRTHUMBH") && ok;
    ok = LoadPicture(grip_, module, vertical ? L"SCRGRIPV" : L"SCRGRIPH") && ok;
    return ok;
}

void cScrollbarDraw::Copy(const pcMemDC& from, HDC dc, int srcAlong, int srcAcross, int along, int across,
                          int alongLength, int acrossLength, bool masked) const {
    if (orientation_ == Orientation::Vertical)
        from.Draw(dc, srcAcross, srcAlong, acrossLength, alongLength, across, along, masked);
    else
        from.Draw(dc, srcAlong, srcAcross, alongLength, acrossLength, along, across, masked);
}

void cScrollbarDraw::Stretch(const pcMemDC& from, HDC dc, int srcAlong, int srcAcross, int srcAlongLength,
                             int srcAcrossLength, int along, int across, int alongLength, int acrossLength) const {
    if (orientation_ == Orientation::Vertical)
        from.StretchDraw(dc, across, along, acrossLength, alongLength, srcAcross, srcAlong, srcAcrossLength,
                         srcAlongLength);
    else
        from.StretchDraw(dc, along, across, alongLength, acrossLength, srcAlong, srcAcross, srcAlongLength,
                         srcAcrossLength);
}

// Rectangles arrive in client coordinates; below they are read along and across the bar.
void cScrollbarDraw::DrawButton(HDC dc, const Rect& r, int state, bool first) const {
    if (r.Empty()) return;
    const bool vertical = orientation_ == Orientation::Vertical;
    const int along = vertical ? r.top : r.left, across = vertical ? r.left : r.top;
    const int acrossLength = vertical ? r.Width() : r.Height();
    const int frame = state * kFaceLength;
    // The face keeps its 18 rows; its middle columns stretch to the button's breadth.
    Copy(face_, dc, frame, 0, along, across, kFaceLength, kEdge, false);
    Copy(face_, dc, frame, kBarAcross - kEdge, along, across + acrossLength - kEdge, kFaceLength, kEdge, false);
    Stretch(face_, dc, frame, kEdge, kFaceLength, kBarAcross - 2 * kEdge, along, across + kEdge, kFaceLength,
            acrossLength - 2 * kEdge);
    const pcMemDC& glyph = first ? glyph1_ : glyph2_;
    Copy(glyph, dc, frame, 0, along, across + Half(acrossLength - kBarAcross), kFaceLength, kBarAcross, true);
}

void cScrollbarDraw::DrawTrack(HDC dc, const Rect& r, int state) const {
    if (r.Empty()) return;
    const bool vertical = orientation_ == Orientation::Vertical;
    const int along = vertical ? r.top : r.left, across = vertical ? r.left : r.top;
    const int alongLength = vertical ? r.Height() : r.Width(), acrossLength = vertical ? r.Width() : r.Height();
    const int frame = state * kTrackLength;
    Stretch(track_, dc, frame, 0, kTrackLength, kEdge, along, across, alongLength, kEdge);
    Stretch(track_, dc, frame, kBarAcross - kEdge, kTrackLength, kEdge, along, across + acrossLength - kEdge,
            alongLength, kEdge);
    Stretch(track_, dc, frame, kEdge, kTrackLength, kBarAcross - 2 * kEdge, along, across + kEdge, alongLength,
            acrossLength - 2 * kEdge);
}

void cScrollbarDraw::DrawThumb(HDC dc, const Rect& r, int state) const {
    if (r.Empty()) return;
    const bool vertical = orientation_ == Orientation::Vertical;
    const int along = vertical ? r.top : r.left, across = vertical ? r.left : r.top;
    const int alongLength = vertical ? r.Height() : r.Width(), acrossLength = vertical ? r.Width() : r.Height();
    // Thumb frames lie side by side across the bar.
    const int frame = state * kBarAcross;
    const int middleAlong = kThumbLength - 2 * kEdge, middleAcross = kBarAcross - 2 * kEdge;
    const int farAlong = along + alongLength - kEdge, farAcross = across + acrossLength - kEdge;
    // Corners as they are.
    Copy(thumb_, dc, 0, frame, along, across, kEdge, kEdge, false);
    Copy(thumb_, dc, 0, frame + kBarAcross - kEdge, along, farAcross, kEdge, kEdge, false);
    Copy(thumb_, dc, kThumbLength - kEdge, frame, farAlong, across, kEdge, kEdge, false);
    Copy(thumb_, dc, kThumbLength - kEdge, frame + kBarAcross - kEdge, farAlong, farAcross, kEdge, kEdge, false);
    // Edges stretched along their length, the centre both ways.
    Stretch(thumb_, dc, 0, frame + kEdge, kEdge, middleAcross, along, across + kEdge, kEdge, acrossLength - 2 * kEdge);
    Stretch(thumb_, dc, kThumbLength - kEdge, frame + kEdge, kEdge, middleAcross, farAlong, across + kEdge, kEdge,
            acrossLength - 2 * kEdge);
    Stretch(thumb_, dc, kEdge, frame, middleAlong, kEdge, along + kEdge, across, alongLength - 2 * kEdge, kEdge);
    Stretch(thumb_, dc, kEdge, frame + kBarAcross - kEdge, middleAlong, kEdge, along + kEdge, farAcross,
            alongLength - 2 * kEdge, kEdge);
    Stretch(thumb_, dc, kEdge, frame + kEdge, middleAlong, middleAcross, along + kEdge, across + kEdge,
            alongLength - 2 * kEdge, acrossLength - 2 * kEdge);
    if (alongLength < kMinGripThumb) return;
    // Vertical grip frames are stacked along the bar, horizontal ones across it.
    const int gripAlong = vertical ? state * kGripLength : 0, gripAcross = vertical ? 0 : state * kGripAcross;
    Copy(grip_, dc, gripAlong, gripAcross, along + Half(alongLength - kGripLength),
         across + Half(acrossLength - kGripAcross), kGripLength, kGripAcross, true);
}

}  // namespace velmora::kelpo
