#pragma once

#include "framework/AnsiString.h"

#include <vector>

// The series a paste of two values A and B continues over Count cells, A first: dates or times
// when both hold the locale's date or time separator, numbers in FloatFormat when either holds
// its decimal separator, whole numbers when both are. Empty when the two make no series. A value
// that does not convert, or a date that does not exist, raises EConvertError before any cell is
// written.
std::vector<AnsiString> FillSeries(const AnsiString& A, const AnsiString& B, int Count,
                                   const AnsiString& FloatFormat);
