#include "framework/ComboBox.h"

#include "framework/ControlView.h"

#include <QComboBox>
#include <QLineEdit>

void TComboBoxStrings::Put(int index, const AnsiString& value) {
    TStringList::Put(index, value);
    Stale(index);
}

void TComboBoxStrings::InsertObject(int index, const AnsiString& value, TObject* object) {
    TStringList::InsertObject(index, value, object);
    Stale(index);
}

void TComboBoxStrings::Delete(int index) {
    TStringList::Delete(index);
    Stale(index);
}

void TComboBoxStrings::Clear() {
    TStringList::Clear();
    Stale(0);
}

int TComboBoxStrings::AddObject(const AnsiString& value, TObject* object) {
    const int index = TStringList::AddObject(value, object);
    Stale(index);
    return index;
}

void TComboBoxStrings::Sort() {
    TStringList::Sort();
    Stale(0);
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QComboBox>(*this);
    view->setInsertPolicy(QComboBox::NoInsert);
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
    text = itemIndex >= 0 ? Items[itemIndex] : AnsiString();
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

void TComboBox::ViewTyped(const AnsiString& typed) {
    text = typed;
    itemIndex = Items.IndexOf(typed);
    if (OnChange)
        OnChange(this);
}

void TComboBox::UpdateItems() {
    auto* view = static_cast<QComboBox*>(View());
    const int kept = std::min(Items.InStep, Items.Count());
    if (kept == 0) {
        view->clear();
    } else {
        while (view->count() > kept)
            view->removeItem(view->count() - 1);
    }
    QStringList added;
    added.reserve(Items.Count() - kept);
    for (int i = kept; i < Items.Count(); ++i)
        added << QString::fromStdString(Items[i].str());
    view->addItems(added);
    Items.InStep = Items.Count();
}

void TComboBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QComboBox*>(View());
    const QSignalBlocker blocker(view);
    const bool editable = Style == csDropDown;
    if (view->isEditable() != editable) {
        view->setEditable(editable);
        if (editable)
            QObject::connect(view->lineEdit(), &QLineEdit::textEdited, view, [this](const QString& typed) {
                CallFromView(*this, [this, &typed] { ViewTyped(typed.toStdString()); });
            });
    }
    UpdateItems();
    view->setCurrentIndex(itemIndex);
    if (editable && view->currentText() != QString::fromStdString(text.str()))
        view->setEditText(QString::fromStdString(text.str()));
}
