#pragma once

#include "platform/com/Types.h"

// Points, rectangles and sizes in pixels. A rectangle holds its left and top edges and
// stops just before its right and bottom ones, so its width is right - left.
struct POINT {
    LONG x = 0, y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct SIZE {
    LONG cx = 0, cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// True when the point lies inside the rectangle (on its left or top edge counts, on its
// right or bottom edge does not).
constexpr bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
