#include "network/FloatingPointFaults.h"

#include "framework/Exceptions.h"

#include <cmath>

double Finite(double value) {
    if (std::isnan(value))
        throw EInvalidOp();
    if (std::isinf(value))
        throw EOverflow();
    return value;
}

double Quotient(double numerator, double denominator) {
    if (denominator == 0)
        throw EZeroDivide();
    return Finite(numerator / denominator);
}

double Power(double base, double exponent) {
    if (base == 0 && exponent < 0)
        throw EZeroDivide();
    return Finite(std::pow(base, exponent));
}

double SquareRoot(double value) {
    return Finite(std::sqrt(value));
}

double Log10(double value) {
    if (value == 0)
        throw EZeroDivide();
    return Finite(std::log10(value));
}
