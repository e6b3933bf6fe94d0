#include "framework/NumberFormat.h"

#include "framework/Exceptions.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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

// Digits far enough past the kept ones that a double's exact expansion settles the rounding:
// a double is never within 1e-25 of a decimal tie at the kept precision unless it is the tie.
constexpr int GuardDigits = 25;

// Adds one unit in the last place of a digit string ("129" -> "130"); returns true on carry out.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '.')
            continue;
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

bool AllZero(std::string_view digits) {
    return digits.find_first_not_of("0.") == std::string_view::npos;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Significant digits of |value| rounded half away from zero to count digits, and the decimal
// exponent of the first one (value = 0.d1d2... x 10^(exponent+1)).
struct Decimal {
    std::string Digits;
    int Exponent = 0;
};

Decimal SignificantDigits(double value, int count) {
    std::array<char, 128> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                      std::chars_format::scientific, count - 1 + GuardDigits);
    std::string_view text(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const auto e = text.find('e');
    Decimal d;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.Exponent);
    std::string all;
    for (char c : text.substr(0, e))
        if (c != '.')
            all += c;
    d.Digits = all.substr(0, static_cast<std::size_t>(count));
    if (all[static_cast<std::size_t>(count)] >= '5' && IncrementDigits(d.Digits)) {
        d.Digits.insert(d.Digits.begin(), '1');
        d.Digits.pop_back();
        ++d.Exponent;
    }
    return d;
}

std::string GroupThousands(const std::string& fixed, char thousand, char decimal) {
    const auto point = fixed.find('.');
    std::string integer = fixed.substr(0, point);
    std::string out;
    const std::size_t first = (integer[0] == '-') ? 1 : 0;
    out.append(integer, 0, first);
    for (std::size_t i = first; i < integer.size(); ++i) {
        out += integer[i];
        const std::size_t remaining = integer.size() - i - 1;
        if (remaining > 0 && remaining % 3 == 0)
            out += thousand;
    }
    if (point != std::string::npos)
        out += decimal + fixed.substr(point + 1);
    return out;
}

std::string WithDecimal(std::string text, char decimal) {
    for (char& c : text)
        if (c == '.')
            c = decimal;
    return text;
}

// Mantissa and exponent, as "1.50E+003" (framework) or "1.50e+03" (C).
std::string ExponentText(double value, int decimals, char letter, int minExponentDigits) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0) {
        std::string zero = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
        return zero + letter + "+" + std::string(static_cast<std::size_t>(minExponentDigits), '0');
    }
    const Decimal d = SignificantDigits(value, decimals + 1);
    std::string out = value < 0 ? "-" : "";
    out += d.Digits[0];
    if (decimals > 0)
        out.append(1, '.').append(d.Digits, 1);
    std::string exponent = std::to_string(std::abs(d.Exponent));
    if (static_cast<int>(exponent.size()) < minExponentDigits)
        exponent.insert(0, static_cast<std::size_t>(minExponentDigits) - exponent.size(), '0');
    return out + letter + (d.Exponent < 0 ? "-" : "+") + exponent;
}

// The framework's general format: fixed while the integer digits fit in precision and the value
// is at least 1e-4, else "1.5E-6"; no trailing zeros.
std::string GeneralText(double value, int precision) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return "0";
    Decimal d = SignificantDigits(value, precision);
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    const int digitCount = static_cast<int>(d.Digits.size());
    if (d.Exponent >= precision || d.Exponent < -4) {
        out += d.Digits[0];
        if (digitCount > 1)
            out.append(1, '.').append(d.Digits, 1);
        return out + "E" + std::to_string(d.Exponent);
    }
    if (d.Exponent < 0)
        return out + "0." + std::string(static_cast<std::size_t>(-d.Exponent - 1), '0') + d.Digits;
    const auto integerDigits = static_cast<std::size_t>(d.Exponent + 1);
    if (d.Digits.size() <= integerDigits)
        return out + d.Digits + std::string(integerDigits - d.Digits.size(), '0');
    return out + d.Digits.substr(0, integerDigits) + "." + d.Digits.substr(integerDigits);
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

[[noreturn]] void FormatError(const AnsiString& format) {
    throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, int width, bool left, bool zeros) {
    if (static_cast<int>(text.size()) >= width)
        return text;
    const auto fill = static_cast<std::size_t>(width) - text.size();
    if (left)
        return text + std::string(fill, ' ');
    if (zeros) {
        const std::size_t sign =
            (!text.empty() && (text[0] == '-' || text[0] == '+' || text[0] == ' ')) ? 1 : 0;
        return text.insert(sign, fill, '0');
    }
    return std::string(fill, ' ') + text;
}

} // namespace

