#include "framework/NumberFormat.h"

#include "framework/Exceptions.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

char DecimalSeparator = '.';
char ThousandSeparator = ',';

void ReadLocaleSettings() {
    const QLocale locale = QLocale::system();
    const auto toChar = [](const QString& s, char fallback) {
        return s.size() == 1 && s[0].unicode() < 128 ? static_cast<char>(s[0].unicode()) : fallback;
    };
    DecimalSeparator = toChar(locale.decimalPoint(), '.');
    ThousandSeparator = toChar(locale.groupSeparator(), ',');
    if (ThousandSeparator == DecimalSeparator)
        ThousandSeparator = DecimalSeparator == '.' ? ',' : '.';
}

namespace {

// Room for the integer digits of the largest double, a point and the decimals asked of it.
constexpr std::size_t FixedRoom = 310 + MostFixedDecimals + 2;
// Room for every decimal of any double's exact expansion (at most 1074 of them).
constexpr std::size_t ExactRoom = 310 + 1080;
constexpr int MostSignificantDigits = 64;

// Decimals in the exact expansion of magnitude: a double is an odd integer times a power of
// two, and 2^-k has exactly k decimals.
int ExactDecimals(double magnitude) {
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    return std::max(0, 53 - exponent - std::countr_zero(mantissa));
}

// Digit number place (0 the first) of the exact expansion of magnitude, counting decimals
// when fromPoint is set and significant digits otherwise.
char ExactDigit(double magnitude, std::size_t place, bool fromPoint) {
    std::array<char, ExactRoom> buf;
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                      std::chars_format::fixed, ExactDecimals(magnitude));
    std::string_view text(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const std::size_t point = text.find('.');
    const std::size_t first = fromPoint ? point + 1 : text.find_first_not_of("0.");
    std::size_t at = first + place;
    if (!fromPoint && point != std::string_view::npos && first < point && at >= point)
        ++at;
    return at < text.size() ? text[at] : '0';
}

// to_chars rounds to nearest, ties to even, so a number asked with one digit more than kept
// shows whether to round up, except where that digit is a 5: then the value may lie below,
// on or above the tie, and the exact expansion decides. Rounding half away from zero means up
// whenever the exact digit after the kept ones is 5 or more.
bool RoundsUp(char extra, double magnitude, std::size_t place, bool fromPoint) {
    if (extra == '5')
        extra = ExactDigit(magnitude, place, fromPoint);
    return extra >= '5';
}

// Adds one unit in the last place of the digits in [first, last) ("1.29" -> "1.30"); true when
// it carries out of the first digit ("99" -> "00").
bool IncrementDigits(char* first, char* last) {
    for (char* c = last; c != first;) {
        --c;
        if (*c == '.')
            continue;
        if (*c != '9') {
            ++*c;
            return false;
        }
        *c = '0';
    }
    return true;
}

const char* NonFiniteText(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// The powers of ten a double holds exactly.
constexpr std::array<double, 23> PowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// scaled, the correctly rounded result of one product or quotient, rounded half away from zero to
// a whole number, where the rounding of scaled (half an ulp at most) cannot change that: false
// when its fraction lies within an ulp of a half. Near a whole number either side gives it.
bool WholeOfScaled(double scaled, std::uint64_t& whole) {
    // At least an ulp of scaled, at most two.
    const double ulp = scaled * 0x1p-52;
    const auto below = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(below);
    if (std::fabs(fraction - 0.5) <= ulp)
        return false;
    whole = below + (fraction > 0.5 ? 1 : 0);
    return true;
}

// magnitude x 10^decimals rounded half away from zero to a whole number, where one product
// settles it; false also for large numbers.
bool ScaledWhole(double magnitude, int decimals, std::uint64_t& whole) {
    constexpr double Largest = 0x1p44;
    if (decimals >= static_cast<int>(PowersOfTen.size()))
        return false;
    const double scaled = magnitude * PowersOfTen[static_cast<std::size_t>(decimals)];
    return scaled < Largest && WholeOfScaled(scaled, whole);
}

// magnitude (above zero) rounded half away from zero to count significant digits, as a whole
// number of count digits and the decimal exponent of its first digit, where one product or
// quotient by a power of ten settles it; false also for more than 15 digits and numbers far
// from 1.
bool SignificantWhole(double magnitude, int count, std::uint64_t& whole, int& exponent) {
    constexpr int MostDigits = 15;
    static_assert(std::numeric_limits<double>::is_iec559);
    const int biased = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF);
    // Zero and subnormal numbers have no biased exponent, infinity the largest.
    if (count > MostDigits || biased == 0 || biased == 0x7FF)
        return false;
    const double first = PowersOfTen[static_cast<std::size_t>(count - 1)];
    const double beyond = PowersOfTen[static_cast<std::size_t>(count)];
    // floor(e log10 2) for magnitude in [2^e, 2^(e+1)), give or take one, which the size of the
    // scaled number then puts right.
    exponent = ((biased - 1023) * 1233) >> 12;
    for (int tries = 0; tries < 3; ++tries) {
        const int shift = count - 1 - exponent;
        if (std::abs(shift) >= static_cast<int>(PowersOfTen.size()))
            return false;
        const double power = PowersOfTen[static_cast<std::size_t>(std::abs(shift))];
        const double scaled = shift >= 0 ? magnitude * power : magnitude / power;
        if (scaled < first) {
            --exponent;
        } else if (scaled >= beyond) {
            ++exponent;
        } else {
            if (!WholeOfScaled(scaled, whole))
                return false;
            if (whole == static_cast<std::uint64_t>(beyond)) {
                whole /= 10;
                ++exponent;
            }
            return true;
        }
    }
    return false;
}

// Writes |value| (finite) with decimals places, rounded half away from zero, at text, which has
// room for FixedRoom characters and a carry; the end.
char* MagnitudeDigits(char* text, double magnitude, int decimals) {
    char* end = std::to_chars(text, text + FixedRoom, magnitude, std::chars_format::fixed, decimals + 1).ptr;
    const bool up = RoundsUp(end[-1], magnitude, static_cast<std::size_t>(decimals), true);
    // Without the extra digit, and without the point when no decimals are kept.
    end -= decimals > 0 ? 1 : 2;
    if (up && IncrementDigits(text, end)) {
        std::memmove(text + 1, text, static_cast<std::size_t>(end - text));
        *text = '1';
        ++end;
    }
    return end;
}

// The digits of a whole number ScaledWhole gave, read with a point before its last decimals
// digits: how many stand before the point (one at least, a zero for a number below one).
int IntegerDigits(std::uint64_t whole, int decimals) {
    static constexpr auto Powers = [] {
        std::array<std::uint64_t, 20> powers{};
        std::uint64_t power = 1;
        for (auto& p : powers) {
            p = power;
            power *= 10;
        }
        return powers;
    }();
    // floor(log10(2) x bit length) digits, or one more where whole reaches the next power of ten.
    const int below = (static_cast<int>(std::bit_width(whole)) * 1233) >> 12;
    const int digits = below + (whole >= Powers[static_cast<std::size_t>(below)] ? 1 : 0);
    return std::max(digits - decimals, 1);
}

// Writes whole with a point before its last decimals digits and integerDigits before the point,
// from the last digit back, two at a time; in 32 bits where whole fits, which divides cheaper.
template <typename Whole> char* WriteWholeDigits(char* out, Whole whole, int decimals, int integerDigits) {
    static constexpr std::string_view Pairs = "00010203040506070809101112131415161718192021222324"
                                              "25262728293031323334353637383940414243444546474849"
                                              "50515253545556575859606162636465666768697071727374"
                                              "75767778798081828384858687888990919293949596979899";
    char* const end = out + integerDigits + (decimals > 0 ? decimals + 1 : 0);
    char* at = end;
    const auto put = [&](int count) {
        for (; count >= 2; count -= 2) {
            const auto pair = static_cast<std::size_t>(whole % 100) * 2;
            whole /= 100;
            at -= 2;
            std::memcpy(at, Pairs.data() + pair, 2);
        }
        if (count == 1) {
            *--at = static_cast<char>('0' + whole % 10);
            whole /= 10;
        }
    };
    put(decimals);
    if (decimals > 0)
        *--at = '.';
    put(integerDigits);
    return end;
}

char* WriteScaledWhole(char* out, std::uint64_t whole, int decimals, int integerDigits) {
    if (whole <= std::numeric_limits<std::uint32_t>::max())
        return WriteWholeDigits(out, static_cast<std::uint32_t>(whole), decimals, integerDigits);
    return WriteWholeDigits(out, whole, decimals, integerDigits);
}

// Significant digits of |value| rounded half away from zero to count digits, and the decimal
// exponent of the first one (value = d1.d2d3... x 10^Exponent).
struct Decimal {
    std::string Digits;
    int Exponent = 0;
};

Decimal SignificantDigits(double value, int count) {
    count = std::clamp(count, 1, MostSignificantDigits);
    const double magnitude = std::fabs(value);
    Decimal d;
    std::uint64_t whole = 0;
    if (SignificantWhole(magnitude, count, whole, d.Exponent)) {
        std::array<char, 24> digits;
        d.Digits.assign(digits.data(),
                        std::to_chars(digits.data(), digits.data() + digits.size(), whole).ptr);
        return d;
    }
    std::array<char, MostSignificantDigits + 16> buf;
    const auto result =
        std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, count);
    std::string_view text(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const auto e = text.find('e');
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.Exponent);
    d.Digits += text[0];
    if (count > 1)
        d.Digits.append(text.substr(2, static_cast<std::size_t>(count - 1)));
    if (RoundsUp(text[e - 1], magnitude, static_cast<std::size_t>(count), false) &&
        IncrementDigits(d.Digits.data(), d.Digits.data() + d.Digits.size())) {
        d.Digits.front() = '1';
        ++d.Exponent;
    }
    return d;
}

