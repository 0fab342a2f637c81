#include "kelpo/ucScrollbar.h"

#include <algorithm>

namespace velmora::kelpo {

void ucScrollbar::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    host_.Repaint();
}

void ucScrollbar::SetMin(int min) {
    min_ = std::min(min, max_);
    if (value_ < min_) value_ = min_;
    Relayout();
}

void ucScrollbar::SetMax(int max) {
    max_ = std::max(max, min_);
    if (value_ > max_) value_ = max_;  // no Change: the owner that moved Max knows
    Relayout();
}

void ucScrollbar::Relayout() {
    const ScrollbarLayout before = layout_;
    Layout();
    // Nothing moved, nothing to paint (a list adding rows changes Max with every row).
    const ScrollbarLayout& l = layout_;
    if (l.button1 != before.button1 || l.button2 != before.button2 || l.thumb != before.thumb ||
        l.filler != before.filler || l.hasThumb != before.hasThumb)
        host_.Repaint();
}

void ucScrollbar::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) return;
    value_ = value;
    PlaceThumb();
    host_.Repaint();
    host_.Change();
}

void ucScrollbar::SetSmallChange(int change) { smallChange_ = std::max(change, 1); }

void ucScrollbar::SetLargeChange(int change) {
    largeChange_ = std::max(change, 1);
    Relayout();
}

void ucScrollbar::SetChangeDelay(int milliseconds) { changeDelay_ = std::max(milliseconds, 0); }

void ucScrollbar::SetChangeFrequency(int milliseconds) { changeFrequency_ = std::max(milliseconds, 25); }

void ucScrollbar::SetOrientation(int orientation) {
    orientation_ = std::clamp(orientation, 0, 1) == 0 ? Orientation::Vertical : Orientation::Horizontal;
    Layout();
    host_.Repaint();
}

void ucScrollbar::SetShowButtons(bool show) {
    showButtons_ = show;
    Relayout();
}

void ucScrollbar::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) host_.Show();
    else host_.Hide();
}

void ucScrollbar::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Layout();
}

Rect ucScrollbar::Span(int alongStart, int alongEnd, int acrossStart, int acrossEnd) const {
    if (orientation_ == Orientation::Vertical) return Rect{acrossStart, alongStart, acrossEnd, alongEnd};
    return Rect{alongStart, acrossStart, alongEnd, acrossEnd};
}

void ucScrollbar::Layout() {
    const bool vertical = orientation_ == Orientation::Vertical;
    const int across = vertical ? width_ : height_;
    const int length = vertical ? height_ : width_;
    const int b = showButtons_ ? kButtonSize : 0;
    ScrollbarLayout l;
    if (length >= kMinThumb + 2 * b) {
        l.button1 = Span(0, b, 0, across);
        l.button2 = Span(length - b, length, 0, across);
        l.hasThumb = true;
    } else if (length > 2 * b) {
        l.button1 = Span(0, b, 0, across);
        l.button2 = Span(length - b, length, 0, across);
        l.filler = Span(b, length - b, 0, across);
    } else {
        l.button1 = Span(0, length / 2, 0, across);
        l.button2 = Span(length / 2 + length % 2, length, 0, across);
        if (length % 2 == 1) l.filler = Span(length / 2, length / 2 + 1, 0, across);
    }
    l.tolerance = vertical ? Rect{-kDragToleranceAcross, -kDragToleranceAlong, width_ + kDragToleranceAcross,
                                  height_ + kDragToleranceAlong}
                           : Rect{-kDragToleranceAlong, -kDragToleranceAcross, width_ + kDragToleranceAlong,
                                  height_ + kDragToleranceAcross};
    l.trackStart = vertical ? l.button1.bottom : l.button1.right;
    l.trackEnd = vertical ? l.button2.top : l.button2.left;
    const int trackLength = l.trackEnd - l.trackStart;
    l.thumbSize = std::max(RoundedQuotient(trackLength, RoundedQuotient(Range(), largeChange_, 0) + 1, kMinThumb),
                           kMinThumb);
    layout_ = l;
    PlaceThumb();
}

int ucScrollbar::ThumbPosFor(int value) const {
    const ScrollbarLayout& l = layout_;
    if (Range() == 0) return l.trackStart;
    const double room = l.trackEnd - l.trackStart - l.thumbSize;
    return l.trackStart + RoundHalfEven(room / Range() * (value - min_));
}

