#pragma once
// The scrollbar's painter: each element drawn from the library's skin pictures, held in
// off-screen surfaces. Vertical pictures are used as they are, horizontal ones transposed.
#include <windows.h>

#include "kelpo/Geometry.h"
#include "kelpo/pcMemDC_win.h"
#include "kelpo/ucScrollbar.h"

namespace velmora::kelpo {

class cScrollbarDraw {
public:
    // Loads the six pictures of the orientation from the module's bitmap resources.
    bool Load(HMODULE module, Orientation orientation);
    // first: button 1 (up or left) or button 2; state as ucScrollbar::ButtonState.
    void DrawButton(HDC dc, const Rect& r, int state, bool first) const;
    void DrawTrack(HDC dc, const Rect& r, int state) const;
    void DrawThumb(HDC dc, const Rect& r, int state) const;

private:
    // Copies or stretches a rectangle given along and across the bar, in source and target.
    void Copy(const pcMemDC& from, HDC dc, int srcAlong, int srcAcross, int along, int across, int alongLength,
              int acrossLength, bool masked) const;
    void Stretch(const pcMemDC& from, HDC dc, int srcAlong, int srcAcross, int srcAlongLength, int srcAcrossLength,
                 int along, int across, int alongLength, int acrossLength) const;

    Orientation orientation_ = Orientation::Vertical;
    pcMemDC face_, glyph1_, glyph2_, track_, thumb_, grip_;
};

}  // namespace velmora::kelpo
