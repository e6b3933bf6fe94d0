#pragma once

#include "framework/AnsiString.h"

#include <QCursor>

// The program's own cursors by resource name: "MAGNIFY" (zoom) and "PENCIL" (draw); an unknown
// name gives the arrow.
QCursor LoadCursor(const AnsiString& name);
// The grid's own cursors by resource number: 8000-8008 panning (at rest, then down, left, right,
// up, up-right, up-left, down-right, down-left), 8010 row select, 8011 column select, 8012 select
// all; an unknown number gives the arrow.
QCursor LoadCursor(int id);
