// A point in a view's coordinates: h grows to the right, v downwards.
#pragma once

using CCoord = int;

struct CPoint {
    constexpr CPoint() = default;
    constexpr CPoint(CCoord horizontal, CCoord vertical) : h(horizontal), v(vertical) {}

    constexpr CPoint& offset(CCoord dh, CCoord dv) {
        h += dh;
        v += dv;
        return *this;
    }
    constexpr bool operator==(const CPoint& other) const { return h == other.h && v == other.v; }
    constexpr bool operator!=(const CPoint& other) const { return !(*this == other); }

    CCoord h = 0;
    CCoord v = 0;
};
