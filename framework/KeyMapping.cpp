#include "framework/KeyMapping.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

struct KeyPair {
    int Qt;
    WORD Virtual;
};

// Keys other than digits, letters and function keys; the first pair of a virtual key is the
// Qt key it maps back to.
constexpr KeyPair NamedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},     {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},     {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
};

} // namespace

WORD VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<WORD>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    for (const KeyPair& pair : NamedKeys)
        if (pair.Qt == key)
            return pair.Virtual;
    return 0;
}

int QtKeyOf(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return key;
    if (key >= VK_F1 && key < VK_F1 + 12)
        return Qt::Key_F1 + (key - VK_F1);
    for (const KeyPair& pair : NamedKeys)
        if (pair.Virtual == key)
            return pair.Qt;
    return Qt::Key_unknown;
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

bool IsEditingShortcut(char key) {
    return key == 0x01 || key == 0x03 || key == 0x16 || key == 0x18 || key == 0x1A;
}

AnsiString TypedTextOf(const QKeyEvent& event) {
    const QString text = event.text();
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier) || text.isEmpty())
        return {};
    const char32_t code = text.toUcs4().value(0);
    if (text.toUcs4().size() != 1 || code < 0x80 || !QChar::isPrint(code))
        return {};
    return text.toStdString();
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier)
        shift << ssShift;
    if (modifiers & Qt::ControlModifier)
        shift << ssCtrl;
    if (modifiers & Qt::AltModifier)
        shift << ssAlt;
    if (buttons & Qt::LeftButton)
        shift << ssLeft;
    if (buttons & Qt::RightButton)
        shift << ssRight;
    if (buttons & Qt::MiddleButton)
        shift << ssMiddle;
    return shift;
}

TShiftState ShiftStateOf(const QInputEvent& event) {
    const auto* mouse = dynamic_cast<const QMouseEvent*>(&event);
    return ShiftStateOf(event.modifiers(), mouse ? mouse->buttons() : Qt::NoButton);
}

int KeyDataOf(const QKeyEvent& event) {
    return (event.modifiers() & Qt::KeypadModifier) ? (1 << 22) : 0;
}

TMouseButton MouseButtonOf(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton)
        return mbRight;
    return event.button() == Qt::MiddleButton ? mbMiddle : mbLeft;
}
