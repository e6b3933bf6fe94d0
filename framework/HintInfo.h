#pragma once

#include "framework/AnsiString.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"

class TControl;

// The hint the application is about to show for a control: its text, where it shows (screen
// coordinates), its colour and width, and the mouse position it was asked for (client
// coordinates of the control).
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    AnsiString HintStr;
};