int ucScrollbar::ValueForThumb(int thumbPos) const {
    const ScrollbarLayout& l = layout_;
    const int room = l.trackEnd - l.trackStart - l.thumbSize;
    if (room == 0) return 0;
    return min_ + RoundHalfEven(static_cast<double>(thumbPos - l.trackStart) / room * Range());
}

void ucScrollbar::PlaceThumb() {
    ScrollbarLayout& l = layout_;
    const int across = orientation_ == Orientation::Vertical ? width_ : height_;
    if (!l.hasThumb) {
        l.thumbPos = l.trackStart;
        l.trackBefore = l.trackAfter = l.thumb = Rect{};
        return;
    }
    l.thumbPos = ThumbPosFor(value_);
    l.trackBefore = Span(l.trackStart, l.thumbPos, 0, across);
    l.thumb = Span(l.thumbPos, l.thumbPos + l.thumbSize, 0, across);
    l.trackAfter = Span(l.thumbPos + l.thumbSize, l.trackEnd, 0, across);
}

BarPart ucScrollbar::HitTest(Point p) const {
    const ScrollbarLayout& l = layout_;
    if (l.button1.Contains(p)) return BarPart::Button1;
    if (l.button2.Contains(p)) return BarPart::Button2;
    if (l.trackBefore.Contains(p)) return BarPart::TrackBefore;
    if (l.trackAfter.Contains(p)) return BarPart::TrackAfter;
    if (l.thumb.Contains(p)) return BarPart::Thumb;
    return BarPart::None;
}

void ucScrollbar::Step(int n, bool byButton) {
    const int before = value_;
    value_ = n < 0 ? std::max(value_ + n, min_) : std::min(value_ + n, max_);
    if (value_ != before) {
        PlaceThumb();
        host_.Repaint();
        host_.Change();
    } else if (byButton) {
        host_.Repaint();
    }
}

void ucScrollbar::LeftButtonDown(Point p) {
    if (!enabled_) return;
    mode_ = HitTest(p);
    const int part = static_cast<int>(mode_);
    switch (mode_) {
    case BarPart::None:
        return;
    case BarPart::Button1:
    case BarPart::Button2:
        pressed_[part] = true;
        hot_[part] = false;
        Step(mode_ == BarPart::Button1 ? -smallChange_ : smallChange_, true);
        break;
    case BarPart::TrackBefore:
    case BarPart::TrackAfter:
        pressed_[part] = true;
        Step(mode_ == BarPart::TrackBefore ? -largeChange_ : largeChange_, false);
        break;
    case BarPart::Thumb:
        grabOffset_ = layout_.thumbPos - Along(p);
        dragStartValue_ = value_;
        pressed_[part] = true;
        hot_[part] = false;
        host_.Repaint();
        return;
    }
    // A handler of Change may have ended the press already.
    if (mode_ != BarPart::None) host_.StartTimer(kDelayTimer, changeDelay_);
}

void ucScrollbar::MouseMove(Point p, bool keysDown) {
    if (keysDown && (mode_ == BarPart::Button1 || mode_ == BarPart::Button2)) {
        const int part = static_cast<int>(mode_);
        const Rect& button = mode_ == BarPart::Button1 ? layout_.button1 : layout_.button2;
        const bool over = button.Contains(p);
        if (over != pressed_[part]) {
            pressed_[part] = over;
            host_.Repaint();
        }
        return;
    }
    if (keysDown && mode_ == BarPart::Thumb) {
        const int oldPos = layout_.thumbPos;
        const int oldValue = value_;
        if (layout_.tolerance.Contains(p)) {
            const int pos = std::clamp(Along(p) + grabOffset_, layout_.trackStart, layout_.trackEnd - layout_.thumbSize);
            value_ = std::clamp(ValueForThumb(pos), min_, max_);
            const int across = orientation_ == Orientation::Vertical ? width_ : height_;
            layout_.thumbPos = pos;
            layout_.trackBefore = Span(layout_.trackStart, pos, 0, across);
            layout_.thumb = Span(pos, pos + layout_.thumbSize, 0, across);
            layout_.trackAfter = Span(pos + layout_.thumbSize, layout_.trackEnd, 0, across);
        } else {
            value_ = dragStartValue_;
            PlaceThumb();
        }
        if (layout_.thumbPos != oldPos) host_.Repaint();
        if (value_ != oldValue) host_.Scroll();
        return;
    }
    if (keysDown) return;
    if (!barHover_) {
        barHover_ = true;
        host_.Repaint();
        host_.StartTimer(kLeaveTimer, kTrackingPeriod);
    }
    const BarPart over = HitTest(p);
    if (over == BarPart::Button1 || over == BarPart::Button2 || over == BarPart::Thumb) {
        const int part = static_cast<int>(over);
        bool changed = !hot_[part];
        for (int i = 0; i < 6; ++i) {
            if (i != part && hot_[i]) changed = true;
            hot_[i] = i == part;
        }
        if (changed) host_.Repaint();
        host_.StartTimer(kHotTimer, kTrackingPeriod);
    }
}

