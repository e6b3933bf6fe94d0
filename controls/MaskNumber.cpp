#include "controls/MaskNumber.h"

#include "framework/NumberFormat.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The position of the mask's decimal point; Length when it has none.
int DecimalPoint(const TEditMask& mask) {
    for (int i = mask.Length() - 1; i >= 0; --i)
        if (mask.IsLiteral(i) && mask.Places[static_cast<std::size_t>(i)].Literal == '.')
            return i;
    return mask.Length();
}

} // namespace

bool BlankIsFigure(const TEditMask& mask) {
    return mask.Blank >= '0' && mask.Blank <= '9';
}

AnsiString NumberInMask(const TEditMask& mask, std::string_view editText) {
    const int point = DecimalPoint(mask);
    std::string number;
    std::size_t pointAt = std::string::npos;
    const int length = std::min(mask.Length(), static_cast<int>(editText.size()));
    for (int i = 0; i < length; ++i) {
        const char c = editText[static_cast<std::size_t>(i)];
        if (i == point)
            pointAt = number.size();
        else if (!mask.IsLiteral(i) && (c != mask.Blank || BlankIsFigure(mask)) && c != ' ')
            number += c;
    }
    if (pointAt < number.size())
        number.insert(pointAt, 1, DecimalSeparator);
    return number;
}

std::optional<AnsiString> MaskTextOfNumber(const TEditMask& mask, std::string_view number) {
    const std::string_view sign =
        number.substr(0, number.starts_with('-') || number.starts_with('+') ? 1 : 0);
    const std::string_view unsignedPart = number.substr(sign.size());
    const std::size_t separator = unsignedPart.find(DecimalSeparator);
    const std::string_view whole = unsignedPart.substr(0, separator);
    const std::string_view decimals =
        separator == std::string_view::npos ? std::string_view() : unsignedPart.substr(separator + 1);
    if (whole.empty() || !AllDigits(whole) || !AllDigits(decimals))
        return std::nullopt;

    const int point = DecimalPoint(mask);
    std::vector<std::size_t> wholePlaces;
    std::vector<std::size_t> decimalPlaces;
    for (int i = 0; i < mask.Length(); ++i)
        if (!mask.IsLiteral(i))
            (i < point ? wholePlaces : decimalPlaces).push_back(static_cast<std::size_t>(i));
    if (decimals.size() > decimalPlaces.size() || sign.size() + whole.size() > wholePlaces.size())
        return std::nullopt;

    std::string shown = BlankMaskText(mask).str();
    const auto put = [&](std::size_t place, char c) {
        shown[place] = MaskCharacter(mask.Places[place], c);
        return shown[place] != 0;
    };
    // A blank figure would read as one: the places the number leaves over take zeros instead.
    const bool zeroFilled = BlankIsFigure(mask);
    for (std::size_t k = 0; k < decimalPlaces.size(); ++k)
        if (k < decimals.size() ? !put(decimalPlaces[k], decimals[k])
                                : zeroFilled && !put(decimalPlaces[k], '0'))
            return std::nullopt;
    // A run of whole places alone is filled from the left, as typing fills it; places up to a
    // point, or split by a grouping literal, from the right, led by zeros.
    const bool fromTheRight =
        zeroFilled || point < mask.Length() ||
        (!wholePlaces.empty() && wholePlaces.back() - wholePlaces.front() >= wholePlaces.size());
    const std::size_t lead = fromTheRight ? wholePlaces.size() - sign.size() - whole.size() : 0;
    const std::string figures = std::string(sign) + std::string(lead, '0') + std::string(whole);
    for (std::size_t k = 0; k < figures.size(); ++k) {
        const bool leadingZero = k >= sign.size() && k < sign.size() + lead;
        if (!put(wholePlaces[k], figures[k])) {
            if (!leadingZero)
                return std::nullopt;
            shown[wholePlaces[k]] = mask.Blank;
        }
    }
    return AnsiString(shown);
}
