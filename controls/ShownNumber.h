#pragma once

#include "controls/Typededit.h"

// A number a box was filled with, and the text the box then showed for it. A box shows a number
// to its own decimals; while it still shows that text the user has not changed it, and it stands
// for the number itself, not for the number rounded.
class ShownNumber {
public:
    // Fills the box with the number's shortest text of up to 15 significant digits, written
    // without an exponent, as the box's format shows it.
    void Show(TTypedEdit& box, double value);
    // The box's text now shows value.
    void Shown(const TTypedEdit& box, double value);
    // The box still shows what it was filled with for current, the value it stands for now.
    bool Untouched(const TTypedEdit& box, double current) const;
    // The number the box holds, read as the box reads it: current itself while untouched.
    double Read(const TTypedEdit& box, double current) const;

private:
    AnsiString text;
    double shown = 0;
};
