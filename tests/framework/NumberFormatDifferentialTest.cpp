#include "framework/NumberFormat.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

// Number texts against a reference built another way: the exact decimal expansion decides
// whether a value lies on a tie, a tie is moved one ulp away from zero, and to_chars, which
// rounds correctly, then gives the text half-away rounding must give. Set
// DRENVALA_NUMBER_FORMAT_VALUES to try more values than the suite does (a million, say).

namespace {

std::string ToChars(double value, std::chars_format format, int precision) {
    std::array<char, 1500> buf{};
    const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), value, format, precision);
    return {buf.data(), end.ptr};
}

// The exact expansion of |value| without its point, and where the point stood: every double's
// decimal expansion ends within 1074 decimals.
std::string ExactDigits(double value, std::size_t& point) {
    std::string exact = ToChars(std::fabs(value), std::chars_format::fixed, 1080);
    point = exact.find('.');
    return exact.erase(point, 1);
}

// Whether the digits from position on read "5" then only zeros.
bool TieFrom(const std::string& digits, std::size_t position) {
    return position < digits.size() && digits[position] == '5' &&
           digits.find_first_not_of('0', position + 1) == std::string::npos;
}

// value itself, or one ulp further from zero when it lies exactly on the tie of rounding to
// significant digits. At 15 significant digits or fewer an ulp is far below half a unit of the
// last digit kept, so the value moved rounds as a tie rounds away.
double TieBroken(double value, int significant) {
    if (value == 0)
        return value;
    std::size_t point = 0;
    const std::string exact = ExactDigits(value, point);
    if (!TieFrom(exact, exact.find_first_not_of('0') + static_cast<std::size_t>(significant)))
        return value;
    return std::nextafter(value, std::copysign(std::numeric_limits<double>::infinity(), value));
}

std::string Replaced(std::string text, char from, char to) {
    std::ranges::replace(text, from, to);
    return text;
}

std::string Comma(const std::string& text) {
    return Replaced(text, '.', ',');
}

std::string RightAligned(const std::string& text, int width) {
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), ' ') +
           text;
}

