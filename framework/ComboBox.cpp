#include "framework/ComboBox.h"

#include "framework/ControlView.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QStandardItemModel>

#include <algorithm>

class TSharedComboItems::Model : public QAbstractListModel {
public:
    explicit Model(const std::vector<AnsiString>& strings) : strings(strings) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(strings.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        const AnsiString& text = strings[static_cast<std::size_t>(index.row())];
        return QString::fromUtf8(text.c_str(), text.Length());
    }

    void Reset(const std::function<void()>& change) {
        beginResetModel();
        change();
        endResetModel();
    }

private:
    const std::vector<AnsiString>& strings;
};

TSharedComboItems::TSharedComboItems() : model(std::make_unique<Model>(strings)) {}

TSharedComboItems::~TSharedComboItems() {
    for (TComboBox* box : std::vector<TComboBox*>(boxes))
        box->SetSharedItems(nullptr);
}

void TSharedComboItems::Assign(std::vector<AnsiString> values) {
    model->Reset([&] { strings = std::move(values); });
    for (TComboBox* box : boxes)
        box->ItemsChanged();
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QComboBox>(*this);
    QObject::connect(view, &QComboBox::activated, view,
                     [this](int index) { CallFromView(*this, [this, index] { ViewPicked(index); }); });
    SetView(view);
    SetBounds(0, 0, 145, 21);
    Items.OnChange = [this](TObject*) {
        if (!shared && itemIndex >= Items.Count())
            itemIndex = -1;
        ViewChanged();
    };
    TabStop = true;
}

TComboBox::~TComboBox() {
    SetSharedItems(nullptr);
}

int TComboBox::ItemCount() const {
    return shared ? shared->Count() : Items.Count();
}

AnsiString TComboBox::ItemText(int index) const {
    return shared ? (*shared)[index] : Items[index];
}

void TComboBox::SetSharedItems(TSharedComboItems* value) {
    if (value == shared)
        return;
    if (shared)
        std::erase(shared->boxes, this);
    shared = value;
    if (shared)
        shared->boxes.push_back(this);
    ItemsChanged();
}

void TComboBox::ItemsChanged() {
    itemIndex = -1;
    ViewChanged();
}

void TComboBox::SetItemIndex(int value) {
    itemIndex = (value >= 0 && value < ItemCount()) ? value : -1;
    if (itemIndex >= 0)
        text = ItemText(itemIndex);
    ViewChanged();
}

AnsiString TComboBox::GetText() const {
    if (Style == csDropDownList)
        return itemIndex >= 0 ? ItemText(itemIndex) : AnsiString();
    return text;
}

void TComboBox::SetText(const AnsiString& value) {
    text = value;
    int index = -1;
    for (int i = 0; i < ItemCount() && index < 0; ++i)
        if (ItemText(i) == value)
            index = i;
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
    if (shared) {
        if (view->model() != shared->model.get()) {
            view->setModel(shared->model.get());
            // Sizing to the contents would read every row.
            view->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        }
    } else {
        // The view's own model went when it took the shared one.
        if (view->model()->parent() != view)
            view->setModel(new QStandardItemModel(view));
        view->clear();
        for (int i = 0; i < Items.Count(); ++i)
            view->addItem(QString::fromStdString(Items[i].str()));
    }
    view->setCurrentIndex(itemIndex);
}
