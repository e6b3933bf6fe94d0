#pragma once

#include "grid/Datagrid.h"

#include <string>

// Every setting as text, to compare two states.
inline std::string Snapshot(const TPrintSettings& s) {
    std::string text;
    for (int value : {int(s.Time),
                      int(s.Date),
                      int(s.PageNr),
                      int(s.Title),
                      int(s.Borders),
                      int(s.BorderStyle),
                      int(s.Centered),
                      int(s.RepeatFixedRows),
                      int(s.RepeatFixedCols),
                      s.FooterSize,
                      s.HeaderSize,
                      s.LeftSize,
                      s.RightSize,
                      s.ColumnSpacing,
                      s.RowSpacing,
                      s.TitleSpacing,
                      int(s.Orientation),
                      s.FixedHeight,
                      int(s.UseFixedHeight),
                      s.FixedWidth,
                      int(s.UseFixedWidth),
                      int(s.FitToPage),
                      int(s.NoAutoSize),
                      int(s.PrintGraphics)})
        text += std::to_string(value) + ",";
    for (const TFont* font : {&s.Font, &s.HeaderFont, &s.FooterFont})
        text += font->Name.str() + std::to_string(font->Size) + std::to_string(font->Style) + ",";
    return text + s.PageNumSep.str() + "|" + s.DateFormat.str() + "|" + s.TitleText.str() + "|" +
           s.TitleLines.GetText().str() + "|" + s.PagePrefix.str() + "|" + s.PageSuffix.str() + "|" +
           s.JobName.str();
}