std::string GroupThousands(std::string_view fixed, char thousand, char decimal) {
    const auto point = fixed.find('.');
    const std::string_view integer = fixed.substr(0, point);
    std::string out;
    const std::size_t first = (integer[0] == '-') ? 1 : 0;
    out.append(integer, 0, first);
    for (std::size_t i = first; i < integer.size(); ++i) {
        out += integer[i];
        const std::size_t remaining = integer.size() - i - 1;
        if (remaining > 0 && remaining % 3 == 0)
            out += thousand;
    }
    if (point != std::string_view::npos)
        out.append(1, decimal).append(fixed.substr(point + 1));
    return out;
}

void SetDecimal(std::string& text, std::size_t start, char decimal) {
    if (decimal == '.')
        return;
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] == '.')
            text[i] = decimal;
}

std::string WithDecimal(std::string text, char decimal) {
    SetDecimal(text, 0, decimal);
    return text;
}

// Room for what WriteExponent writes with the exponent's digits padded to at most 8.
constexpr std::size_t ExponentRoom = MostSignificantDigits + 16;

// Writes the mantissa and exponent of value (finite; zero with fewer than MostSignificantDigits
// decimals) at out, as "1.50E+003" (framework) or "1.50e+03" (C); the end.
char* WriteExponent(char* out, double value, int decimals, char letter, int minExponentDigits) {
    if (value == 0) {
        *out++ = '0';
        if (decimals > 0) {
            *out++ = '.';
            out = std::fill_n(out, decimals, '0');
        }
        *out++ = letter;
        *out++ = '+';
        return std::fill_n(out, minExponentDigits, '0');
    }
    // Most numbers take their digits from one product, without a string between.
    const int count = std::clamp(decimals + 1, 1, MostSignificantDigits);
    std::array<char, 24> wholeDigits;
    std::uint64_t whole = 0;
    Decimal d;
    std::string_view digits;
    if (SignificantWhole(std::fabs(value), count, whole, d.Exponent)) {
        digits = {wholeDigits.data(),
                  std::to_chars(wholeDigits.data(), wholeDigits.data() + wholeDigits.size(), whole).ptr};
    } else {
        d = SignificantDigits(value, count);
        digits = d.Digits;
    }
    char* at = out;
    if (value < 0)
        *at++ = '-';
    *at++ = digits[0];
    if (decimals > 0) {
        *at++ = '.';
        at = std::copy(digits.begin() + 1, digits.end(), at);
    }
    *at++ = letter;
    *at++ = d.Exponent < 0 ? '-' : '+';
    std::array<char, 8> exponent;
    const char* exponentEnd =
        std::to_chars(exponent.data(), exponent.data() + exponent.size(), std::abs(d.Exponent)).ptr;
    for (auto written = exponentEnd - exponent.data(); written < minExponentDigits; ++written)
        *at++ = '0';
    return std::copy(static_cast<const char*>(exponent.data()), exponentEnd, at);
}

