#pragma once

#include <functional>

class QWidget;
class TWinControl;

// Tab and Shift+Tab pressed in view reach control's key handling, instead of moving the focus on,
// while wanted() says so.
void KeepTabKeys(TWinControl& control, QWidget& view, std::function<bool()> wanted);
