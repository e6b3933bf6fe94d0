#include "network/FloatingPointFaults.h"

#include "framework/Exceptions.h"

#include <cmath>

namespace {

double Checked(double result) {
    if (std::isnan(result))
        throw EInvalidOp();
    if (std::isinf(result))
        throw EOverflow();
    return result;
}

} // namespace

double Quotient(double numerator, double denominator) {
    if (denominator == 0)
        throw EZeroDivide();
    return Checked(numerator / denominator);
}

double Power(double base, double exponent) {
    if (base == 0 && exponent < 0)
        throw EZeroDivide();
    return Checked(std::pow(base, exponent));
}

double SquareRoot(double value) {
    return Checked(std::sqrt(value));
}

double Log10(double value) {
    if (value == 0)
        throw EZeroDivide();
    return Checked(std::log10(value));
}
