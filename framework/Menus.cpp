#include "framework/Menus.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/KeyMapping.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

TShortCut ShortCut(WORD key, TShiftState shift) {
    TShortCut result = key;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

namespace {

QKeySequence KeySequenceOf(TShortCut shortCut) {
    if (shortCut == 0)
        return {};
    int modifiers = 0;
    if (shortCut & scShift)
        modifiers |= Qt::SHIFT;
    if (shortCut & scCtrl)
        modifiers |= Qt::CTRL;
    if (shortCut & scAlt)
        modifiers |= Qt::ALT;
    return QKeySequence(QtKeyOf(shortCut & 0xFF) | modifiers);
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), action(std::make_unique<QAction>()) {
    QObject::connect(action.get(), &QAction::triggered, [this] {
        if (IsDestroying())
            return;
        // The check mark is the program's: Qt's own toggling is undone before the click.
        action->setChecked(checked);
        CallGuarded([this] { Click(); });
    });
    QObject::connect(action.get(), &QAction::hovered, [this] {
        if (!IsDestroying())
            Application->SetHint(GetLongHint(Hint));
    });
}

TMenuItem::~TMenuItem() {
    if (parent)
        parent->Remove(this);
    for (TMenuItem* item : items)
        item->parent = nullptr;
}

void TMenuItem::SetCaption(const AnsiString& value) {
    caption = value;
    UpdateAction();
}

void TMenuItem::SetShortCut(TShortCut value) {
    shortCut = value;
    UpdateAction();
}

void TMenuItem::SetChecked(bool value) {
    checked = value;
    UpdateAction();
}

void TMenuItem::SetEnabled(bool value) {
    enabled = value;
    UpdateAction();
}

void TMenuItem::SetVisible(bool value) {
    visible = value;
    UpdateAction();
}

void TMenuItem::UpdateAction() {
    // A separator shows no text: some styles would draw the "-" beside the line.
    const bool separator = caption == "-";
    action->setText(separator ? QString() : QString::fromStdString(caption.str()));
    action->setSeparator(separator);
    action->setShortcut(KeySequenceOf(shortCut));
    action->setCheckable(checked);
    action->setChecked(checked);
    action->setEnabled(enabled);
    action->setVisible(visible);
}

QWidget* TMenuItem::ItemsWidget() {
    if (root)
        return container;
    if (!submenu) {
        submenu = std::make_unique<QMenu>();
        action->setMenu(submenu.get());
    }
    return submenu.get();
}

void TMenuItem::ShowItemsIn(QWidget* widget) {
    root = true;
    container = widget;
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent)
        item->parent->Remove(item);
    index = std::clamp(index, 0, Count());
    QAction* before = index < Count() ? items[static_cast<std::size_t>(index)]->Action() : nullptr;
    items.insert(items.begin() + index, item);
    item->parent = this;
    item->UpdateAction();
    if (QWidget* widget = ItemsWidget())
        widget->insertAction(before, item->Action());
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end())
        return;
    items.erase(found);
    item->parent = nullptr;
    if (QWidget* widget = ItemsWidget())
        widget->removeAction(item->Action());
}

void TMenuItem::Click() {
    if (OnClick)
        OnClick(this);
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), Items(new TMenuItem(this)), bar(new QMenuBar) {
    Items->ShowItemsIn(bar);
}

TMainMenu::~TMainMenu() {
    delete bar.data();
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), Items(new TMenuItem(this)), menu(std::make_unique<QMenu>()) {
    Items->ShowItemsIn(menu.get());
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup)
        OnPopup(this);
    CurrentDialogResponder().TrackPopupMenu(*this, x, y);
}

QMenu* TPopupMenu::Menu() const {
    return menu.get();
}
