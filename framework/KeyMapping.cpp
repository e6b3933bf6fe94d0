#include "framework/KeyMapping.h"

#include <QKeyEvent>
#include <QMouseEvent>

WORD VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<WORD>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

char CharacterOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return static_cast<char>(event.key() - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F)
        return static_cast<char>(text[0].unicode());
    return 0;
}

TShiftState ShiftStateOf(const QInputEvent& event) {
    TShiftState shift;
    if (event.modifiers() & Qt::ShiftModifier)
        shift << ssShift;
    if (event.modifiers() & Qt::ControlModifier)
        shift << ssCtrl;
    if (event.modifiers() & Qt::AltModifier)
        shift << ssAlt;
    if (const auto* mouse = dynamic_cast<const QMouseEvent*>(&event)) {
        if (mouse->buttons() & Qt::LeftButton)
            shift << ssLeft;
        if (mouse->buttons() & Qt::RightButton)
            shift << ssRight;
        if (mouse->buttons() & Qt::MiddleButton)
            shift << ssMiddle;
    }
    return shift;
}

int KeyDataOf(const QKeyEvent& event) {
    return (event.modifiers() & Qt::KeypadModifier) ? (1 << 22) : 0;
}
