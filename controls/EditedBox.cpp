#include "controls/EditedBox.h"

#include "controls/Typededit.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Menus.h"
#include "framework/SpeedButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

#include <exception>

namespace {

// The box of window, or of its parts, that was left over text it cannot read.
TTypedEdit* BoxHoldingUnreadText(const TComponent& window) {
    for (TComponent* part : window.Components()) {
        if (auto* box = dynamic_cast<TTypedEdit*>(part); box && box->HoldsUnreadText())
            return box;
        if (TTypedEdit* box = BoxHoldingUnreadText(*part))
            return box;
    }
    return nullptr;
}

// The command run once leave has left the box.
TNotifyEvent AfterLeaving(TNotifyEvent command, const std::function<bool()>& leave) {
    return [command = std::move(command), leave](TObject* sender) {
        if (leave())
            command(sender);
    };
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
    TTypedEdit* held = BoxHoldingUnreadText(window);
    if (!held)
        return true;
    held->SetFocus();
    try {
        held->GetFloat();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    return false;
}

void CommandsLeaveEditedBoxFirst(TComponent& window, const std::function<bool()>& leave) {
    for (TComponent* part : window.Components()) {
        TNotifyEvent* click = nullptr;
        if (auto* item = dynamic_cast<TMenuItem*>(part))
            click = &item->OnClick;
        else if (dynamic_cast<TButton*>(part) || dynamic_cast<TSpeedButton*>(part))
            click = &static_cast<TControl*>(part)->OnClick;
        if (click && *click)
            *click = AfterLeaving(*click, leave);
        CommandsLeaveEditedBoxFirst(*part, leave);
    }
}
