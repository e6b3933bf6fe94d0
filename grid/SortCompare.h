#pragma once

#include "framework/AnsiString.h"
#include "grid/DatagridEvents.h"

#include <QCollatorSortKey>

#include <optional>

// A cell as one sort style compares it, read once before a sort.
struct TSortKey {
    // The text as compared: upper-cased for ssAlphaNoCase, without tags for ssHTML.
    AnsiString Text;
    // Numbers, dates and image indexes.
    double Number = 0;
    // A numeric style read the text as a number (an empty cell reads as 0).
    bool IsNumber = true;
    // The cell's text was empty.
    bool Empty = false;
    // ssAnsiAlphaCase and ssAnsiAlphaNoCase.
    std::optional<QCollatorSortKey> Collated;
};

// The style ssAutomatic stands for, from one text: ssNumeric for an integer or float,
// ssDate for a text with '/' at position 2 or 3 between digits, else ssAlphabetic.
TSortStyle AutomaticStyle(const AnsiString& text);

// Whether a style orders numbers (ssNumeric and ssFinancial read texts that are no number).
inline bool IsNumericStyle(TSortStyle style) {
    return style == ssNumeric || style == ssFinancial;
}

// The key of a cell's text under a style that compares texts alone: alphabetic, numeric, date,
// Ansi and HTML styles (HTML texts come stripped). Numbers lose the first prefix and suffix
// found in them, financial ones every thousand separator; a date that does not convert, or
// does not exist, is 0.
TSortKey MakeSortKey(TSortStyle style, AnsiString text, const AnsiString& prefix, const AnsiString& suffix);

// -1, 0 or 1: the order of two keys of one style as a single comparison answers it; a numeric
// key that is no number equals everything. A style without a rule of its own here gives 1.
int CompareSortKeys(TSortStyle style, const TSortKey& a, const TSortKey& b);

// How a sort places two keys of one column, direction applied, as a total order: with
// IgnoreBlanks one empty key goes first or last in either direction; under a numeric style a
// key that is no number follows every number in either direction.
struct TSortPlacement {
    bool Descending = false;
    bool IgnoreBlanks = false;
    bool BlanksLast = false;
};
int PlaceSortKeys(TSortStyle style, const TSortKey& a, const TSortKey& b, const TSortPlacement& placement,
                  int compared);

// The blank rule alone, as a single comparison applies it: 0 when it does not decide.
int PlaceBlanks(bool emptyA, bool emptyB, const TSortPlacement& placement);
