#pragma once

// The hydraulics were written for a platform where a division by zero or an invalid operation
// raises. Here they give inf or NaN, so these raise the framework's matching exception instead.

// value itself when finite; EInvalidOp for a NaN, EOverflow for an infinity.
double Finite(double value);
// EZeroDivide when denominator is 0; EOverflow when the quotient is infinite.
double Quotient(double numerator, double denominator);
// EZeroDivide for 0 to a negative power; EInvalidOp for a negative base with a fractional
// exponent or a NaN; EOverflow for an infinite result.
double Power(double base, double exponent);
// EInvalidOp for a negative or NaN argument.
double SquareRoot(double value);
// EZeroDivide for 0; EInvalidOp for a negative or NaN argument.
double Log10(double value);
