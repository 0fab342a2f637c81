// The scrollbar's layout, its rounding, the value a thumb position gives, and the property rules.
#include <gtest/gtest.h>

#include "kelpo/ucScrollbar.h"

namespace velmora::kelpo {
namespace {

struct QuietHost : ScrollbarHost {
    int changes = 0, scrolls = 0, shows = 0, hides = 0;
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    void Repaint() override {}
    void Change() override { ++changes; }
    void Scroll() override { ++scrolls; }
    void Show() override { ++shows; }
    void Hide() override { ++hides; }
};

struct LayoutCase {
    const char* what;
    int height;
    bool buttons;
    Rect button1, button2, filler;
    bool thumb;
};

TEST(ScrollbarLayoutTest, ButtonsFillerAndThumbByLength) {
    const LayoutCase cases[] = {
        {"room for a thumb", 44, true, {0, 0, 17, 18}, {0, 26, 17, 44}, {}, true},
        {"full buttons, checkered filler", 40, true, {0, 0, 17, 18}, {0, 22, 17, 40}, {0, 18, 17, 22}, false},
        {"30 pixels: half buttons", 30, true, {0, 0, 17, 15}, {0, 15, 17, 30}, {}, false},
        {"odd length: a one-pixel filler", 31, true, {0, 0, 17, 15}, {0, 16, 17, 31}, {0, 15, 17, 16}, false},
        {"no buttons, long", 8, false, {0, 0, 17, 0}, {0, 8, 17, 8}, {}, true},
        {"no buttons, short", 5, false, {0, 0, 17, 0}, {0, 5, 17, 5}, {0, 0, 17, 5}, false},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        QuietHost host;
        ucScrollbar bar(host);
        bar.SetShowButtons(c.buttons);
        bar.Resize(17, c.height);
        const ScrollbarLayout& l = bar.layout();
        EXPECT_EQ(l.button1, c.button1);
        EXPECT_EQ(l.button2, c.button2);
        EXPECT_EQ(l.filler, c.filler);
        EXPECT_EQ(l.hasThumb, c.thumb);
        EXPECT_EQ(l.thumb.Empty(), !c.thumb);
    }
}

TEST(ScrollbarLayoutTest, ThumbSizeAndPositionRoundHalvesToEven) {
    struct Case {
        int track, min, max, value, largeChange;
        int thumbSize, thumbPos;
    } cases[] = {
        {200, 0, 100, 0, 10, 18, 18},
        {200, 0, 100, 25, 10, 18, 18 + 46},   // 45.5 -> 46
        {200, 0, 100, 75, 10, 18, 18 + 136},  // 136.5 -> 136
        {200, 0, 100, 100, 10, 18, 18 + 182},
        {50, 0, 100, 0, 10, 8, 18},           // 50 / 11 = 4: the minimum
        {200, 5, 5, 5, 10, 200, 18},          // Max = Min: at the track start, filling it
        {200, 0, 5, 3, 10, 200, 18},          // range below LargeChange: the whole track
        {200, 0, 30, 10, 10, 50, 18 + 50},
    };
    for (const Case& c : cases) {
        QuietHost host;
        ucScrollbar bar(host);
        bar.SetMax(c.max);
        bar.SetMin(c.min);
        bar.SetLargeChange(c.largeChange);
        bar.SetValue(c.value);
        bar.Resize(17, c.track + 36);
        EXPECT_EQ(bar.layout().thumbSize, c.thumbSize) << c.track << " " << c.value;
        EXPECT_EQ(bar.layout().thumbPos, c.thumbPos) << c.track << " " << c.value;
        EXPECT_EQ(bar.layout().trackBefore, (Rect{0, 18, 17, c.thumbPos}));
        EXPECT_EQ(bar.layout().trackAfter, (Rect{0, c.thumbPos + c.thumbSize, 17, c.track + 18}));
    }
}

TEST(ScrollbarLayoutTest, HorizontalBarsSwapTheAxes) {
    QuietHost host;
    ucScrollbar bar(host);
    bar.SetOrientation(1);
    bar.Resize(236, 17);
    bar.SetValue(50);
    EXPECT_EQ(bar.layout().button1, (Rect{0, 0, 18, 17}));
    EXPECT_EQ(bar.layout().button2, (Rect{218, 0, 236, 17}));
    EXPECT_EQ(bar.layout().thumb, (Rect{18 + 91, 0, 18 + 91 + 18, 17}));
    bar.SetOrientation(7);
    EXPECT_EQ(bar.orientation(), Orientation::Horizontal);
    bar.SetOrientation(-3);
    EXPECT_EQ(bar.orientation(), Orientation::Vertical);
}

TEST(ScrollbarLayoutTest, DraggingTheThumbDerivesTheValue) {
    QuietHost host;
    ucScrollbar bar(host);
    bar.Resize(17, 236);  // track 200, thumb 18, room 182, range 100
    bar.LeftButtonDown({8, 20});
    EXPECT_EQ(bar.mode(), BarPart::Thumb);
    bar.MouseMove({8, 20 + 91}, true);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.layout().thumbPos, 18 + 91);
    bar.MouseMove({8, 1000}, true);  // far below the bar
    EXPECT_EQ(bar.Value(), 0) << "beyond the tolerance the thumb goes back to where it started";
    bar.MouseMove({8 + 250, 230}, true);
    EXPECT_EQ(bar.Value(), 100) << "250 pixels sideways is still inside";
    bar.MouseMove({8 + 251 + 10, 230}, true);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.layout().thumbPos, 18);
    bar.MouseMove({8, 20 + 91}, true);  // back again: the drag resumes
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(host.scrolls, 5);
    EXPECT_EQ(host.changes, 0);
    bar.LeftButtonUp();
    EXPECT_EQ(host.changes, 1) << "Change once, at the end of a drag that moved the value";
    bar.LeftButtonDown({8, 18 + 91 + 2});
    bar.LeftButtonUp();
    EXPECT_EQ(host.changes, 1) << "a drag that ends where it began raises no Change";
}

