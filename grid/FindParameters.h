#pragma once

// How the grid's find walks and compares.
enum TFindParameter : unsigned {
    fnMatchCase = 1 << 0,
    fnMatchFull = 1 << 1,
    // The find text is a wildcard pattern.
    fnMatchRegular = 1 << 2,
    // Row by row, left to right; otherwise column by column, top to bottom.
    fnDirectionLeftRight = 1 << 3,
    fnMatchStart = 1 << 4,
    fnFindInCurrentRow = 1 << 5,
    fnFindInCurrentCol = 1 << 6,
    fnIncludeFixed = 1 << 7,
    // The current cell moves to the hit.
    fnAutoGoto = 1 << 8,
    fnIgnoreHTMLTags = 1 << 9,
    fnBackward = 1 << 10
};
using TFindParameters = unsigned;
