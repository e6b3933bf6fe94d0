#pragma once

#include "framework/AnsiString.h"

// A number in a data file the reports read: files are written with '.', whatever the locale the
// program runs in, so both '.' and the locale's decimal separator are taken. False when the text
// is no number.
bool ReadFileNumber(const AnsiString& text, double& value);
