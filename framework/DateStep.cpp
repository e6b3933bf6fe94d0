#include "framework/DateStep.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

int DaysInMonth(int year, int month) {
    using namespace std::chrono;
    const year_month_day_last last{std::chrono::year{year} /
                                   std::chrono::month{static_cast<unsigned>(month)} / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

// The calendar's first and last days, 0001-01-01 and 9999-12-31.
bool WithinCalendar(int year) {
    return year >= 1 && year <= 9999;
}

} // namespace

int FieldAtCaret(std::string_view text, int caret, char separator) {
    const auto first = text.find(separator);
    if (first == std::string_view::npos || caret <= static_cast<int>(first))
        return 0;
    const auto second = text.find(separator, first + 1);
    return second == std::string_view::npos || caret <= static_cast<int>(second) ? 1 : 2;
}

TDatePart DatePartOfField(int field) {
    int seen = 0;
    char last = 0;
    for (const char c : ShortDateFormat.view()) {
        const char letter = static_cast<char>(c | 0x20);
        if ((letter != 'd' && letter != 'm' && letter != 'y') || letter == last)
            continue;
        last = letter;
        if (seen++ == field)
            return letter == 'd' ? TDatePart::Day : letter == 'm' ? TDatePart::Month : TDatePart::Year;
    }
    return field == 0 ? TDatePart::Day : field == 1 ? TDatePart::Month : TDatePart::Year;
}

TDateTime StepDate(TDateTime value, TDatePart part, int sign) {
    if (part == TDatePart::Day) {
        // A step past the calendar's end stops there; the time of day rides along.
        const TDateTime next = value + sign;
        return next >= EncodeDate(1, 1, 1) && next < EncodeDate(9999, 12, 31) + 1 ? next : value;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    const double timeOfDay = value - std::floor(value);
    if (part == TDatePart::Month) {
        month += sign;
        if (month < 1) {
            month = 12;
            --year;
        } else if (month > 12) {
            month = 1;
            ++year;
        }
    } else {
        year += sign;
    }
    if (!WithinCalendar(year))
        return value;
    day = std::min(day, DaysInMonth(year, month));
    return EncodeDate(year, month, day) + timeOfDay;
}

TDateTime StepTime(TDateTime value, TTimePart part, int sign) {
    constexpr long long day = 86400;
    const long long step = part == TTimePart::Hour ? 3600 : part == TTimePart::Minute ? 60 : 1;
    long long seconds = std::llround(value * day);
    if (sign > 0) {
        seconds += step;
    } else {
        seconds += day - step;
        if (seconds >= day)
            seconds -= day;
    }
    return static_cast<double>(seconds) / day;
}

TDateTime DateWithinLimits(TDateTime value, TDateTime lower, TDateTime upper) {
    if (lower == upper)
        return value;
    // The calendar runs to the last millisecond of 31 December 9999.
    const TDateTime first = EncodeDate(1, 1, 1);
    const TDateTime last = EncodeDate(9999, 12, 31) + 86399999.0 / 86400000;
    const auto onCalendar = [&](TDateTime limit) { return std::clamp(limit, first, last); };
    return std::clamp(value, onCalendar(std::min(lower, upper)), onCalendar(std::max(lower, upper)));
}
