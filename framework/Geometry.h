#pragma once

#include <cmath>

// A point in pixels.
struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle in pixels; Right and Bottom lie just outside it, as the framework counts.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) {
    return {x, y};
}

inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}

// The rectangle of the given size at (left, top).
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// a × b / c, rounded half away from zero, without overflow in between; c must not be 0.
inline int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}
