#pragma once

#include "framework/Component.h"

#include <QMenuBar>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QMenu;

// A key with Shift, Ctrl and Alt as the framework packs them.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShiftState shift);

// A menu command, or with items of its own a submenu. A caption of "-" makes a separator; '&'
// marks the access key. A click (from the menu, its short-cut or Click) raises OnClick; the check
// mark is the program's to set.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    TShortCut GetShortCut() const { return shortCut; }
    void SetShortCut(TShortCut value);
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);
    bool GetEnabled() const { return enabled; }
    void SetEnabled(bool value);
    bool GetVisible() const { return visible; }
    void SetVisible(bool value);
    // The hint's long part goes to the application's hint while the item is under the mouse.
    AnsiString Hint;
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(items.size()); }
    TMenuItem* Items(int index) const { return items.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return parent; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Click();

    // The item's command in Qt; a menu bar or pop-up menu shows the items of its root item in its
    // own widget.
    QAction* Action() const { return action.get(); }
    void ShowItemsIn(QWidget* container);

private:
    void UpdateAction();
    QWidget* ItemsWidget();

    AnsiString caption;
    TShortCut shortCut = 0;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    TMenuItem* parent = nullptr;
    std::vector<TMenuItem*> items;
    std::unique_ptr<QAction> action;
    std::unique_ptr<QMenu> submenu;
    // The menu bar or pop-up menu a root item shows its items in; null once that has gone.
    bool root = false;
    QPointer<QWidget> container;
};

// The menu bar of a form (the form's SetMenu puts it there).
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    TMenuItem* const Items;
    QMenuBar* Bar() const { return bar; }

private:
    // Once on its form, the bar goes with the form's window.
    QPointer<QMenuBar> bar;
};

// A menu that opens at a point of the screen, by Popup or by a right click on a control whose
// PopupMenu it is (AutoPopup).
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Opens the menu with its top-left corner at (x, y) on the screen, through the dialog seam,
    // and returns once the user has run an item or left the menu.
    void Popup(int x, int y);

    TMenuItem* const Items;
    bool AutoPopup = true;
    TNotifyEvent OnPopup;
    QMenu* Menu() const;

private:
    std::unique_ptr<QMenu> menu;
};
