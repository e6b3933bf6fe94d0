#pragma once

#include "grid/Datagrid.h"

#include <sstream>
#include <string>

// Values joined by commas.
template <class... Values> std::string Joined(const Values&... values) {
    std::ostringstream text;
    ((text << values << ','), ...);
    return text.str();
}

// Every setting as text, to compare two states.
inline std::string Snapshot(const TPrintSettings& s) {
    std::string text =
        Joined(s.Time, s.Date, s.PageNr, s.Title, s.Borders, s.BorderStyle, s.Centered, s.RepeatFixedRows,
               s.RepeatFixedCols, s.FooterSize, s.HeaderSize, s.LeftSize, s.RightSize, s.ColumnSpacing,
               s.RowSpacing, s.TitleSpacing, s.Orientation, s.FixedHeight, s.UseFixedHeight, s.FixedWidth,
               s.UseFixedWidth, s.FitToPage, s.NoAutoSize, s.PrintGraphics);
    for (const TFont* font : {&s.Font, &s.HeaderFont, &s.FooterFont})
        text += Joined(font->Name.str(), font->Size, font->Style, font->Color);
    return text + Joined(s.PageNumSep.str(), s.DateFormat.str(), s.TitleText.str(),
                         s.TitleLines.GetText().str(), s.PagePrefix.str(), s.PageSuffix.str(),
                         s.JobName.str());
}

// Every setting away from its default, the borders and fitting to values the settings window
// cannot show in its lists.
inline void ChangeEverySetting(TPrintSettings& s) {
    s.ColumnSpacing = 12;
    s.RowSpacing = 3;
    s.TitleSpacing = 40;
    s.FixedHeight = 90;
    s.FixedWidth = 300;
    s.Centered = false;
    s.UseFixedWidth = true;
    s.RepeatFixedRows = true;
    s.Borders = pbCustom;
    s.BorderStyle = psInsideFrame;
    s.Date = ppTopRight;
    s.PageNr = ppBottomCenter;
    s.Title = ppTopCenter;
    s.Time = ppTopLeft;
    s.DateFormat = "yyyy-mm-dd";
    s.FooterSize = 55;
    s.HeaderSize = 125;
    s.LeftSize = 33;
    s.RightSize = 20;
    s.FitToPage = fpCustom;
    s.Font.SetName("DejaVu Sans");
    s.Font.SetSize(9);
    s.Font.SetStyle(fsBold | fsItalic);
    s.Font.SetColor(clNavy);
    s.HeaderFont.SetName("DejaVu Serif");
    s.PageNumSep = " of ";
    s.PagePrefix = "Page";
    s.PageSuffix = "end";
    s.Orientation = poLandscape;
    s.TitleLines.Add("Riverside");
    s.TitleLines.Add("Stage 2");
}