// Fixed with half-away rounding; a value that rounds to zero has no sign. A large value's ulp
// may exceed a unit of the last decimal, so a tie is rounded on the exact digits.
std::string Fixed(double value, int decimals) {
    std::size_t point = 0;
    std::string exact = ExactDigits(value, point);
    std::string text = ToChars(value, std::chars_format::fixed, decimals);
    if (TieFrom(exact, point + static_cast<std::size_t>(decimals))) {
        exact.resize(point + static_cast<std::size_t>(decimals));
        std::size_t i = exact.size();
        while (i > 0 && exact[i - 1] == '9')
            exact[--i] = '0';
        if (i == 0) {
            exact.insert(exact.begin(), '1');
            ++point;
        } else {
            ++exact[i - 1];
        }
        text =
            (value < 0 ? "-" : "") + exact.substr(0, point) + (decimals > 0 ? "." + exact.substr(point) : "");
    }
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

// Fixed text with '.' between thousands and ',' before the decimals.
std::string Grouped(const std::string& fixed) {
    const std::size_t sign = fixed[0] == '-' ? 1 : 0;
    const std::size_t end = std::min(fixed.find('.'), fixed.size());
    std::string out = fixed.substr(0, sign);
    for (std::size_t i = sign; i < end; ++i) {
        out += fixed[i];
        if (i + 1 < end && (end - i - 1) % 3 == 0)
            out += '.';
    }
    return out + Comma(fixed.substr(end));
}

// C's %g with half-away rounding at precision significant digits.
std::string CGeneral(double value, int precision) {
    return ToChars(TieBroken(value, precision), std::chars_format::general, precision);
}

// The framework's general format: C's %g with "E", no '+' and no leading zeros in the exponent.
std::string General(double value, int precision) {
    const std::string c = CGeneral(value, precision);
    const std::size_t e = c.find('e');
    return e == std::string::npos ? c : c.substr(0, e) + "E" + std::to_string(std::stoi(c.substr(e + 1)));
}

std::string CExponent(double value, int decimals) {
    return ToChars(TieBroken(value, decimals + 1), std::chars_format::scientific, decimals);
}

// The framework's scientific form: "E", a sign and at least two exponent digits, as C writes it.
std::string Exponent(double value, int decimals) {
    return Replaced(CExponent(value, decimals), 'e', 'E');
}

// The decimal exponent of |value|'s first significant digit, from its exact expansion.
int ExactExponent(double value) {
    std::size_t point = 0;
    const std::string exact = ExactDigits(value, point);
    return static_cast<int>(point) - 1 - static_cast<int>(exact.find_first_not_of('0'));
}

// Fixed with decimals, rounded at the coarser of the 7th significant digit and the last decimal;
// more than 7 digits before the point in the scientific form of 7 digits.
std::string SevenDigitsFixed(double value, int decimals) {
    if (value == 0 || ExactExponent(value) < 6 - decimals)
        return Fixed(value, decimals);
    std::string text = Fixed(value, std::max(0, 6 - ExactExponent(value)));
    const std::size_t point = std::min(text.find('.'), text.size());
    if (point - (text[0] == '-' ? 1 : 0) > 7)
        return Exponent(value, 6);
    const std::size_t kept = text.size() - std::min(point + 1, text.size());
    if (kept < static_cast<std::size_t>(decimals))
        text.append(point == text.size() ? "." : "").append(static_cast<std::size_t>(decimals) - kept, '0');
    return text;
}

// Values of every kind the program meets, and those where rounding is delicate.
std::vector<double> Values(int count) {
    std::mt19937_64 random(20110118);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<>(low, high)(random);
    };
    const auto integer = [&](int low, int high) {
        return std::uniform_int_distribution<>(low, high)(random);
    };
    std::vector<double> values;
    while (static_cast<int>(values.size()) < count) {
        double v = 0;
        switch (values.size() % 8) {
        case 0: // any magnitude a design meets
            v = uniform(1, 10) * std::pow(10.0, integer(-12, 16));
            break;
        case 1: // binary fractions: exact ties at some number of decimals
            v = std::ldexp(static_cast<double>(integer(0, 20000000)), -integer(1, 14));
            break;
        case 2: // decimal ties that a double misses by an ulp or two either way
            v = (integer(0, 1000000) + 0.5) / std::pow(10.0, integer(0, 6));
            for (int steps = integer(-2, 2); steps != 0; steps += steps < 0 ? 1 : -1)
                v = std::nextafter(v, steps < 0 ? 0.0 : 1e300);
            break;
        case 3: // any bit pattern: huge, tiny and subnormal values
            do
                v = std::bit_cast<double>(random());
            while (!std::isfinite(v));
            break;
        case 4: // subnormals
            v = std::bit_cast<double>(random() >> integer(12, 63));
            break;
        case 5: // nines that carry into a new digit
            v = (1 - std::pow(10.0, -integer(1, 16)) * uniform(0.4, 0.6)) * std::pow(10.0, integer(-5, 8));
            break;
        case 6: // small values that round to zero
            v = uniform(0, 1) * std::pow(10.0, -integer(3, 9));
            break;
        default: // whole numbers and plain decimals
            v = integer(0, 1) ? static_cast<double>(integer(0, 2000000000)) : integer(0, 99999) / 1000.0;
            break;
        }
        values.push_back(integer(0, 1) ? -v : v);
    }
    return values;
}

struct Case {
    std::string Label;
    std::function<AnsiString(double)> Written;
    std::function<std::string(double)> Expected;
};

