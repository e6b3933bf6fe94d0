#include "framework/ListBox.h"

#include "framework/ControlView.h"

#include <QAbstractListModel>
#include <QListView>

// The rows the view shows: as many as Items had when the view last caught up, each read from
// Items as it is drawn.
class TListBox::Model : public QAbstractListModel {
public:
    explicit Model(const TStringList& items) : items(items) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows; }

    QVariant data(const QModelIndex& index, int role) const override {
        // A paint may come between a change of Items and the view catching up.
        if (!index.isValid() || role != Qt::DisplayRole || index.row() >= items.Count())
            return {};
        const AnsiString& text = items[index.row()];
        return QString::fromUtf8(text.c_str(), text.Length());
    }

    void CatchUp() {
        beginResetModel();
        rows = items.Count();
        endResetModel();
    }

private:
    const TStringList& items;
    int rows = 0;
};

TListBox::TListBox(TComponent* owner) : TWinControl(owner), model(std::make_unique<Model>(Items)) {
    auto* view = new ControlView<QListView>(*this);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setModel(model.get());
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [this](const QModelIndex& current) {
                         if (!updating && current.isValid())
                             CallFromView(*this, [this, row = current.row()] { ViewSelected(row); });
                     });
    SetView(view);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    Items.OnChange = [this](TObject*) {
        if (itemIndex >= Items.Count())
            itemIndex = -1;
        itemsStale = true;
        ViewChanged();
    };
    TabStop = true;
}

TListBox::~TListBox() {
    // The view goes with the control; it must not read the model on its way out.
    if (auto* view = static_cast<QListView*>(View()))
        view->setModel(nullptr);
}

void TListBox::SetItemIndex(int value) {
    itemIndex = value >= 0 && value < Items.Count() ? value : -1;
    indexStale = true;
    ViewChanged();
}

void TListBox::ViewSelected(int row) {
    if (row == itemIndex || row >= Items.Count())
        return;
    itemIndex = row;
    Click();
}

void TListBox::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    const int row = static_cast<QListView*>(View())->indexAt(QPoint(x, y)).row();
    if (button == mbRight) {
        // The pop-up acts on the item highlighted before.
        passOn = false;
    } else if (button == mbLeft && row >= 0 && row == itemIndex) {
        // A click on the highlighted item moves nothing, but is a click all the same.
        Click();
    }
    TWinControl::ViewMouseDown(button, shift, x, y, passOn);
}

void TListBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QListView*>(View());
    updating = true;
    if (itemsStale) {
        model->CatchUp();
        itemsStale = false;
    }
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
    const QModelIndex current = itemIndex >= 0 ? model->index(itemIndex) : QModelIndex();
    if (view->currentIndex() != current || !view->selectionModel()->isSelected(current)) {
        if (current.isValid())
            view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        else
            view->selectionModel()->clear();
    }
    if (indexStale && current.isValid())
        view->scrollTo(current);
    indexStale = false;
    updating = false;
}
