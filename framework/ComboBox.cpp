#include "framework/ComboBox.h"

#include "framework/ControlView.h"
#include "framework/EditWords.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <functional>

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

namespace {

// A box of style csSimple shows no button and drops no list down; Up and Down still step
// through the items.
class ComboWidget : public QComboBox {
public:
    std::function<bool()> Simple;

    void showPopup() override {
        if (!Simple())
            QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!Simple()) {
            QComboBox::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.subControls &= ~QStyle::SC_ComboBoxArrow;
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
    }
};

} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<ComboWidget>(*this);
    view->Simple = [this] { return Style == csSimple; };
    view->setInsertPolicy(QComboBox::NoInsert);
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

int TComboBox::IndexOfItem(const AnsiString& value) const {
    if (!shared)
        return Items.IndexOf(value);
    for (int i = 0; i < shared->Count(); ++i)
        if ((*shared)[i] == value)
            return i;
    return -1;
}

void TComboBox::SetSharedItems(TSharedComboItems* value) {
    if (value == shared)
        return;
    if (shared)
        std::erase(shared->boxes, this);
    shared = value;
    if (shared)
        shared->boxes.push_back(this);
    // The view takes every item again, from whichever list it shows now.
    Items.InStep = 0;
    ItemsChanged();
}

void TComboBox::ItemsChanged() {
    itemIndex = -1;
    ViewChanged();
}

void TComboBox::SetItemIndex(int value) {
    itemIndex = (value >= 0 && value < ItemCount()) ? value : -1;
    text = itemIndex >= 0 ? ItemText(itemIndex) : AnsiString();
    ViewChanged();
}

AnsiString TComboBox::GetText() const {
    if (Style == csDropDownList)
        return itemIndex >= 0 ? ItemText(itemIndex) : AnsiString();
    return text;
}

void TComboBox::SetText(const AnsiString& value) {
    text = value;
    const int index = IndexOfItem(value);
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
    itemIndex = IndexOfItem(typed);
    if (OnChange)
        OnChange(this);
}

void TComboBox::SetDroppedWidth(int value) {
    droppedWidth = value;
    ViewChanged();
}

bool TComboBox::GetDroppedDown() const {
    const auto* view = static_cast<const QComboBox*>(View());
    return view->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool value) {
    UpdateStaleViews();
    auto* view = static_cast<QComboBox*>(View());
    if (value)
        view->showPopup();
    else
        view->hidePopup();
}

int TComboBox::GetSelStart() const {
    if (pendingSelStart >= 0)
        return pendingSelStart;
    const auto* edit = static_cast<const QComboBox*>(View())->lineEdit();
    if (!edit)
        return 0;
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return edit->text().left(start).toUtf8().size();
}

int TComboBox::GetSelLength() const {
    if (pendingSelStart >= 0)
        return pendingSelLength;
    const auto* edit = static_cast<const QComboBox*>(View())->lineEdit();
    return edit ? edit->selectedText().toUtf8().size() : 0;
}

void TComboBox::SetEditSel(int start, int length) {
    pendingSelStart = std::max(0, start);
    pendingSelLength = std::max(0, length);
    ViewChanged();
}

void TComboBox::PlaceView() {
    View()->setGeometry(Left(), Top(), Width(), EditHeight > 0 ? EditHeight : Height());
}

void TComboBox::UpdateItems() {
    auto* view = static_cast<QComboBox*>(View());
    if (shared) {
        if (view->model() != shared->model.get()) {
            view->setModel(shared->model.get());
            // Sizing to the contents would read every row.
            view->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        }
        return;
    }
    // The view's own model went when it took a shared one.
    if (view->model()->parent() != view) {
        view->setModel(new QStandardItemModel(view));
        Items.InStep = 0;
    }
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
    const bool editable = Style != csDropDownList;
    if (view->isEditable() != editable) {
        view->setEditable(editable);
        if (editable) {
            // An edit field that double-clicks as the edit boxes do.
            auto* field = new BlankWordLineEdit<QLineEdit>(view);
            field->setPalette(view->palette());
            view->setLineEdit(field);
            QObject::connect(field, &QLineEdit::textEdited, view, [this](const QString& typed) {
                CallFromView(*this, [this, &typed] { ViewTyped(typed.toStdString()); });
            });
            // Left by Enter or the focus, Qt picks an item whose text matches only in letter
            // case and puts it in place of the text; a native box keeps the text.
            view->completer()->setCaseSensitivity(Qt::CaseSensitive);
        }
    }
    UpdateItems();
    // Setting the index again writes the edit field's text again, and its caret goes to the end.
    if (view->currentIndex() != itemIndex)
        view->setCurrentIndex(itemIndex);
    if (editable && view->currentText() != QString::fromStdString(text.str()))
        view->setEditText(QString::fromStdString(text.str()));
    view->setMaxVisibleItems(std::max(1, DropDownCount));
    view->view()->setMinimumWidth(droppedWidth >= 1 ? droppedWidth : 0);
    if (QLineEdit* edit = view->lineEdit(); edit && pendingSelStart >= 0) {
        // Byte offsets of the UTF-8 text as characters of the view's.
        const QByteArray bytes = QByteArray::fromStdString(text.str());
        const int start = QString::fromUtf8(bytes.left(pendingSelStart)).size();
        const int length = QString::fromUtf8(bytes.mid(pendingSelStart, pendingSelLength)).size();
        edit->setSelection(start, length);
    }
    pendingSelStart = -1;
}