std::string ExponentText(double value, int decimals, char letter, int minExponentDigits) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0) {
        std::string zero = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
        return zero + letter + "+" + std::string(static_cast<std::size_t>(minExponentDigits), '0');
    }
    std::array<char, ExponentRoom> text;
    return {text.data(), WriteExponent(text.data(), value, decimals, letter, minExponentDigits)};
}

// The text in [first, end) with decimal for its point.
AnsiString WithDecimal(char* first, char* end, char decimal) {
    if (decimal != '.')
        std::replace(first, end, '.', decimal);
    return std::string_view(first, static_cast<std::size_t>(end - first));
}

// Fixed point with decimals, value rounded once, half away from zero, at whichever place keeps
// fewer digits: its precision-th significant digit or its last decimal; the exponent form of
// precision digits where more than precision digits would stand before the point.
// Below 10^(precision - 1 - decimals) the decimals are the coarser place of a finite value; a
// power of ten a double holds tells that by one comparison.
bool DecimalsCoarser(double value, int precision, int decimals) {
    const int coarser = precision - 1 - decimals;
    const double magnitude = std::fabs(value);
    const bool exactBound = coarser >= 0 && coarser < static_cast<int>(PowersOfTen.size());
    return magnitude == 0 || (exactBound && magnitude < PowersOfTen[static_cast<std::size_t>(coarser)]);
}

