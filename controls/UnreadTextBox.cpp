#include "controls/UnreadTextBox.h"

#include "framework/Application.h"
#include "framework/MessageBeep.h"

#include <QTimer>
#include <QWidget>

#include <exception>

bool TUnreadTextBox::KeepsUnreadText() const {
    if (held)
        return true;
    const QWidget* view = box.View();
    return view && view == view->window()->focusWidget() && Unread();
}

void TUnreadTextBox::TellWhyHeld() {
    whyUntold = false;
    try {
        ReadText();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
}

bool TUnreadTextBox::HeldOnLeaving(TWinControl::FocusChange how) {
    if (how == TWinControl::FocusChange::Window || box.Loading() || !Unread())
        return false;
    MessageBeep(0);
    Hold(true);
    whyUntold = how != TWinControl::FocusChange::Mouse;
    QTimer::singleShot(0, box.View(), [this] {
        CallFromView(box, [this] {
            if (!held)
                return;
            box.SetFocus();
            if (whyUntold)
                TellWhyHeld();
        });
    });
    return true;
}

void TUnreadTextBox::TextChanged() {
    if (held && !Unread())
        Hold(false);
}

void TUnreadTextBox::Hold(bool value) {
    held = value;
    whyUntold = whyUntold && value;
    ShowHeld();
}
