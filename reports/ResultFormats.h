#pragma once

#include "framework/NumberFormat.h"

// The results' number texts: fixed point to one, two or three decimals, or scientific with four
// significant digits, each rounded to 7 significant digits where that keeps fewer.

inline AnsiString F1(double value) {
    return FloatToStrF(value, ffFixed, 7, 1);
}

inline AnsiString F2(double value) {
    return FloatToStrF(value, ffFixed, 7, 2);
}

inline AnsiString F3(double value) {
    return FloatToStrF(value, ffFixed, 7, 3);
}

inline AnsiString E4(double value) {
    return FloatToStrF(value, ffExponent, 4, 2);
}
