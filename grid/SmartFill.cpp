#include "grid/SmartFill.h"

#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"

#include <cstdint>

namespace {

bool HoldsDateOrTime(const AnsiString& S) {
    return S.Pos(DateSeparator) > 0 || S.Pos(TimeSeparator) > 0;
}

std::vector<AnsiString> DateSeries(const AnsiString& A, const AnsiString& B, int Count) {
    const TDateTime first = StrToDateTime(A);
    const TDateTime second = StrToDateTime(B);
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    DecodeDate(first, y1, m1, d1);
    DecodeDate(second, y2, m2, d2);
    const int years = y2 - y1, months = m2 - m1, days = d2 - d1;
    // The differences travel as unsigned numbers: a series running backwards steps by the time
    // between the two values instead.
    const bool forward = years >= 0 && months >= 0 && days >= 0;
    const bool asDate = A.Pos(DateSeparator) > 0;
    std::vector<AnsiString> series;
    TDateTime value = first;
    for (int k = 0; k < Count; ++k) {
        if (k > 0)
            value = forward ? GetNextDate(value, static_cast<unsigned short>(years),
                                          static_cast<unsigned short>(months),
                                          static_cast<unsigned short>(days), second - first)
                            : value + (second - first);
        series.push_back(asDate ? DateToStr(value) : TimeToStr(value));
    }
    return series;
}

std::vector<AnsiString> NumberSeries(const AnsiString& A, const AnsiString& B, int Count,
                                     const AnsiString& FloatFormat) {
    double value = StrToFloat(A);
    const double step = StrToFloat(B) - value;
    std::vector<AnsiString> series;
    for (int k = 0; k < Count; ++k, value += step)
        series.push_back(Format(FloatFormat, value));
    return series;
}

std::vector<AnsiString> IntegerSeries(const AnsiString& A, const AnsiString& B, int Count) {
    int first = 0, second = 0;
    if (!TryStrToInt(A, first) || !TryStrToInt(B, second))
        return {};
    std::vector<AnsiString> series;
    const std::int64_t step = std::int64_t{second} - first;
    std::int64_t value = first;
    for (int k = 0; k < Count; ++k, value += step)
        series.push_back(IntToStr(value));
    return series;
}

} // namespace

std::vector<AnsiString> FillSeries(const AnsiString& A, const AnsiString& B, int Count,
                                   const AnsiString& FloatFormat) {
    if (HoldsDateOrTime(A) && HoldsDateOrTime(B))
        return DateSeries(A, B, Count);
    if (A.Pos(DecimalSeparator) > 0 || B.Pos(DecimalSeparator) > 0)
        return NumberSeries(A, B, Count, FloatFormat);
    return IntegerSeries(A, B, Count);
}
