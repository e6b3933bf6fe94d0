#include "controls/TypedText.h"

#include "framework/NumberFormat.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexLetter(char c) {
    return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

bool IsHexDigit(char c) {
    return IsDigit(c) || IsHexLetter(c);
}

TTextClass ClassifyText(const AnsiString& text) {
    if (text.IsEmpty())
        return tcOther;
    bool numeric = true;
    bool real = true;
    bool hex = true;
    int lastThousand = -1;
    int minus = 0;
    int decimals = 0;
    for (int i = 1; i <= text.Length(); ++i) {
        const char c = text[i];
        const bool digitOrMinus = IsDigit(c) || c == '-';
        numeric = numeric && digitOrMinus;
        real = real && (digitOrMinus || c == ',' || c == '.');
        hex = hex && (digitOrMinus || IsHexLetter(c));
        if (c == ThousandSeparator) {
            // Groups of fewer than three digits, or a leading separator, are no number.
            if (i - lastThousand < 3)
                real = false;
            lastThousand = i;
        }
        minus += c == '-';
        decimals += c == DecimalSeparator;
    }
    if (minus >= 2 || decimals >= 2)
        return tcOther;
    if (hex && !numeric)
        return tcHex;
    if (numeric)
        return tcNumeric;
    return real ? tcFloat : tcOther;
}

TNumberShape ScanNumber(std::string_view text) {
    TNumberShape shape;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const int position = static_cast<int>(at) + 1;
        if (IsDigit(c)) {
            ++shape.Digits;
        } else if (c == DecimalSeparator) {
            ++shape.Decimals;
        } else if (c == ThousandSeparator) {
            ++shape.Thousands;
            shape.LastThousand = position;
        } else if (c != '-' || at > 0) {
            shape.Plain = false;
        }
    }
    return shape;
}

bool ThousandsInThrees(std::string_view text) {
    if (text.starts_with('-'))
        text.remove_prefix(1);
    const std::size_t point = text.find(DecimalSeparator);
    if (point != std::string_view::npos && text.find(ThousandSeparator, point) != std::string_view::npos)
        return false;
    // Digits in the group being read; the first group may be short, the others hold three.
    std::size_t group = 0;
    bool first = true;
    for (const char c : text.substr(0, point)) {
        if (c != ThousandSeparator) {
            ++group;
            continue;
        }
        if (group == 0 || group > 3 || (!first && group != 3))
            return false;
        first = false;
        group = 0;
    }
    return first || group == 3;
}

bool NumberFits(std::string_view text) {
    // No number of up to 308 digits lies beyond a double's range, either way.
    constexpr std::ptrdiff_t MostSafeDigits = 308;
    if (std::count_if(text.begin(), text.end(), IsDigit) <= MostSafeDigits)
        return true;
    std::string number;
    for (const char c : text)
        if (IsDigit(c) || (c == DecimalSeparator && number.find(c) == std::string::npos))
            number += c;
    double value = 0;
    return TryStrToFloat(std::string_view(number), value);
}

std::int32_t HexToInt(const AnsiString& text) {
    std::uint32_t sum = 0;
    std::uint32_t weight = 1;
    for (int i = text.Length(); i >= 1; --i) {
        const char c = text[i];
        std::uint32_t digit = 0;
        if (IsDigit(c))
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        sum += digit * weight;
        weight *= 16;
    }
    return static_cast<std::int32_t>(sum);
}

AnsiString MixedCase(const AnsiString& text) {
    AnsiString s = text;
    const int length = s.Length();
    bool upper = true;
    for (int i = 1; i <= length; ++i) {
        char& c = s[i];
        if (c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.') {
            upper = true;
        } else if (upper) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            upper = false;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        const AnsiString sofar = s.SubString(1, i);
        const int mc = s.Pos(" Mc");
        if (sofar == "Mc" || (i > 2 && mc > 0 && mc + 2 == i))
            upper = true;
        else if (i > length - 3 && ((i >= 2 && sofar.SubString(i - 1, 2) == " I") ||
                                    (i >= 3 && sofar.SubString(i - 2, 3) == " II")))
            upper = true;
    }
    return s;
}

std::int32_t LeadingInteger(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t at = 0;
    while (at < s.size() && s[at] == ' ')
        ++at;
    bool negative = false;
    if (at < s.size() && (s[at] == '-' || s[at] == '+'))
        negative = s[at++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    for (; at < s.size() && IsDigit(s[at]); ++at)
        value = std::min(value * 10 + (s[at] - '0'), limit + 1);
    value = negative ? -value : std::min(value, limit);
    return static_cast<std::int32_t>(value);
}

AnsiString WithoutChar(const AnsiString& text, char c) {
    std::string out;
    out.reserve(text.str().size());
    for (char ch : text.str())
        if (ch != c)
            out += ch;
    return out;
}

int PositionPast(std::string_view text, int count, char c) {
    int position = 0;
    for (; position < static_cast<int>(text.size()) && count > 0; ++position)
        count -= text[static_cast<std::size_t>(position)] != c;
    return position;
}
