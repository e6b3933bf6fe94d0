#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <Qt>

class QKeyEvent;
class QInputEvent;
class QMouseEvent;

// A Qt key as the framework's virtual-key code (0 for keys it has no code for).
WORD VirtualKeyOf(const QKeyEvent& event);
// The Qt key of a virtual-key code (Qt::Key_unknown for codes VirtualKeyOf does not give).
int QtKeyOf(WORD key);
// The character a key stroke types, as the framework's character message carries it:
// control characters for Backspace, Enter, Escape and Ctrl+letter; 0 for none.
char CharacterOf(const QKeyEvent& event);
// Ctrl+A, C, V, X and Z as the character message carries them: select all, copy, paste, cut and
// undo, which every edit box takes wherever its caret is.
bool IsEditingShortcut(char key);
// The text a key stroke types when it is one printable character beyond ASCII (as UTF-8); empty
// otherwise, and with Ctrl or Alt held.
AnsiString TypedTextOf(const QKeyEvent& event);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
TShiftState ShiftStateOf(const QInputEvent& event);
// Key data of the character message; bit 22 marks the numeric keypad.
int KeyDataOf(const QKeyEvent& event);
// The button a press or release is about.
TMouseButton MouseButtonOf(const QMouseEvent& event);
