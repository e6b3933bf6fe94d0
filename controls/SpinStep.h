#pragma once

#include "framework/DateTime.h"

#include <algorithm>
#include <string_view>

// How a spin edit steps its value, as plain rules of the text and the caret (the number of
// characters before it). Parts of a date or time are the text's runs of digits or letters: the
// caret stands in the part whose run it touches or follows, the last part taking the rest.

// One day, one calendar month or one year up (sign 1) or down (sign -1), by the part of text the
// caret stands in, in the order of ShortDateFormat's fields. A day a month lacks becomes the
// month's last day.
TDateTime StepDate(TDateTime value, std::string_view text, int caret, int sign);
// One hour, minute or second, by the part of text the caret stands in; the time wraps within
// its day.
TDateTime StepTime(TDateTime value, std::string_view text, int caret, int sign);
// The step of the digit left of the caret in a number text: 10^k for the k-th digit of the
// whole part, 10^-k for the k-th decimal (float only; an integer gets 0, no step). A caret at the
// start, or just after a leading '-', gives the ordinary step.
double SmartStep(std::string_view text, int caret, char decimalSeparator, bool isFloat, double ordinary);
// A whole number stepped by step, rounded; a step past either end of the whole numbers stops
// there instead of wrapping round.
int StepWithinInt(int value, double step);
// The value brought within its limits, given in either order; equal limits take any value.
template <class T> T WithinLimits(T value, T lower, T upper) {
    return lower == upper ? value : std::clamp(value, std::min(lower, upper), std::max(lower, upper));
}
// The text of a float spin's value within its limits: with precision decimals the text of the
// value, or the nearest one that reads within the limits; the least limit itself, as its
// shortest text, when no text of that precision lies within them. Precision 0 gives the
// shortest text. A value that is no number, or infinite and unlimited, raises EConvertError.
AnsiString FloatTextWithinLimits(double value, double lower, double upper, int precision);
