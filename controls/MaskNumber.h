#pragma once

#include "framework/AnsiString.h"
#include "framework/EditMask.h"

#include <optional>
#include <string_view>

// A number held in an edit mask's places. Only the places hold its figures: the mask's other
// literals ("$", " m", a grouping ",") are no part of it, and the mask's last '.' is its decimal
// point, standing for the locale's DecimalSeparator. Number texts are a sign, digits and the
// DecimalSeparator with decimals, as the spins write them.

// Whether the mask's blank is a figure, which a place showing it reads as: an empty place cannot be
// told from one holding that figure.
bool BlankIsFigure(const TEditMask& mask);
// The number an edit text of mask shows: what its places hold, blanks left out unless figures, with the
// DecimalSeparator where the decimal point stands before a figure.
AnsiString NumberInMask(const TEditMask& mask, std::string_view editText);
// The edit text showing number in mask: its decimals from the point on, its whole digits up to the
// point, or across whole places split by literals, from the right, led by zeros (a sign before
// them); whole places in one run with no point take them from the left, as typing fills them.
// With a blank that is a figure, every place the number leaves over takes a zero. Nothing when the
// places cannot take the figures.
std::optional<AnsiString> MaskTextOfNumber(const TEditMask& mask, std::string_view number);
