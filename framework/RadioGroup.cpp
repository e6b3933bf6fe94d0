#include "framework/RadioGroup.h"

#include "framework/ControlView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

// The focus sits on the group's buttons: it enters the group when it comes from outside and exits
// it when it goes outside, not as it moves from one button to another.
class TRadioGroup::FocusWatcher : public QObject {
public:
    explicit FocusWatcher(TRadioGroup& group) : QObject(group.View()), group(group) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && !std::exchange(inside, true)) {
            const auto how = FocusChangeOf(*static_cast<QFocusEvent*>(event));
            CallFromView(group, [&] { group.ViewFocusIn(how); });
        } else if (event->type() == QEvent::FocusOut) {
            const QWidget* next = QApplication::focusWidget();
            if (next && group.View()->isAncestorOf(next))
                return false;
            inside = false;
            const auto how = FocusChangeOf(*static_cast<QFocusEvent*>(event));
            CallFromView(group, [&] { group.ViewFocusOut(how); });
        }
        return false;
    }

private:
    TRadioGroup& group;
    bool inside = false;
};

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QGroupBox>(*this);
    buttons = new QButtonGroup(view);
    QObject::connect(buttons, &QButtonGroup::idClicked, view,
                     [this](int id) { CallFromView(*this, [this, id] { SetItemIndex(id); }); });
    SetView(view);
    focusWatcher = new FocusWatcher(*this);
    SetBounds(0, 0, 185, 105);
    Items.OnChange = [this](TObject*) {
        itemIndex = -1;
        ViewChanged();
    };
    TabStop = true;
}

void TRadioGroup::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TRadioGroup::SetItemIndex(int value) {
    if (value < -1 || value >= Items.Count())
        value = -1;
    if (value == itemIndex)
        return;
    itemIndex = value;
    ViewChanged();
    if (!Loading())
        Click();
}

void TRadioGroup::SetColumns(int value) {
    columns = std::max(1, value);
    ViewChanged();
}

void TRadioGroup::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QGroupBox*>(View());
    view->setTitle(QString::fromStdString(caption.str()));
    if (static_cast<int>(radios.size()) != Items.Count()) {
        // The items may be refilled from a click whose button is still busy with it.
        for (QRadioButton* radio : radios) {
            buttons->removeButton(radio);
            radio->hide();
            radio->deleteLater();
        }
        radios.clear();
        // The buttons take the group's place in the window's tab order; Qt places nothing after a
        // widget that takes no focus, as the frame itself does not.
        const Qt::FocusPolicy policy = view->focusPolicy();
        view->setFocusPolicy(Qt::TabFocus);
        QWidget* before = view;
        for (int i = 0; i < Items.Count(); ++i) {
            auto* radio = new QRadioButton(view);
            radio->installEventFilter(focusWatcher);
            buttons->addButton(radio, i);
            radios.push_back(radio);
            QWidget::setTabOrder(before, radio);
            before = radio;
            radio->show();
        }
        view->setFocusPolicy(policy);
    }
    const int rows = (Items.Count() + columns - 1) / std::max(1, columns);
    const int columnWidth = (Width() - 16) / columns;
    const int rowHeight = rows > 0 ? std::max(17, (Height() - 24) / rows) : 17;
    buttons->setExclusive(false);
    for (int i = 0; i < Items.Count(); ++i) {
        QRadioButton* radio = radios[static_cast<std::size_t>(i)];
        radio->setText(QString::fromStdString(Items[i].str()));
        radio->setGeometry(8 + (i / rows) * columnWidth, 18 + (i % rows) * rowHeight, columnWidth, 17);
        radio->setChecked(i == itemIndex);
    }
    buttons->setExclusive(true);
    // The focus given to the group goes to its chosen button.
    if (!radios.empty())
        view->setFocusProxy(radios[static_cast<std::size_t>(std::max(0, itemIndex))]);
}
