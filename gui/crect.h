// A rectangle in pixels. Left and top are inside, right and bottom are the
// first column and row outside, so width() is right - left.
#pragma once

#include <algorithm>

#include "gui/cpoint.h"

struct CRect {
    constexpr CRect() = default;
    constexpr CRect(CCoord leftEdge, CCoord topEdge, CCoord rightEdge, CCoord bottomEdge)
        : left(leftEdge), top(topEdge), right(rightEdge), bottom(bottomEdge) {}
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.h), top(origin.v), right(origin.h + size.h), bottom(origin.v + size.v) {}

    constexpr CCoord width() const { return right - left; }
    constexpr CCoord height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr CPoint topLeft() const { return CPoint(left, top); }

    constexpr bool pointInside(const CPoint& where) const {
        return where.h >= left && where.h < right && where.v >= top && where.v < bottom;
    }
    constexpr CRect& offset(CCoord dh, CCoord dv) {
        left += dh;
        right += dh;
        top += dv;
        bottom += dv;
        return *this;
    }
    // The part of this rectangle inside other; empty when they do not meet.
    constexpr CRect& bound(const CRect& other) {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::max(left, std::min(right, other.right));
        bottom = std::max(top, std::min(bottom, other.bottom));
        return *this;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr CRect& unite(const CRect& other) {
        if (other.isEmpty()) return *this;
        if (isEmpty()) return *this = other;
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        return *this;
    }
    constexpr bool operator==(const CRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    constexpr bool operator!=(const CRect& other) const { return !(*this == other); }

    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
};
