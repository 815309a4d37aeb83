// Points and rectangles in pixels, as the window operations take and give them.
#pragma once

#include "platform/core/WinDefs.h"

class CPoint : public POINT
{
public:
    CPoint() : POINT{0, 0} {}
    CPoint(long px, long py) : POINT{px, py} {}
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};

class CRect : public RECT
{
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(long l, long t, long r, long b) : RECT{l, t, r, b} {}
    long Width() const { return right - left; }
    long Height() const { return bottom - top; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
