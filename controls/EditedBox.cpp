#include "controls/EditedBox.h"

#include "controls/UnreadTextBox.h"
#include "framework/Button.h"
#include "framework/Menus.h"
#include "framework/SpeedButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMenuBar>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

// The box of window, or of its parts, that holds text it cannot read: left over it, or, with
// keeping, still being typed in.
TUnreadTextBox* BoxHoldingUnreadText(const TComponent& window, bool keeping = false) {
    for (TComponent* part : window.Components()) {
        if (auto* box = dynamic_cast<TUnreadTextBox*>(part);
            box && (keeping ? box->KeepsUnreadText() : box->HoldsUnreadText()))
            return box;
        if (TUnreadTextBox* box = BoxHoldingUnreadText(*part, keeping))
            return box;
    }
    return nullptr;
}

// Stops the user's clicks, wheel turns and short-cut keys aimed at any control on window's
// screen window but the box that cannot be left, as they would act on other values (a list's
// selection, a radio group, a check box, a tab, a drawing, a grid) and reload the boxes. The
// first of a gesture runs leave, which says why; the rest of it (its release, a double click, a
// pop-up menu) and the focus passing through the control meanwhile go nowhere.
class EditedBoxGate : public QObject {
public:
    EditedBoxGate(TWinControl& window, std::function<bool()> leave, std::vector<const TControl*> discarding)
        : QObject(window.View()), window(window), leave(std::move(leave)), discarding(std::move(discarding)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        bool starts = false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::Shortcut:
            starts = true;
            break;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
        // The focus a click or Tab gave another control before the box took it back: that control
        // was never entered, so it is not left either.
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            break;
        default:
            return false;
        }
        QWidget* aimed = PointedAt(target, event);
        QWidget* view = window.View();
        // The menu bar only opens menus; their items leave the box themselves.
        if (!aimed || window.IsDestroying() || !view->isVisible() || aimed->window() != view->window() ||
            qobject_cast<QMenuBar*>(aimed))
            return false;
        const TUnreadTextBox* box = BoxHoldingUnreadText(window, true);
        if (!box || Within(box->Box(), aimed) ||
            std::any_of(discarding.begin(), discarding.end(),
                        [aimed](const TControl* control) { return Within(*control, aimed); }))
            return false;
        if (starts)
            leave();
        return true;
    }

private:
    // A wheel turn the widget under the pointer ignores goes on to its parents, each told where
    // the pointer stands within it: the turn is still aimed at that widget (the box itself, say).
    static QWidget* PointedAt(QObject* target, QEvent* event) {
        auto* aimed = qobject_cast<QWidget*>(target);
        if (aimed && event->type() == QEvent::Wheel)
            if (QWidget* under = aimed->childAt(static_cast<QWheelEvent*>(event)->position().toPoint()))
                return under;
        return aimed;
    }

    static bool Within(const TControl& control, const QWidget* aimed) {
        return control.View() == aimed || control.View()->isAncestorOf(aimed);
    }

    TWinControl& window;
    std::function<bool()> leave;
    std::vector<const TControl*> discarding;
};

// The command run once leave has left the box.
TNotifyEvent AfterLeaving(TNotifyEvent command, const std::function<bool()>& leave) {
    return [command = std::move(command), leave](TObject* sender) {
        if (leave())
            command(sender);
    };
}

// Wraps the clicks of window's buttons, speed buttons and menu items, as they are now.
void WrapCommands(TComponent& window, const std::function<bool()>& leave,
                  const std::vector<const TControl*>& discarding) {
    for (TComponent* part : window.Components()) {
        WrapCommands(*part, leave, discarding);
        if (std::find(discarding.begin(), discarding.end(), part) != discarding.end())
            continue;
        TNotifyEvent* click = nullptr;
        if (auto* item = dynamic_cast<TMenuItem*>(part))
            click = &item->OnClick;
        else if (dynamic_cast<TButton*>(part) || dynamic_cast<TSpeedButton*>(part))
            click = &static_cast<TControl*>(part)->OnClick;
        if (click && *click)
            *click = AfterLeaving(*click, leave);
    }
}

} // namespace

bool LeaveEditedBox(TWinControl& window) {
    QWidget* view = window.View();
    // The window's own focus, which it keeps while another window is active.
    QWidget* focused = view->window()->focusWidget();
    if (focused && (focused == view || view->isAncestorOf(focused))) {
        if (!focused->hasFocus()) {
            // Qt tells nothing to a window that is not active: the box is told as when this
            // window comes back and the focus moves on, so that it is left as every other way
            // leaves it.
            QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(focused, &back);
            QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
            QApplication::sendEvent(focused, &out);
        }
        focused->clearFocus();
    }
    // Left by this leave, or by a click on the command's button, which took the focus first.
    TUnreadTextBox* held = BoxHoldingUnreadText(window);
    if (!held)
        return true;
    held->Box().SetFocus();
    held->TellWhyHeld();
    return false;
}

void CommandsLeaveEditedBoxFirst(TWinControl& window, const std::function<bool()>& leave,
                                 const std::vector<const TControl*>& discarding) {
    new EditedBoxGate(window, leave, discarding);
    WrapCommands(window, leave, discarding);
}
