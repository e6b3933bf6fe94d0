#include "network/FloatingPointFaults.h"

#include "framework/Exceptions.h"

void RaiseNotFinite(double value) {
    if (std::isnan(value))
        throw EInvalidOp();
    throw EOverflow();
}

void RaiseZeroDivide() {
    throw EZeroDivide();
}
