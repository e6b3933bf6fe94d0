#pragma once

#include "framework/Geometry.h"
#include "framework/GridTypes.h"

#include <ostream>

// Failure output shows coordinates rather than the bytes of the object.
inline void PrintTo(const TPoint& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const TRect& r, std::ostream* out) {
    *out << "[" << r.Left << ", " << r.Top << " - " << r.Right << ", " << r.Bottom << "]";
}

inline void PrintTo(const TGridCoord& c, std::ostream* out) {
    *out << "cell (" << c.X << ", " << c.Y << ")";
}

inline void PrintTo(const TGridRect& r, std::ostream* out) {
    *out << "cells [" << r.Left << ", " << r.Top << " - " << r.Right << ", " << r.Bottom << "]";
}
