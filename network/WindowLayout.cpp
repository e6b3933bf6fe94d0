#include "network/WindowLayout.h"

#include "framework/NumberFormat.h"

#include <cmath>

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, 32, 13);
    return label;
}

TPanel* NewAlignedPanel(TComponent* owner, TWinControl* parent, TAlign align, int height) {
    auto* panel = new TPanel(owner);
    panel->SetParent(parent);
    panel->SetHeight(height);
    panel->SetAlign(align);
    return panel;
}

TTypedEdit* NewTypedEdit(TComponent* owner, TWinControl* parent, int left, int top, TTypedEditType type,
                         std::int16_t precision, const AnsiString& text) {
    auto* edit = new TTypedEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(left, top, 90, 21);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetText(text);
    return edit;
}

double BoxNumber(const TTypedEdit* edit) {
    return edit->GetFloat();
}

void SetNumber(TTypedEdit* edit, double value) {
    edit->SetText(FloatToStr(value));
}

void SetWholeNumber(TTypedEdit* edit, double value) {
    constexpr double limit = 0x1p62; // half the range of llround's result
    edit->SetText(std::isfinite(value) && std::fabs(value) < limit ? IntToStr(std::llround(value))
                                                                   : FloatToStr(value));
}
