#include "framework/CheckListBox.h"

#include "framework/ControlView.h"

#include <QListWidget>

TCheckListBox::TCheckListBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QListWidget>(*this);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(view, &QListWidget::itemChanged, view, [this, view](QListWidgetItem* item) {
        if (updating)
            return;
        const int row = view->row(item);
        const bool state = item->checkState() == Qt::Checked;
        CallFromView(*this, [this, row, state] { SetChecked(row, state); });
    });
    SetView(view);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    Items.OnChange = [this](TObject*) {
        checked.resize(static_cast<std::size_t>(Items.Count()), false);
        ViewChanged();
    };
    TabStop = true;
}

bool TCheckListBox::GetChecked(int index) const {
    return index >= 0 && index < static_cast<int>(checked.size()) && checked[static_cast<std::size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool value) {
    if (index < 0 || index >= static_cast<int>(checked.size()))
        return;
    checked[static_cast<std::size_t>(index)] = value;
    ViewChanged();
}

void TCheckListBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QListWidget*>(View());
    updating = true;
    while (view->count() > Items.Count())
        delete view->takeItem(view->count() - 1);
    while (view->count() < Items.Count()) {
        auto* item = new QListWidgetItem(view);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    for (int i = 0; i < Items.Count(); ++i) {
        QListWidgetItem* item = view->item(i);
        const AnsiString& text = Items[i];
        item->setText(QString::fromUtf8(text.c_str(), text.Length()));
        item->setCheckState(GetChecked(i) ? Qt::Checked : Qt::Unchecked);
        item->setSizeHint(QSize(-1, ItemHeight));
    }
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
    updating = false;
}