TEST(NumberFormatDifferential, TextsAgreeWithExactRounding) {
    const LocaleSeparators comma(',', '.');
    std::vector<Case> cases = {
        {"Sprintf %f", [](double v) { return Sprintf("%f", v); }, [](double v) { return Fixed(v, 6); }},
        {"Sprintf %g", [](double v) { return Sprintf("%g", v); }, [](double v) { return CGeneral(v, 6); }},
        {"Sprintf %e", [](double v) { return Sprintf("%e", v); }, [](double v) { return CExponent(v, 6); }},
        {"Format %f", [](double v) { return Format("%f", v); }, [](double v) { return Comma(Fixed(v, 2)); }},
        {"Format %.2n", [](double v) { return Format("%.2n", v); },
         [](double v) { return Grouped(Fixed(v, 2)); }},
        {"Format %g", [](double v) { return Format("%g", v); },
         [](double v) { return Comma(General(v, 15)); }},
        {"FloatToStr", [](double v) { return FloatToStr(v); },
         [](double v) { return Comma(General(v, 15)); }},
        {"FloatToStrF ffFixed 7 2", [](double v) { return FloatToStrF(v, ffFixed, 7, 2); },
         [](double v) { return Comma(SevenDigitsFixed(v, 2)); }},
        {"FloatToStrF ffFixed 7 3", [](double v) { return FloatToStrF(v, ffFixed, 7, 3); },
         [](double v) { return Comma(SevenDigitsFixed(v, 3)); }},
        {"FloatToStrF ffExponent 4 2", [](double v) { return FloatToStrF(v, ffExponent, 4, 2); },
         [](double v) { return Comma(Exponent(v, 3)); }},
    };
    // The widths the design windows and files write; the typed edit boxes' precisions.
    for (const auto& widthDecimals : {std::pair{8, 4}, {10, 5}, {10, 3}, {8, 3}, {8, 0}}) {
        const int width = widthDecimals.first;
        const int decimals = widthDecimals.second;
        const AnsiString format = "%" + std::to_string(width) + "." + std::to_string(decimals) + "f";
        const auto expected = [width, decimals](double v) { return RightAligned(Fixed(v, decimals), width); };
        cases.push_back(
            {"Sprintf " + format.str(), [format](double v) { return Sprintf(format, v); }, expected});
        cases.push_back({"SprintfFixed " + format.str(),
                         [width, decimals](double v) { return SprintfFixed(v, width, decimals); }, expected});
    }
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const AnsiString format = "%." + std::to_string(decimals) + "f";
        cases.push_back({"Format " + format.str(), [format](double v) { return Format(format, v); },
                         [decimals](double v) { return Comma(Fixed(v, decimals)); }});
    }

    const char* count = std::getenv("DRENVALA_NUMBER_FORMAT_VALUES");
    int failures = 0;
    for (const double value : Values(count ? std::atoi(count) : 20000)) {
        for (const Case& c : cases) {
            const std::string written = c.Written(value).str();
            // Zero is written without a sign, whatever its sign bit.
            const std::string expected = c.Expected(value == 0 ? 0.0 : value);
            if (written != expected && ++failures <= 20)
                ADD_FAILURE() << c.Label << " of " << ToChars(value, std::chars_format::scientific, 17)
                              << ": wrote \"" << written << "\", expected \"" << expected << "\"";
        }
        // What a box shows reads back as the number its text names, with either separator.
        for (const char decimal : {',', '.'}) {
            const LocaleSeparators separators(decimal, decimal == ',' ? '.' : ',');
            const AnsiString shown = FloatToStr(value);
            const std::string plain = Replaced(shown.str(), ',', '.');
            double expected = 0;
            std::from_chars(plain.data(), plain.data() + plain.size(), expected);
            double read = 0;
            if ((!TryStrToFloat(shown, read) || read != expected) && ++failures <= 20)
                ADD_FAILURE() << "TryStrToFloat of \"" << shown.str() << "\" gave " << read;
        }
    }
    EXPECT_EQ(failures, 0);
}

// Where the writer changes its way: scaled numbers either side of 32 bits, and fields up to and
// past the widest one blanked as one block, each in no more room than a caller gives.
TEST(NumberFormatDifferential, WriteFixedAtItsBoundaries) {
    std::vector<double> values = {0.0, -0.0, 0.5, -1.5, 99.995, 123.4565, -0.0004, 1e15, -2.5e17};
    for (const int decimals : {0, 3, 5})
        for (int step = -3; step <= 3; ++step) {
            const double scaled = 4294967296.0 + step;
            values.push_back(scaled / std::pow(10.0, decimals));
            values.push_back((scaled + 0.5) / -std::pow(10.0, decimals));
        }
    int failures = 0;
    for (const double value : values)
        for (const int decimals : {0, 3, 5})
            for (const int width : {0, 1, 8, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 100}) {
                std::vector<char> room(std::max(static_cast<std::size_t>(width), FixedTextRoom));
                const std::string written(room.data(), WriteFixed(room.data(), value, width, decimals));
                const std::string expected = RightAligned(Fixed(value == 0 ? 0.0 : value, decimals), width);
                if (written != expected && ++failures <= 20)
                    ADD_FAILURE() << "WriteFixed of " << ToChars(value, std::chars_format::scientific, 17)
                                  << " width " << width << " decimals " << decimals << ": wrote \"" << written
                                  << "\", expected \"" << expected << "\"";
            }
    EXPECT_EQ(failures, 0);
}

} // namespace
