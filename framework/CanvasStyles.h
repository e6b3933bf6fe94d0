#pragma once

#include "framework/AnsiString.h"
#include "framework/Graphics.h"

#include <QString>

// What the canvas's drawing in pixels and in tenths of a millimetre share.
Qt::PenStyle PenStyleOf(TPenStyle style);
Qt::BrushStyle BrushStyleOf(TBrushStyle style);
QString CanvasText(const AnsiString& text);
