#pragma once

#include <cmath>

// The hydraulics were written for a platform where a division by zero or an invalid operation
// raises. Here they give inf or NaN, so these raise the framework's matching exception instead.
// The checks are inline: the design runs them some seventy times a sewer.

// Raises EInvalidOp for a NaN, EOverflow for an infinity.
[[noreturn]] void RaiseNotFinite(double value);
// Raises EZeroDivide.
[[noreturn]] void RaiseZeroDivide();

// value itself when finite; EInvalidOp for a NaN, EOverflow for an infinity.
inline double Finite(double value) {
    if (!std::isfinite(value)) [[unlikely]]
        RaiseNotFinite(value);
    return value;
}

// EZeroDivide when denominator is 0; EOverflow when the quotient is infinite.
inline double Quotient(double numerator, double denominator) {
    if (denominator == 0) [[unlikely]]
        RaiseZeroDivide();
    return Finite(numerator / denominator);
}

// EZeroDivide for 0 to a negative power; EInvalidOp for a negative base with a fractional
// exponent or a NaN; EOverflow for an infinite result.
inline double Power(double base, double exponent) {
    if (base == 0 && exponent < 0) [[unlikely]]
        RaiseZeroDivide();
    return Finite(std::pow(base, exponent));
}

// EInvalidOp for a negative or NaN argument.
inline double SquareRoot(double value) {
    return Finite(std::sqrt(value));
}

// EZeroDivide for 0; EInvalidOp for a negative or NaN argument.
inline double Log10(double value) {
    if (value == 0) [[unlikely]]
        RaiseZeroDivide();
    return Finite(std::log10(value));
}
