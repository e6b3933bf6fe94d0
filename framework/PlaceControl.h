#pragma once

#include "framework/Control.h"

// A control made for owner and set in parent at the given bounds, as windows built in code lay out
// their controls.
template <class Control>
Control* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new Control(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
