#include "controls/SpinStep.h"

#include "framework/DateStep.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"

#include <cmath>
#include <limits>

namespace {

bool IsAlphaNumeric(char c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
}

// How many runs of digits or letters end before the caret.
int PartAt(std::string_view text, int caret) {
    int part = 0;
    const int length = static_cast<int>(text.size());
    for (int i = 0; i < length; ++i) {
        const bool runEnds = IsAlphaNumeric(text[static_cast<std::size_t>(i)]) &&
                             (i + 1 == length || !IsAlphaNumeric(text[static_cast<std::size_t>(i) + 1]));
        if (runEnds && i + 1 < caret)
            ++part;
    }
    return part;
}

constexpr long long MillisecondsPerDay = 86400000;

} // namespace

TDateTime StepDate(TDateTime value, std::string_view text, int caret, int sign) {
    const AnsiString fields = DateFields(ShortDateFormat);
    const int part = std::min(PartAt(text, caret), std::max(fields.Length() - 1, 0));
    const char field = fields.IsEmpty() ? 'd' : fields[part + 1];
    return StepDate(value,
                    field == 'm'   ? TDatePart::Month
                    : field == 'y' ? TDatePart::Year
                                   : TDatePart::Day,
                    sign);
}

TDateTime StepTime(TDateTime value, std::string_view text, int caret, int sign) {
    constexpr long long steps[] = {3600000, 60000, 1000};
    const double day = std::floor(value);
    const long long time = std::llround((value - day) * MillisecondsPerDay);
    const long long step = steps[std::min(PartAt(text, caret), 2)] * sign;
    const long long wrapped = ((time + step) % MillisecondsPerDay + MillisecondsPerDay) % MillisecondsPerDay;
    return day + static_cast<double>(wrapped) / MillisecondsPerDay;
}

double SmartStep(std::string_view text, int caret, char decimalSeparator, bool isFloat, double ordinary) {
    if (caret <= 0 || (caret == 1 && text.starts_with('-')))
        return ordinary;
    const int length = static_cast<int>(text.size());
    const int right = length - caret;
    const std::size_t separator = text.find(decimalSeparator);
    const int decimals = separator == std::string_view::npos ? -1 : length - static_cast<int>(separator) - 1;
    if (decimals > right)
        return isFloat ? std::pow(10.0, -(decimals - right)) : 0;
    const int exponent = right - decimals - 1;
    return exponent < 1 ? 1 : std::pow(10.0, exponent);
}

int StepWithinInt(int value, double step) {
    return static_cast<int>(std::clamp<double>(std::round(static_cast<double>(value) + step),
                                               std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

AnsiString FloatTextWithinLimits(double value, double lower, double upper, int precision) {
    value = WithinLimits(value, lower, upper);
    // "NAN" and "INF" would read back as no number at all.
    if (!std::isfinite(value))
        throw EConvertError("'" + FloatToStr(value) + "' is not a valid floating point value");
    if (precision < 1)
        return FloatToStr(value);
    const AnsiString text = FloatToStrF(value, ffFixed, 15, precision);
    if (lower == upper)
        return text;
    const double least = std::min(lower, upper);
    const double most = std::max(lower, upper);
    const auto inside = [&](const AnsiString& candidate) {
        double shown = 0;
        return TryStrToFloat(candidate, shown) && shown >= least && shown <= most;
    };
    if (inside(text))
        return text;
    // The text rounded past a limit: the nearest one a last decimal inside it, or the next when
    // scaling the limit rounded onto it.
    const double scale = std::pow(10.0, precision);
    double shown = value;
    const bool aboveMost = TryStrToFloat(text, shown) && shown > most;
    const double inward = aboveMost ? -1 : 1;
    const double nearest = aboveMost ? std::floor(most * scale) : std::ceil(least * scale);
    for (const double steps : {0.0, inward}) {
        const AnsiString candidate = FloatToStrF((nearest + steps) / scale, ffFixed, 15, precision);
        if (inside(candidate))
            return candidate;
    }
    // No text at this precision lies within the limits.
    return FloatToStr(least);
}
