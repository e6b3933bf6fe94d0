#pragma once

#include <QString>

class QPainter;
class QRect;

// The visual-styles binding. There is no library to load here: the application's style is the
// theme, and it is always active. The classic frame-control looks are Qt's "Windows" style.
bool IsThemeActive();

enum TThemedControl { tcCheckBox, tcRadioButton, tcPushButton };

// A control drawn in target (device pixels), in the theme or in the classic look: checked (a
// check box or radio button) or pushed (a button), enabled or greyed, a button with its caption.
void DrawThemedControl(QPainter& painter, const QRect& target, TThemedControl control, bool checked,
                       bool enabled, bool themed, const QString& caption = {});

enum TThemedArrow { taComboDrop, taSpinUp, taSpinDown, taSpinRight, taSpinLeft };

// An arrow button (a combo box's drop-down button, or one of a spin button's pair) drawn in
// target, raised or pressed: by the theme, or as the classic frame control, thin-framed when
// flat.
void DrawThemedArrowButton(QPainter& painter, const QRect& target, TThemedArrow arrow, bool pressed,
                           bool enabled, bool themed, bool flat);