std::string FixedDigits(double value, int decimals) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, 30);
    std::array<char, 400> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                      std::chars_format::fixed, decimals + GuardDigits);
    std::string text(buf.data(), result.ptr);
    const auto point = text.find('.');
    const char next = text[point + 1 + static_cast<std::size_t>(decimals)];
    text.resize(point + (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0));
    if (next >= '5' && IncrementDigits(text))
        text.insert(text.begin(), '1');
    if (value < 0 && !AllZero(text))
        text.insert(text.begin(), '-');
    return text;
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
    return WithDecimal(GeneralText(value, 15), DecimalSeparator);
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    precision = std::clamp(precision, 1, 18);
    switch (format) {
    case ffGeneral:
        return WithDecimal(GeneralText(value, precision), DecimalSeparator);
    case ffExponent:
        return WithDecimal(ExponentText(value, precision - 1, 'E', std::clamp(digits, 0, 4)),
                           DecimalSeparator);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (std::isfinite(value) && value != 0 && std::floor(std::log10(std::fabs(value))) + 1 > precision)
            return WithDecimal(GeneralText(value, precision), DecimalSeparator);
        const std::string fixed = FixedDigits(value, std::clamp(digits, 0, 18));
        return format == ffFixed ? WithDecimal(fixed, DecimalSeparator)
                                 : GroupThousands(fixed, ThousandSeparator, DecimalSeparator);
    }
    }
    return {};
}

bool TryStrToFloat(const AnsiString& text, double& value) {
    std::string s = text.Trim().str();
    bool negative = false;
    std::size_t at = 0;
    if (at < s.size() && (s[at] == '+' || s[at] == '-'))
        negative = s[at++] == '-';
    std::string plain;
    bool digitSeen = false;
    for (; at < s.size(); ++at) {
        const char c = s[at];
        if (c >= '0' && c <= '9') {
            digitSeen = true;
            plain += c;
        } else if (c == DecimalSeparator && plain.find_first_of(".eE") == std::string::npos) {
            plain += '.';
        } else if ((c == 'e' || c == 'E') && digitSeen && plain.find_first_of("eE") == std::string::npos) {
            plain += 'e';
            if (at + 1 < s.size() && (s[at + 1] == '+' || s[at + 1] == '-'))
                plain += s[++at];
        } else {
            return false;
        }
    }
    if (!digitSeen)
        return false;
    double parsed = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return false;
    value = negative ? -parsed : parsed;
    return true;
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

AnsiString FormatWith(const AnsiString& format, std::initializer_list<FormatArg> args, FormatStyle style) {
    const std::string& f = format.str();
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') {
            out += f[i];
            continue;
        }
        if (++i < f.size() && f[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false, zeros = false, plus = false, space = false;
        for (; i < f.size() && std::string_view("-0+ ").find(f[i]) != std::string_view::npos; ++i) {
            left |= f[i] == '-';
            zeros |= f[i] == '0';
            plus |= f[i] == '+';
            space |= f[i] == ' ';
        }
        int width = 0;
        for (; i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])); ++i)
            width = width * 10 + (f[i] - '0');
        int precision = -1;
        if (i < f.size() && f[i] == '.') {
            precision = 0;
            for (++i; i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])); ++i)
                precision = precision * 10 + (f[i] - '0');
        }
        for (; i < f.size() && std::string_view("hlLqjzt").find(f[i]) != std::string_view::npos; ++i) {
        }
        if (i >= f.size() || arg == args.end())
            FormatError(format);
        const char conversion = f[i];
        const FormatArg& value = *arg++;
        std::string text;
        const auto* integer = std::get_if<std::int64_t>(&value);
        const auto* real = std::get_if<double>(&value);
        switch (conversion) {
        case 'd':
        case 'i':
        case 'u':
            if (!integer)
                FormatError(format);
            text = std::to_string(conversion == 'u'
                                      ? static_cast<std::int64_t>(static_cast<std::uint32_t>(*integer))
                                      : *integer);
            if (precision > 0) {
                const std::size_t sign = text[0] == '-' ? 1 : 0;
                if (static_cast<int>(text.size() - sign) < precision)
                    text.insert(sign, static_cast<std::size_t>(precision) - (text.size() - sign), '0');
            }
            break;
        case 'x':
        case 'X':
            if (!integer)
                FormatError(format);
            text = IntToHex(static_cast<std::uint32_t>(*integer), std::max(precision, 0)).str();
            if (conversion == 'x' && style.CRuntime)
                for (char& c : text)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
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
            if (conversion == 'f' || conversion == 'F' || conversion == 'n') {
                text = FixedDigits(v, precision >= 0 ? precision : (style.CRuntime ? 6 : 2));
                text = conversion == 'n' ? GroupThousands(text, style.Thousand, style.Decimal)
                                         : WithDecimal(text, style.Decimal);
            } else if (conversion == 'e' || conversion == 'E') {
                const char letter = style.CRuntime ? conversion : 'E';
                text = WithDecimal(ExponentText(v, precision >= 0 ? precision : (style.CRuntime ? 6 : 14),
                                                letter, style.CRuntime ? 2 : 3),
                                   style.Decimal);
            } else {
                text = style.CRuntime ? CGeneralText(v, precision >= 0 ? precision : 6)
                                      : GeneralText(v, precision > 0 ? precision : 15);
                text = WithDecimal(text, style.Decimal);
            }
            break;
        }
        case 's': {
            const auto* s = std::get_if<AnsiString>(&value);
            if (!s)
                FormatError(format);
            text = precision >= 0 ? s->str().substr(0, static_cast<std::size_t>(precision)) : s->str();
            break;
        }
        default:
            FormatError(format);
        }
        if ((plus || space) && conversion != 's' && !text.empty() && text[0] != '-')
            text.insert(text.begin(), plus ? '+' : ' ');
        out += Pad(std::move(text), width, left, zeros && conversion != 's');
    }
    return out;
}