std::string PrecisionFixedText(double value, int precision, int decimals) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (DecimalsCoarser(value, precision, decimals))
        return FixedDigits(value, decimals);
    const int coarser = precision - 1 - decimals;
    // The exponent is the value's own, or one more where rounding carried into a power of ten,
    // which rounding at the decimals gives too.
    const Decimal d = SignificantDigits(value, precision);
    if (d.Exponent < coarser)
        return FixedDigits(value, decimals);
    if (d.Exponent >= precision)
        return ExponentText(value, precision - 1, 'E', 2);
    std::string out = value < 0 ? "-" : "";
    const auto integerDigits = static_cast<std::size_t>(std::max(d.Exponent + 1, 0));
    out.append(integerDigits == 0 ? std::string_view("0")
                                  : std::string_view(d.Digits).substr(0, integerDigits));
    if (decimals > 0) {
        out += '.';
        const std::size_t leadingZeros = integerDigits == 0 ? static_cast<std::size_t>(-d.Exponent - 1) : 0;
        out.append(leadingZeros, '0').append(d.Digits, integerDigits);
        const std::size_t written = leadingZeros + d.Digits.size() - integerDigits;
        out.append(static_cast<std::size_t>(decimals) - written, '0');
    }
    return out;
}

// Room for what WriteGeneral writes: a sign, the integer digits of the largest double or a
// point after four zeros, the most significant digits and an exponent.
constexpr std::size_t GeneralRoom = 310 + MostSignificantDigits + 16;

// The framework's general format: fixed while the integer digits fit in precision and the value
// is at least 1e-4, else "1.5E-6"; no trailing zeros. Written at out, which has GeneralRoom; the
// end.
char* WriteGeneral(char* out, double value, int precision) {
    if (!std::isfinite(value)) {
        const std::string_view text = NonFiniteText(value);
        return std::copy(text.begin(), text.end(), out);
    }
    if (value == 0) {
        *out = '0';
        return out + 1;
    }
    // Most numbers take their digits from one whole number, without a string between.
    std::array<char, 24> wholeDigits;
    std::uint64_t whole = 0;
    Decimal d;
    std::string_view digits;
    if (SignificantWhole(std::fabs(value), std::clamp(precision, 1, MostSignificantDigits), whole,
                         d.Exponent)) {
        digits = {wholeDigits.data(),
                  std::to_chars(wholeDigits.data(), wholeDigits.data() + wholeDigits.size(), whole).ptr};
    } else {
        d = SignificantDigits(value, precision);
        digits = d.Digits;
    }
    digits = digits.substr(0, std::max<std::size_t>(1, digits.find_last_not_of('0') + 1));
    if (value < 0)
        *out++ = '-';
    if (d.Exponent >= precision || d.Exponent < -4) {
        *out++ = digits[0];
        if (digits.size() > 1) {
            *out++ = '.';
            out = std::copy(digits.begin() + 1, digits.end(), out);
        }
        *out++ = 'E';
        return std::to_chars(out, out + 8, d.Exponent).ptr;
    }
    if (d.Exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -d.Exponent - 1, '0');
        return std::copy(digits.begin(), digits.end(), out);
    }
    const auto integerDigits = static_cast<std::size_t>(d.Exponent + 1);
    if (digits.size() <= integerDigits) {
        out = std::copy(digits.begin(), digits.end(), out);
        return std::fill_n(out, integerDigits - digits.size(), '0');
    }
    out = std::copy(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(integerDigits), out);
    *out++ = '.';
    return std::copy(digits.begin() + static_cast<std::ptrdiff_t>(integerDigits), digits.end(), out);
}

