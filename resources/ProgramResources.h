#pragma once

#include "framework/AnsiString.h"

#include <QCursor>

// The program's own pictures, built into it; TPicture reads them by these names.
constexpr const char* BannerPicture = ":/pictures/Banner.jpg";
constexpr const char* IconPicture = ":/pictures/Drenvala.png";

// The program's cursor of that name, "MAGNIFY" or "PENCIL"; the arrow for any other name.
QCursor LoadCursor(const AnsiString& name);
