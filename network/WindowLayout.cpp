#include "network/WindowLayout.h"

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, 32, 13);
    return label;
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
