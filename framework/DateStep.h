#pragma once

#include "framework/DateTime.h"

#include <string_view>

// The part of a date or time that a spin step under the caret changes.
enum class TDatePart { Day, Month, Year };
enum class TTimePart { Hour, Minute, Second };

// Which field of a text split by separator the caret offset stands in: 0 before the first
// separator, 1 before the second, 2 after it.
int FieldAtCaret(std::string_view text, int caret, char separator);
// The date part that field (0-2) of a text in ShortDateFormat holds, in the format's own order.
TDatePart DatePartOfField(int field);
// value one day, month or year on (sign 1) or back (-1), its time of day kept. A month step
// keeps the day within the month's length; a year step from 29 February lands on the 28th.
TDateTime StepDate(TDateTime value, TDatePart part, int sign);
// value one hour, minute or second on or back. Up may pass midnight; down from below the step
// wraps to the evening.
TDateTime StepTime(TDateTime value, TTimePart part, int sign);
// value brought within lower..upper, given in either order, a limit past either end of the
// calendar taken at that end; equal limits take any value.
TDateTime DateWithinLimits(TDateTime value, TDateTime lower, TDateTime upper);