std::string GeneralText(double value, int precision) {
    std::array<char, GeneralRoom> text;
    return {text.data(), WriteGeneral(text.data(), value, precision)};
}

// C's %g: precision significant digits, scientific when the exponent is below -4 or not below
// the precision, trailing zeros removed.
std::string CGeneralText(double value, int precision) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (precision == 0)
        precision = 1;
    if (value == 0)
        return "0";
    const Decimal d = SignificantDigits(value, precision);
    std::string text = (d.Exponent < -4 || d.Exponent >= precision)
                           ? ExponentText(value, precision - 1, 'e', 2)
                           : FixedDigits(value, precision - 1 - d.Exponent);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    return e == std::string::npos ? mantissa : mantissa + text.substr(e);
}

[[noreturn]] void FormatError(std::string_view format) {
    throw EConvertError("Format '" + AnsiString(format) + "' invalid or incompatible with argument");
}

// Widens what was appended from start on to width: blanks before it, blanks after it (left), or
// zeros after its sign.
void Pad(std::string& out, std::size_t start, int width, bool left, bool zeros) {
    const std::size_t length = out.size() - start;
    if (static_cast<int>(length) >= width)
        return;
    const auto fill = static_cast<std::size_t>(width) - length;
    if (left) {
        out.append(fill, ' ');
        return;
    }
    std::size_t at = start;
    if (zeros && length > 0 && (out[start] == '-' || out[start] == '+' || out[start] == ' '))
        ++at;
    out.insert(at, fill, zeros ? '0' : ' ');
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

namespace {

// Blanks of the width before length characters and a sign, then the sign, which is never on a
// zero; where the number goes.
char* FixedStart(char* out, int width, int length, bool negative) {
    length += negative ? 1 : 0;
    if (width > length) {
        // A field's blanks as one block of fixed size, which compiles to a few stores rather than
        // a memset call: blanks past the field lie in the room every caller gives.
        static_assert(FixedTextRoom >= static_cast<std::size_t>(MostFixedWidth));
        if (width <= MostFixedWidth)
            std::memset(out, ' ', MostFixedWidth);
        else
            std::fill_n(out, width - length, ' ');
        out += width - length;
    }
    if (negative)
        *out++ = '-';
    return out;
}

// WriteFixed of a number one product does not settle, or of no finite number: apart, so that
// the common numbers need no room for its digits.
[[gnu::noinline]] char* WriteFixedDigits(char* out, double value, int width, int decimals) {
    static_assert(FixedTextRoom >= FixedRoom + 2);
    std::array<char, FixedRoom + 1> digits;
    const char* text = digits.data();
    const char* end = nullptr;
    bool negative = false;
    if (std::isfinite(value)) {
        end = MagnitudeDigits(digits.data(), std::fabs(value), decimals);
        negative = value < 0 && std::any_of(text, end, [](char c) { return c != '0' && c != '.'; });
    } else {
        text = NonFiniteText(value);
        end = text + std::strlen(text);
    }
    out = FixedStart(out, width, static_cast<int>(end - text), negative);
    return std::copy(text, end, out);
}

} // namespace

char* WriteFixed(char* out, double value, int width, int decimals) {
    decimals = std::clamp(decimals, 0, MostFixedDecimals);
    std::uint64_t whole = 0;
    if (!std::isfinite(value) || !ScaledWhole(std::fabs(value), decimals, whole))
        return WriteFixedDigits(out, value, width, decimals);
    const int integerDigits = IntegerDigits(whole, decimals);
    out = FixedStart(out, width, integerDigits + (decimals > 0 ? decimals + 1 : 0), value < 0 && whole != 0);
    return WriteScaledWhole(out, whole, decimals, integerDigits);
}

AnsiString FixedWidthText(double value, int width, int decimals, char decimal) {
    static_assert(FixedTextRoom >= MostFixedWidth);
    std::array<char, FixedTextRoom> written;
    return WithDecimal(written.data(),
                       WriteFixed(written.data(), value, std::min(width, MostFixedWidth), decimals), decimal);
}

AnsiString SprintfFixed(double value, int width, int decimals) {
    return FixedWidthText(value, width, decimals, '.');
}

std::string FixedDigits(double value, int decimals) {
    std::array<char, FixedTextRoom> text;
    return {text.data(), WriteFixed(text.data(), value, 0, decimals)};
}

AnsiString IntToStr(std::int64_t value) {
    return std::to_string(value);
}

AnsiString IntToHex(std::uint64_t value, int digits) {
    std::array<char, 32> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value, 16);
    std::string text(buf.data(), result.ptr);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

AnsiString FloatToStr(double value) {
    std::array<char, GeneralRoom> text;
    return WithDecimal(text.data(), WriteGeneral(text.data(), value, 15), DecimalSeparator);
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    precision = std::clamp(precision, 1, 18);
    switch (format) {
    case ffGeneral:
        return WithDecimal(GeneralText(value, precision), DecimalSeparator);
    case ffExponent: {
        if (!std::isfinite(value))
            return NonFiniteText(value);
        // Zeros too: at most 17 decimals.
        std::array<char, ExponentRoom> text;
        char* const end = WriteExponent(text.data(), value, precision - 1, 'E', std::clamp(digits, 0, 4));
        return WithDecimal(text.data(), end, DecimalSeparator);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        // Most numbers are written to their decimals as they stand, without a string between.
        if (format == ffFixed && std::isfinite(value) &&
            DecimalsCoarser(value, precision, std::clamp(digits, 0, 18))) {
            return FixedWidthText(value, 0, std::clamp(digits, 0, 18), DecimalSeparator);
        }
        const std::string fixed = PrecisionFixedText(value, precision, std::clamp(digits, 0, 18));
        const bool exponent = fixed.find('E') != std::string::npos;
        return format == ffFixed || exponent ? WithDecimal(fixed, DecimalSeparator)
                                             : GroupThousands(fixed, ThousandSeparator, DecimalSeparator);
    }
    }
    return {};
}

AnsiString FormatFloat(const AnsiString& format, double value) {
    if (!std::isfinite(value))
        return FloatToStr(value);
    const std::string_view pattern = format.view();
    const auto first = pattern.find_first_of("0#.,");
    if (first == std::string_view::npos)
        return format;
    const auto last = pattern.find_last_of("0#.,");
    const std::string_view number = pattern.substr(first, last - first + 1);
    const auto point = number.find('.');
    const std::string_view integer = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    const auto mostDecimals = static_cast<std::size_t>(
        std::count_if(fraction.begin(), fraction.end(), [](char c) { return c == '0' || c == '#'; }));
    const auto lastZero = fraction.find_last_of('0');
    const std::size_t fewestDecimals = lastZero == std::string_view::npos ? 0 : lastZero + 1;
    const auto integerZeros = static_cast<std::size_t>(std::count(integer.begin(), integer.end(), '0'));

    std::string digits = FixedDigits(std::fabs(value), static_cast<int>(mostDecimals));
    const auto dot = digits.find('.');
    std::string whole = digits.substr(0, dot);
    std::string decimals = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    while (decimals.size() > fewestDecimals && decimals.back() == '0')
        decimals.pop_back();
    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      decimals.find_first_not_of('0') == std::string::npos;
    if (whole == "0" && integerZeros == 0)
        whole.clear();
    if (whole.size() < integerZeros)
        whole.insert(0, integerZeros - whole.size(), '0');
    if (!whole.empty() && integer.find(',') != std::string_view::npos)
        whole = GroupThousands(whole, ThousandSeparator, DecimalSeparator);
    std::string text(pattern.substr(0, first));
    if (value < 0 && !zero)
        text += '-';
    text += whole;
    if (!decimals.empty())
        text += DecimalSeparator + decimals;
    text += pattern.substr(last + 1);
    return text;
}

bool TryStrToFloat(std::string_view text, double& value) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Digits, one separator before any exponent, and an exponent after a digit with its sign. The
    // digits before any exponent are gathered into a whole number on the way.
    bool digitSeen = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    std::uint64_t whole = 0;
    std::size_t digits = 0;
    std::size_t decimals = 0;
    const char decimal = DecimalSeparator;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            digitSeen = true;
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            decimals += pointSeen ? 1 : 0;
        } else if (c == decimal && !pointSeen && !exponentSeen) {
            pointSeen = true;
        } else if ((c == 'e' || c == 'E') && digitSeen && !exponentSeen) {
            exponentSeen = true;
            if (at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-'))
                ++at;
        } else {
            return false;
        }
    }
    if (!digitSeen)
        return false;
    // A whole number up to 2^53 and a power of ten up to 10^19 are exact doubles, so their
    // quotient is the correctly rounded value from_chars would give. Nineteen digits cannot
    // overflow the whole number.
    constexpr std::size_t MostWholeDigits = 19;
    constexpr std::uint64_t MostExactWhole = std::uint64_t{1} << 53;
    if (!exponentSeen && digits <= MostWholeDigits && whole <= MostExactWhole) {
        const double quick = static_cast<double>(whole) / PowersOfTen[decimals];
        value = negative ? -quick : quick;
        return true;
    }
    // from_chars reads '.' as the point: another separator is put in its place in a copy.
    std::string copy;
    if (pointSeen && DecimalSeparator != '.') {
        copy.assign(text);
        std::replace(copy.begin(), copy.end(), DecimalSeparator, '.');
        text = copy;
    }
    double parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

