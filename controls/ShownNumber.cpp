#include "controls/ShownNumber.h"

#include "framework/NumberFormat.h"

void ShownNumber::Show(TTypedEdit& box, double value) {
    box.SetText(FloatToStr(value));
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
