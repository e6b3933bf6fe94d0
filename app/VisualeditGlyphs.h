#pragma once

#include "framework/Bitmap.h"

#include <memory>

// The pictures of the visual editor's speed buttons.
enum class ToolGlyph { Zoom, Draw, Pick, Sewer, Junction, SewerName, JunctionName, Drop, Datum, Centre };

// A 16 x 16 picture whose bottom-left pixel's colour is transparent.
std::unique_ptr<TBitmap> MakeToolGlyph(ToolGlyph glyph);