bool TryStrToFloat(const AnsiString& text, double& value) {
    return TryStrToFloat(text.view(), value);
}

double StrToFloat(const AnsiString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError("'" + text + "' is not a valid floating point value");
    return value;
}

namespace {

struct IntegerScan {
    std::int64_t Value = 0;
    std::size_t End = 0;
    bool HasDigits = false;
    bool Overflow = false;
};

// A sign, "$" or "0x" for hexadecimal, then the digits of that base, from the start of s.
IntegerScan ScanInteger(std::string_view s) {
    IntegerScan scan;
    std::size_t at = 0;
    bool negative = false;
    if (at < s.size() && (s[at] == '+' || s[at] == '-'))
        negative = s[at++] == '-';
    int base = 10;
    if (at < s.size() && s[at] == '$') {
        base = 16;
        ++at;
    } else if (at + 1 < s.size() && s[at] == '0' && (s[at + 1] == 'x' || s[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    const auto digit = [base](char c) {
        const int d = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : base;
        return d < base ? d : -1;
    };
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    for (int d; at < s.size() && (d = digit(s[at])) >= 0; ++at) {
        scan.HasDigits = true;
        if (scan.Value > (largest - d) / base) {
            scan.Overflow = true;
            scan.Value = largest;
        } else if (!scan.Overflow) {
            scan.Value = scan.Value * base + d;
        }
    }
    if (negative)
        scan.Value = -scan.Value;
    scan.End = at;
    return scan;
}

} // namespace

bool TryStrToInt(const AnsiString& text, int& value) {
    const std::string s = text.TrimLeft().str();
    const IntegerScan scan = ScanInteger(s);
    if (!scan.HasDigits || scan.Overflow || scan.End != s.size() ||
        scan.Value < std::numeric_limits<int>::min() || scan.Value > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(scan.Value);
    return true;
}

std::int64_t LeadingInteger(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return ScanInteger(text).Value;
}

int StrToInt(const AnsiString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

namespace {

// "%<width>.<decimals>f" and nothing else, the format the design window writes its results in, of
// a double: written straight, as the general path would write it. False for any other format.
bool OneFixedNumber(std::string_view format, std::initializer_list<FormatArg> args, char decimal,
                    AnsiString& text) {
    const auto* value = args.size() == 1 ? std::get_if<double>(args.begin()) : nullptr;
    if (!value || format.size() < 4 || format.front() != '%' || format.back() != 'f')
        return false;
    int numbers[2] = {0, -1};
    int field = 0;
    for (const char c : format.substr(1, format.size() - 2)) {
        if (c == '.' && field == 0) {
            field = 1;
            numbers[1] = 0;
        } else if (c >= '0' && c <= '9' && !(field == 0 && numbers[0] == 0 && c == '0') &&
                   numbers[field] < 100) {
            numbers[field] = numbers[field] * 10 + (c - '0');
        } else {
            return false;
        }
    }
    if (field == 0 || numbers[0] > MostFixedWidth)
        return false;
    text = FixedWidthText(*value, numbers[0], numbers[1], decimal);
    return true;
}

} // namespace

AnsiString FormatWith(std::string_view format, std::initializer_list<FormatArg> args, FormatStyle style) {
    if (AnsiString text; OneFixedNumber(format, args, style.Decimal, text))
        return text;
    const std::string_view f = format;
    std::string out;

    auto arg = args.begin();
    for (std::size_t i = 0; i < f.size(); ++i) {
        // Formats are short: a plain scan beats a library search per piece.
        std::size_t percent = i;
        while (percent < f.size() && f[percent] != '%')
            ++percent;
        if (percent > i)
            out.append(f.data() + i, percent - i);
        if (percent == f.size())
            break;
        i = percent;
        if (++i < f.size() && f[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false, zeros = false, plus = false, space = false;
        for (; i < f.size(); ++i) {
            const char c = f[i];
            if (c == '-')
                left = true;
            else if (c == '0')
                zeros = true;
            else if (c == '+')
                plus = true;
            else if (c == ' ')
                space = true;
            else
                break;
        }
        int width = 0;
        const auto digit = [&f](std::size_t at) { return at < f.size() && f[at] >= '0' && f[at] <= '9'; };
        for (; digit(i); ++i)
            width = width * 10 + (f[i] - '0');
        int precision = -1;
        if (i < f.size() && f[i] == '.') {
            precision = 0;
            for (++i; digit(i); ++i)
                precision = precision * 10 + (f[i] - '0');
        }
        const auto lengthModifier = [](char c) {
            return c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't';
        };
        while (i < f.size() && lengthModifier(f[i]))
            ++i;
        if (i >= f.size() || arg == args.end())
            FormatError(format);
        const char conversion = f[i];
        const FormatArg& value = *arg++;
        const std::size_t start = out.size();
        const auto* integer = std::get_if<std::int64_t>(&value);
        const auto* real = std::get_if<double>(&value);
        switch (conversion) {
        case 'd':
        case 'i':
        case 'u': {
            if (!integer)
                FormatError(format);
            out += std::to_string(conversion == 'u'
                                      ? static_cast<std::int64_t>(static_cast<std::uint32_t>(*integer))
                                      : *integer);
            const std::size_t sign = out[start] == '-' ? 1 : 0;
            const std::size_t digits = out.size() - start - sign;
            if (precision > 0 && static_cast<int>(digits) < precision)
                out.insert(start + sign, static_cast<std::size_t>(precision) - digits, '0');
            break;
        }
        case 'x':
        case 'X':
            if (!integer)
                FormatError(format);
            out += IntToHex(static_cast<std::uint32_t>(*integer), std::max(precision, 0)).str();
            if (conversion == 'x' && style.CRuntime)
                for (std::size_t c = start; c < out.size(); ++c)
                    out[c] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[c])));
            break;
        case 'f':
        case 'F':
        case 'n':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            if (!real && !(style.CRuntime && integer))
                FormatError(format);
            const double v = real ? *real : static_cast<double>(*integer);
            const int decimals = precision >= 0 ? precision : (style.CRuntime ? 6 : 2);
            if (conversion == 'n') {
                out += GroupThousands(FixedDigits(v, decimals), style.Thousand, style.Decimal);
                break;
            }
            if (conversion == 'f' || conversion == 'F') {
                // Blanks before the number are WriteFixed's own padding: no insert afterwards.
                const int blanksTo = left || zeros || plus || space ? 0 : width;
                std::array<char, FixedTextRoom> text;
                const int room = static_cast<int>(FixedTextRoom);
                out.append(text.data(), WriteFixed(text.data(), v, std::min(blanksTo, room), decimals));
            } else if (conversion == 'e' || conversion == 'E') {
                const char letter = style.CRuntime ? conversion : 'E';
                out += ExponentText(v, precision >= 0 ? precision : (style.CRuntime ? 6 : 14), letter,
                                    style.CRuntime ? 2 : 3);
            } else {
                out += style.CRuntime ? CGeneralText(v, precision >= 0 ? precision : 6)
                                      : GeneralText(v, precision > 0 ? precision : 15);
            }
            SetDecimal(out, start, style.Decimal);
            break;
        }
        case 's': {
            const auto* s = std::get_if<std::string_view>(&value);
            if (!s)
                FormatError(format);
            out += precision >= 0 ? s->substr(0, static_cast<std::size_t>(precision)) : *s;
            break;
        }
        default:
            FormatError(format);
        }
        if ((plus || space) && conversion != 's' && out.size() > start && out[start] != '-')
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), plus ? '+' : ' ');
        Pad(out, start, width, left, zeros && conversion != 's');
    }
    return out;
}
