#include "grid/Dgedit.h"

#include "framework/ControlView.h"
#include "framework/Menus.h"

#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {

constexpr WORD VK_F4 = VK_F1 + 3;

} // namespace

TDgEditButton::TDgEditButton(TComponent* owner) : TWinControl(owner), Button(new TSpeedButton(this)) {
    SetView(new ControlView<QWidget>(*this));
    Button->SetParent(this);
    Button->OnMouseDown = [this](TObject*, TMouseButton mouse, TShiftState, int, int) {
        if (mouse == mbLeft)
            Press();
    };
    SetBounds(0, 0, 20, 25);
}

void TDgEditButton::SetNumGlyphs(int value) {
    Button->NumGlyphs = value;
    Button->SetGlyph(Button->GetGlyph());
}

void TDgEditButton::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, std::max(width, 15), height);
    Button->SetBounds(0, 0, Width(), Height());
}

void TDgEditButton::Press() {
    Click();
    const auto takes = [](TWinControl* control) {
        return control && control->TabStop && control->CanFocus() && !control->Focused();
    };
    if (takes(FocusControl))
        FocusControl->SetFocus();
    else if (takes(this))
        SetFocus();
}

TDgEditBtn::TDgEditBtn(TComponent* owner) : TCustomEdit(owner), Button(new TDgEditButton(this)) {
    Button->SetParent(this);
    Button->FocusControl = this;
    Button->OnClick = [this](TObject*) { BtnClick(this); };
    Button->SetBounds(0, 0, 15, 17);
    SetWindowText("0");
}

void TDgEditBtn::BtnClick(TObject* Sender) {
    if (OnClickBtn)
        OnClickBtn(Sender);
}

void TDgEditBtn::SetButtonWidth(int value) {
    Button->SetWidth(value);
    PlaceButton();
}

void TDgEditBtn::SetRightAlign(bool value) {
    rightAlign = value;
    SetAlignment(value ? taRightJustify : taLeftJustify);
}

void TDgEditBtn::WMKeyDown(WORD& key, TShiftState shift) {
    if (key == VK_F4) {
        BtnClick(this);
        key = 0;
        return;
    }
    if (key == VK_DELETE && !EditorEnabled) {
        key = 0;
        return;
    }
    TCustomEdit::WMKeyDown(key, shift);
}

void TDgEditBtn::WMChar(char& key, int keyData, TShiftState shift) {
    if (EditorEnabled)
        TCustomEdit::WMChar(key, keyData, shift);
}

void TDgEditBtn::WMPaste() {
    if (EditorEnabled && !GetReadOnly())
        TCustomEdit::WMPaste();
}

void TDgEditBtn::WMCut() {
    if (EditorEnabled && !GetReadOnly())
        TCustomEdit::WMCut();
}

void TDgEditBtn::Resize() {
    TCustomEdit::Resize();
    // Raised to the least height a line needs; the new height places the button.
    if (Height() < TextLineMinHeight()) {
        SetBounds(Left(), Top(), Width(), TextLineMinHeight());
        return;
    }
    PlaceButton();
}

void TDgEditBtn::PlaceButton() {
    const int k = GetBorderStyle() == bsSingle ? 5 : 2;
    Button->SetBounds(Width() - Button->Width() - k, 0, Button->Width(), Height() - k);
    ViewChanged();
}

void TDgEditBtn::UpdateView() {
    TCustomEdit::UpdateView();
    // The text stops short of the unit and the button.
    static_cast<QLineEdit*>(View())->setTextMargins(0, 0, Button->Width() + 3 + unitWidth, 0);
}

TDgUnitEditBtn::TDgUnitEditBtn(TComponent* owner)
    : TDgEditBtn(owner), units(std::make_unique<TStringList>()) {
    unitWidth = 20;
    SetRightAlign(true);
}

void TDgUnitEditBtn::SetUnitID(const AnsiString& value) {
    unitID = value;
    Invalidate();
}

void TDgUnitEditBtn::SetUnits(const TStrings* value) {
    if (value)
        units->Assign(*value);
}

void TDgUnitEditBtn::SetUnitSpace(int value) {
    unitWidth = value;
    ViewChanged();
}

void TDgUnitEditBtn::BtnClick(TObject*) {
    TPopupMenu menu(nullptr);
    for (int i = 0; i < units->Count(); ++i) {
        auto* item = new TMenuItem(&menu);
        item->SetCaption((*units)[i]);
        const AnsiString unit = (*units)[i];
        item->OnClick = [this, unit](TObject*) { SetUnitID(unit); };
        menu.Items->Add(item);
    }
    const QPoint at = View()->mapToGlobal(QPoint(ClientWidth() - 15, ClientHeight()));
    menu.Popup(at.x(), at.y());
}

void TDgUnitEditBtn::WMPaint(QPainter& painter) {
    TDgEditBtn::WMPaint(painter);
    if (unitWidth <= 0)
        return;
    const int left = ClientWidth() - Button->Width() - 3 - unitWidth;
    painter.setFont(Font.ToQFont());
    painter.setPen(ToQColor(Font.Color));
    painter.drawText(QRect(left, 2, unitWidth, ClientHeight() - 2), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(unitID.str()));
}
