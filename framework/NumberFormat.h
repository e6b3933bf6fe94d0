#pragma once

#include "framework/AnsiString.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// Locale characters, read once at start-up (ReadLocaleSettings); tests may overwrite them.
extern char DecimalSeparator;
extern char ThousandSeparator;

// Reads the user's separators from the system locale.
void ReadLocaleSettings();

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

AnsiString IntToStr(std::int64_t value);
AnsiString IntToHex(std::uint64_t value, int digits);
// Up to 15 significant digits, scientific only where fixed would not show them.
AnsiString FloatToStr(double value);
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// The framework's picture formatting, for plain pictures: '0' is a digit always written, '#' a
// digit written only where it counts, '.' the decimal separator (the fraction keeps its decimals
// up to the last '0' and drops trailing zeros beyond), ',' groups the integer digits in thousands;
// text before and after the digits stands as it is. "#0.0#" writes 1.331 as "1.33" and 1 as "1.0".
AnsiString FormatFloat(const AnsiString& format, double value);

// Parse with the locale's decimal separator; leading and trailing blanks are allowed.
double StrToFloat(const AnsiString& text);
bool TryStrToFloat(std::string_view text, double& value);
bool TryStrToFloat(const AnsiString& text, double& value);
inline bool TryStrToFloat(const char* text, double& value) {
    return TryStrToFloat(std::string_view(text), value);
}
int StrToInt(const AnsiString& text);
bool TryStrToInt(const AnsiString& text, int& value);
// The integer text begins with, read as far as it goes: blanks, a sign, "$" or "0x" for
// hexadecimal, digits; 0 without digits; a number too large for 64 bits stops at the largest.
std::int64_t LeadingInteger(std::string_view text);

// Fixed-point text of value with the given decimals, rounding a value lying exactly halfway
// away from zero, never "-0". No thousand separators; '.' as decimal point.
std::string FixedDigits(double value, int decimals);
// More decimals than this are not written.
constexpr int MostFixedDecimals = 30;
// Room for the longest text WriteFixed writes beyond its width: the integer digits of the
// largest double, a sign, a point and the most decimals.
constexpr std::size_t FixedTextRoom = 345;
// Writes at out what Sprintf("%<width>.<decimals>f", value) gives, in room for
// max(width, FixedTextRoom) characters; the end of what was written.
char* WriteFixed(char* out, double value, int width, int decimals);
// The widest field FixedWidthText and SprintfFixed pad to.
constexpr int MostFixedWidth = 64;
// WriteFixed's text with decimal for its point, for widths up to MostFixedWidth.
AnsiString FixedWidthText(double value, int width, int decimals, char decimal);
// What Sprintf("%<width>.<decimals>f", value) gives, for widths up to MostFixedWidth, without
// reading a format.
AnsiString SprintfFixed(double value, int width, int decimals);

// A text argument is viewed, not copied: it lives until the formatting call returns.
using FormatArg = std::variant<std::int64_t, double, std::string_view>;

// The two printf dialects: the framework's Format (locale separators, "%f" with 2 decimals,
// "%g" as FloatToStr) and the C runtime's ('.', "%f" with 6 decimals, C's "%g").
struct FormatStyle {
    char Decimal;
    char Thousand;
    bool CRuntime;
};

// %[flags][width][.precision](d|u|x|X|f|e|E|g|n|s|%); flags '-', '0', '+', ' '.
// A mismatch between a conversion and its argument raises EConvertError.
AnsiString FormatWith(std::string_view format, std::initializer_list<FormatArg> args, FormatStyle style);

namespace detail {
inline FormatArg ToFormatArg(double v) {
    return v;
}
inline FormatArg ToFormatArg(float v) {
    return static_cast<double>(v);
}
inline FormatArg ToFormatArg(const AnsiString& v) {
    return v.view();
}
inline FormatArg ToFormatArg(const char* v) {
    return std::string_view(v ? v : "");
}
template <class T>
requires std::is_integral_v<T> FormatArg ToFormatArg(T v) {
    return static_cast<std::int64_t>(v);
}
} // namespace detail

// The framework's Format: decimal and thousand separators of the locale.
template <class... Args> AnsiString Format(const char* format, const Args&... args) {
    return FormatWith(format, {detail::ToFormatArg(args)...}, {DecimalSeparator, ThousandSeparator, false});
}
template <class... Args> AnsiString Format(const AnsiString& format, const Args&... args) {
    return FormatWith(format.view(), {detail::ToFormatArg(args)...},
                      {DecimalSeparator, ThousandSeparator, false});
}

// The C runtime's sprintf as the design windows and files use it: always '.' and ','.
template <class... Args> AnsiString Sprintf(const char* format, const Args&... args) {
    return FormatWith(format, {detail::ToFormatArg(args)...}, {'.', ',', true});
}
template <class... Args> AnsiString Sprintf(const AnsiString& format, const Args&... args) {
    return FormatWith(format.view(), {detail::ToFormatArg(args)...}, {'.', ',', true});
}