TEST(ScrollbarLayoutTest, AThumbFillingTheTrackDragsToZero) {
    QuietHost host;
    ucScrollbar bar(host);
    bar.SetMax(5);
    bar.SetValue(3);
    bar.Resize(17, 236);
    bar.LeftButtonDown({8, 100});
    bar.MouseMove({8, 110}, true);
    EXPECT_EQ(bar.Value(), 0);
}

TEST(ScrollbarLayoutTest, PropertyRules) {
    QuietHost host;
    ucScrollbar bar(host);
    bar.SetValue(-5);
    EXPECT_EQ(bar.Value(), 0) << "below Min gives Min";
    EXPECT_EQ(host.changes, 0) << "assigning the current value raises no Change";
    bar.SetValue(60);
    EXPECT_EQ(host.changes, 1);
    bar.SetMax(40);
    EXPECT_EQ(bar.Value(), 40) << "Max lowers the value";
    EXPECT_EQ(host.changes, 1) << "without a Change";
    bar.SetMin(50);
    EXPECT_EQ(bar.Min(), 40) << "Min above Max becomes Max";
    bar.SetMax(10);
    EXPECT_EQ(bar.Max(), 40) << "Max below Min becomes Min";
    bar.SetSmallChange(0);
    EXPECT_EQ(bar.SmallChange(), 1);
    bar.SetLargeChange(-4);
    EXPECT_EQ(bar.LargeChange(), 1);
    bar.SetChangeDelay(-1);
    EXPECT_EQ(bar.ChangeDelay(), 0);
    bar.SetChangeFrequency(10);
    EXPECT_EQ(bar.ChangeFrequency(), 25);
    bar.SetVisible(false);
    bar.SetVisible(false);
    bar.SetVisible(true);
    EXPECT_EQ(host.hides, 1);
    EXPECT_EQ(host.shows, 1);
}

TEST(ScrollbarLayoutTest, LooksFollowHoverPressAndEnabled) {
    QuietHost host;
    ucScrollbar bar(host);
    bar.Resize(17, 236);
    EXPECT_EQ(bar.ButtonState(1), 0);
    bar.MouseMove({8, 100}, false);  // over the track
    EXPECT_EQ(bar.ButtonState(1), 1);
    bar.MouseMove({8, 5}, false);  // over button 1
    EXPECT_EQ(bar.ButtonState(1), 2);
    EXPECT_EQ(bar.ButtonState(2), 1);
    bar.LeftButtonDown({8, 5});
    EXPECT_EQ(bar.ButtonState(1), 3);
    bar.MouseMove({8, 100}, true);
    EXPECT_EQ(bar.ButtonState(1), 1) << "the pressed look follows the mouse";
    bar.LeftButtonUp();
    bar.MouseMove({8, 25}, false);  // over the thumb
    EXPECT_EQ(bar.ThumbState(), 1);
    bar.LeftButtonDown({8, 25});
    EXPECT_EQ(bar.ThumbState(), 2);
    bar.LeftButtonUp();
    bar.SetEnabled(false);
    EXPECT_EQ(bar.ButtonState(1), 4);
    EXPECT_EQ(bar.ThumbState(), 3);
    EXPECT_EQ(bar.TrackState(BarPart::TrackAfter), 0);
    bar.LeftButtonDown({8, 5});
    EXPECT_EQ(bar.mode(), BarPart::None) << "a disabled bar takes no presses";
}

}  // namespace
}  // namespace velmora::kelpo
