#pragma once
// Pixel geometry shared by the list and the scrollbar: rectangles as Windows has them (right
// and bottom exclusive) and the rounding rules the controls use.
#include <cmath>

namespace velmora::kelpo {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Empty() const { return right <= left || bottom <= top; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

// Nearest integer; halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Half a size, rounded as above.
inline int Half(int size) { return RoundHalfEven(size / 2.0); }

// Integer division of two values that are first rounded to integers, as the controls' "\"
// arithmetic does; nothing to divide by gives fallback.
inline int RoundedQuotient(double a, double b, int fallback) {
    const int divisor = RoundHalfEven(b);
    if (divisor == 0) return fallback;
    return RoundHalfEven(a) / divisor;
}

// floor(a / b) for a positive b.
inline int FloorDiv(double a, int b) { return static_cast<int>(std::floor(a / b)); }

}  // namespace velmora::kelpo