void ucScrollbar::ClearPressed() {
    for (bool& p : pressed_) p = false;
}

void ucScrollbar::LeftButtonUp() {
    host_.StopTimer(kHotTimer);
    host_.StopTimer(kDelayTimer);
    host_.StopTimer(kRepeatTimer);
    const bool dragChanged = mode_ == BarPart::Thumb && value_ != dragStartValue_;
    mode_ = BarPart::None;
    ClearPressed();
    PlaceThumb();
    if (dragChanged) host_.Change();
    host_.Repaint();
}

void ucScrollbar::Timer(int id, Point mouse, bool overBar) {
    switch (id) {
    case kDelayTimer:
        host_.StopTimer(kDelayTimer);
        host_.StartTimer(kRepeatTimer, changeFrequency_);
        return;
    case kRepeatTimer: {
        const int part = static_cast<int>(mode_);
        if (mode_ == BarPart::Button1 || mode_ == BarPart::Button2) {
            const Rect& button = mode_ == BarPart::Button1 ? layout_.button1 : layout_.button2;
            if (!button.Contains(mouse)) return;
            const int before = value_;
            Step(mode_ == BarPart::Button1 ? -smallChange_ : smallChange_, true);
            if (value_ == before) host_.StopTimer(kRepeatTimer);
        } else if (mode_ == BarPart::TrackBefore) {
            if (Along(mouse) >= layout_.thumbPos) {
                pressed_[part] = false;
                host_.Repaint();
            } else {
                pressed_[part] = true;
                Step(-largeChange_, false);
            }
        } else if (mode_ == BarPart::TrackAfter) {
            if (Along(mouse) >= layout_.thumbPos + layout_.thumbSize) {
                pressed_[part] = true;
                Step(largeChange_, false);
            } else {
                pressed_[part] = false;
                host_.Repaint();
            }
        }
        return;
    }
    case kHotTimer: {
        const Rect* rects[6] = {nullptr, &layout_.button1, &layout_.button2, nullptr, nullptr, &layout_.thumb};
        for (int i = 0; i < 6; ++i) {
            if (hot_[i] && rects[i] && !rects[i]->Contains(mouse)) {
                hot_[i] = false;
                host_.StopTimer(kHotTimer);
                host_.Repaint();
            }
        }
        return;
    }
    case kLeaveTimer:
        if (!overBar && barHover_ && mode_ == BarPart::None) {
            barHover_ = false;
            host_.StopTimer(kLeaveTimer);
            host_.Repaint();
        }
        return;
    default:
        return;
    }
}

int ucScrollbar::ButtonState(int button) const {
    const int part = button == 1 ? 1 : 2;
    if (!enabled_) return 4;
    if (pressed_[part]) return 3;
    if (hot_[part]) return 2;
    return barHover_ ? 1 : 0;
}

int ucScrollbar::TrackState(BarPart part) const {
    if (!enabled_) return 0;
    return pressed_[static_cast<int>(part)] ? 1 : 0;
}

int ucScrollbar::ThumbState() const {
    if (!enabled_) return 3;
    if (pressed_[static_cast<int>(BarPart::Thumb)]) return 2;
    return hot_[static_cast<int>(BarPart::Thumb)] ? 1 : 0;
}

}  // namespace velmora::kelpo
