#pragma once

#include "framework/AnsiString.h"

#include <QCursor>

// The program's own cursors by resource name: "MAGNIFY" (zoom) and "PENCIL" (draw); an unknown
// name gives the arrow.
QCursor LoadCursor(const AnsiString& name);
