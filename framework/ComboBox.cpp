#include "framework/ComboBox.h"

#include "framework/ControlView.h"

#include <QComboBox>

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QComboBox>(*this);
    QObject::connect(view, &QComboBox::activated, view,
                     [this](int index) { CallFromView(*this, [this, index] { ViewPicked(index); }); });
    SetView(view);
    SetBounds(0, 0, 145, 21);
    Items.OnChange = [this](TObject*) {
        if (itemIndex >= Items.Count())
            itemIndex = -1;
        ViewChanged();
    };
    TabStop = true;
}

void TComboBox::SetItemIndex(int value) {
    itemIndex = (value >= 0 && value < Items.Count()) ? value : -1;
    if (itemIndex >= 0)
        text = Items[itemIndex];
    ViewChanged();
}

AnsiString TComboBox::GetText() const {
    if (Style == csDropDownList)
        return itemIndex >= 0 ? Items[itemIndex] : AnsiString();
    return text;
}

void TComboBox::SetText(const AnsiString& value) {
    text = value;
    const int index = Items.IndexOf(value);
    if (index >= 0 || Style == csDropDownList)
        itemIndex = index;
    ViewChanged();
}

void TComboBox::ViewPicked(int index) {
    SetItemIndex(index);
    if (OnChange)
        OnChange(this);
}

void TComboBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QComboBox*>(View());
    const QSignalBlocker blocker(view);
    view->clear();
    for (int i = 0; i < Items.Count(); ++i)
        view->addItem(QString::fromStdString(Items[i].str()));
    view->setCurrentIndex(itemIndex);
}
