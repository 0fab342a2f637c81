#pragma once
// The skinned scrollbar's behaviour without a window: properties and their rules, the layout
// of buttons, track and thumb, stepping, thumb dragging, hot and pressed looks and the four
// timers of auto-repeat and hover tracking. The window (ucScrollbar_win.h) feeds it mouse and
// timer input in client pixels and carries out what it asks of its host.
#include <cstdint>

#include "kelpo/Geometry.h"

namespace velmora::kelpo {

// What the scrollbar asks of its window and reports to its owner.
class ScrollbarHost {
public:
    virtual ~ScrollbarHost() = default;
    // Timers 1 to 4 on the bar's own window; starting a running timer starts it again.
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    virtual void Repaint() = 0;
    // Events, in their numbering: Change, Scroll, Show, Hide.
    virtual void Change() = 0;
    virtual void Scroll() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

enum class BarPart { None = 0, Button1 = 1, Button2 = 2, TrackBefore = 3, TrackAfter = 4, Thumb = 5 };

enum class Orientation { Vertical = 0, Horizontal = 1 };

// Timer numbers and the fixed periods of the tracking timers.
constexpr int kDelayTimer = 1;
constexpr int kRepeatTimer = 2;
constexpr int kHotTimer = 3;
constexpr int kLeaveTimer = 4;
constexpr int kTrackingPeriod = 25;
// Button length along the bar, and the room the thumb needs at the least.
constexpr int kButtonSize = 18;
constexpr int kMinThumb = 8;
// How far the mouse may stray from the bar while dragging the thumb.
constexpr int kDragToleranceAcross = 250;
constexpr int kDragToleranceAlong = 25;

struct ScrollbarLayout {
    Rect button1, button2, trackBefore, trackAfter, thumb, filler, tolerance;
    bool hasThumb = false;
    int trackStart = 0, trackEnd = 0, thumbSize = kMinThumb, thumbPos = 0;
};

class ucScrollbar {
public:
    explicit ucScrollbar(ScrollbarHost& host) : host_(host) {}

    // Properties with the rules of their assignment.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    int Value() const { return value_; }
    void SetValue(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change);
    int ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(int milliseconds);
    int ChangeFrequency() const { return changeFrequency_; }
    void SetChangeFrequency(int milliseconds);
    Orientation orientation() const { return orientation_; }
    void SetOrientation(int orientation);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool show);
    bool Visible() const { return visible_; }
    // Raises Show or Hide when visibility changes.
    void SetVisible(bool visible);

    // The client size (width and height of the window).
    void Resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    const ScrollbarLayout& layout() const { return layout_; }

    // Input in client pixels. keysDown: a mouse button, Shift or Ctrl is held.
    void LeftButtonDown(Point p);
    void MouseMove(Point p, bool keysDown);
    // Left button up and cancel-mode alike.
    void LeftButtonUp();
    // A timer fired; mouse is the cursor in client pixels, overBar whether the window under
    // the cursor is the bar.
    void Timer(int id, Point mouse, bool overBar);

    // States of the skin pictures: buttons 0 normal, 1 bar hovered, 2 hot, 3 pressed,
    // 4 disabled; track 0 normal, 1 pressed; thumb 0 normal, 1 hot, 2 pressed, 3 disabled.
    int ButtonState(int button) const;
    int TrackState(BarPart part) const;
    int ThumbState() const;
    BarPart mode() const { return mode_; }
    bool barHover() const { return barHover_; }

private:
    int Range() const { return max_ - min_; }
    // Coordinate of a point along the bar.
    int Along(Point p) const { return orientation_ == Orientation::Vertical ? p.y : p.x; }
    // A rectangle given along and across the bar, in client coordinates.
    Rect Span(int alongStart, int alongEnd, int acrossStart, int acrossEnd) const;
    void Layout();
    // Layout again, repainting only when an element moved.
    void Relayout();
    void PlaceThumb();
    int ThumbPosFor(int value) const;
    int ValueForThumb(int thumbPos) const;
    BarPart HitTest(Point p) const;
    // A step by n (negative: back). byButton: a press that repaints even without a change.
    void Step(int n, bool byButton);
    void ClearPressed();

    ScrollbarHost& host_;
    bool enabled_ = true;
    int min_ = 0, max_ = 100, value_ = 0;
    int smallChange_ = 1, largeChange_ = 10;
    int changeDelay_ = 500, changeFrequency_ = 50;
    Orientation orientation_ = Orientation::Vertical;
    bool showButtons_ = true;
    bool visible_ = true;
    int width_ = 0, height_ = 0;
    ScrollbarLayout layout_;

    BarPart mode_ = BarPart::None;
    int grabOffset_ = 0;
    int dragStartValue_ = 0;
    bool pressed_[6] = {};
    bool hot_[6] = {};
    bool barHover_ = false;
};

}  // namespace velmora::kelpo
