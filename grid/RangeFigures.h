#pragma once

// Figures over a run of cells from..to (inclusive), each cell's value read by valueAt.

template <class ValueAt> double SumOf(int from, int to, ValueAt valueAt) {
    double sum = 0;
    for (int i = from; i <= to; ++i)
        sum += valueAt(i);
    return sum;
}

// The first cell's value, replaced by each later one that beats it; from <= to.
template <class ValueAt, class Beats> double ExtremeOf(int from, int to, ValueAt valueAt, Beats beats) {
    double extreme = valueAt(from);
    for (int i = from + 1; i <= to; ++i)
        if (const double value = valueAt(i); beats(value, extreme))
            extreme = value;
    return extreme;
}
