#include "controls/ShownNumber.h"

#include "framework/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The number's shortest text of up to 15 significant digits without an exponent, which every
// number box reads and formats to its own decimals.
AnsiString PlainText(double value) {
    if (value == 0 || !std::isfinite(value))
        return FloatToStr(value);
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(14 - exponent, 0, MostFixedDecimals);
    std::string text = FixedWidthText(value, 0, decimals, DecimalSeparator).str();
    if (decimals > 0) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == DecimalSeparator)
            text.pop_back();
    }
    return text;
}

} // namespace

void ShownNumber::Show(TTypedEdit& box, double value) {
    box.SetText(PlainText(value));
    Shown(box, value);
}

void ShownNumber::Shown(const TTypedEdit& box, double value) {
    text = box.GetText();
    shown = value;
}

bool ShownNumber::Untouched(const TTypedEdit& box, double current) const {
    return !text.IsEmpty() && box.GetText() == text && shown == current;
}

double ShownNumber::Read(const TTypedEdit& box, double current) const {
    return Untouched(box, current) ? current : box.GetFloat();
}
