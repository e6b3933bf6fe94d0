#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"
#include "grid/MarkupFormat.h"
#include "grid/TextLines.h"

#include <algorithm>
#include <vector>

namespace {

void AddLine(std::string& text, std::string_view line) {
    text.append(line).append("\r\n");
}

// The lines of a header or footer file; nothing when it cannot be read.
void AddFileLines(std::string& text, const AnsiString& FileName) {
    std::string bytes;
    if (FileName.IsEmpty() || !ReadFileBytes(FileName, bytes))
        return;
    const std::string fileText = TextOfFileBytes(std::move(bytes), true);
    LineReader lines(fileText, LineEnds::Any);
    for (std::string_view line; lines.Next(line);)
        AddLine(text, line);
}

AnsiString Quoted(const AnsiString& value) {
    return "\"" + value + "\"";
}

AnsiString AlignAttribute(TAlignment alignment) {
    return alignment == taRightJustify ? " align=" + Quoted("right")
           : alignment == taCenter     ? " align=" + Quoted("center")
                                       : AnsiString();
}

AnsiString ColorAttribute(TColor color) {
    return " BGCOLOR=" + Quoted("#" + HTMLColor(color));
}

AnsiString WidthAttribute(const TIntList& widths, int index) {
    return index >= 0 && index < widths.Count() ? " WIDTH=" + IntToStr(widths.GetInteger(index))
                                                : AnsiString();
}

} // namespace

void TDataGrid::OutputToHTML(const AnsiString& FileName, bool Append) {
    const THTMLSettings& settings = *HTMLSettings;
    const int firstCol = LoadStartCol();
    const int firstRow = LoadStartRow();
    const AnsiString nowrap = WordWrap ? "" : " nowrap";
    const AnsiString fixedBackground = ColorAttribute(clActiveBorder);
    // The text of a cell as a page shows it: escaped, or HTML as the grid draws it; line breaks
    // and links.
    const auto cellText = [this](int col, int row) {
        AnsiString text = SaveCell(col, row);
        text = TextType(text, EnableHTML) == ttHTML ? CellMarkup(text.view()) : EscapeMarkup(text.view());
        text = HTMLLineBreaks(text);
        if (URLShow)
            text = WithLinks(text, URLFull);
        return text;
    };

    std::string text;
    AddFileLines(text, settings.HeaderFile);
    if (!settings.PrefixTag.IsEmpty())
        AddLine(text, settings.PrefixTag.view());
    AnsiString table = "<table border=" + Quoted(IntToStr(settings.BorderSize)) +
                       " cellspacing=" + Quoted(IntToStr(settings.CellSpacing)) +
                       " cellpadding=" + Quoted(IntToStr(settings.CellPadding));
    if (!settings.TableStyle.IsEmpty())
        table += " " + settings.TableStyle;
    AddLine(text, (table + " Width=" + Quoted(IntToStr(settings.Width) + "%") + ">").view());

    const bool headerRow = GetFixedRows() > 0 && IncludeFixedCells;
    if (headerRow) {
        AddLine(text, "<tr>");
        for (int c = firstCol; c < GetColCount(); ++c) {
            const int col = RemapCol(c);
            AnsiString cell = cellText(col, 0);
            if (cell.IsEmpty())
                cell = "<br>";
            AddLine(text, ("<td" + nowrap + AlignAttribute(GetCellAlignment(col, 0).first) + fixedBackground +
                           WidthAttribute(settings.ColWidths, c) + "><B>" + cell + "</B></td>")
                              .view());
        }
        AddLine(text, "</tr>");
    }

    // The real column of each exported one.
    std::vector<int> realCols;
    for (int c = firstCol; c < GetColCount(); ++c)
        realCols.push_back(RemapCol(c));
    const int bodyRow = headerRow ? 1 : firstRow;
    for (int r = bodyRow; r < GetRowCount(); ++r) {
        AddLine(text, "<tr>");
        for (int c = firstCol; c < GetColCount(); ++c) {
            const std::size_t at = static_cast<std::size_t>(c - firstCol);
            // A block goes out once, at its first exported cell, over the exported cells it
            // covers: its base cell may lie in a column or row left out, or a column hidden.
            const TRect block = FullCell(realCols[at], r);
            if (r != std::max(block.Top, bodyRow) || (at > 0 && realCols[at - 1] >= block.Left))
                continue;
            std::size_t end = at;
            while (end < realCols.size() && realCols[end] <= block.Right)
                ++end;
            const TPoint span =
                Point(static_cast<int>(end - at) - 1, std::min(block.Bottom, GetRowCount() - 1) - r);
            const int col = block.Left;
            const int baseRow = block.Top;
            AnsiString spans;
            if (span.x > 0)
                spans += " COLSPAN=" + IntToStr(span.x + 1);
            if (span.y > 0)
                spans += " ROWSPAN=" + IntToStr(span.y + 1);
            AnsiString cell = cellText(col, baseRow);
            const AnsiString align =
                cell.IsEmpty() ? AnsiString() : AlignAttribute(GetCellAlignment(col, baseRow).first);

            // Colours and font as printing asks them; "none" marks what the query left alone.
            const bool fixed = r < GetFixedRows() || c < GetFixedCols();
            TBrush brush;
            brush.Color = fixed ? clActiveBorder : clNone;
            TFont font;
            font.Color = clNone;
            font.Style = 0;
            TGridDrawState state = 0;
            TAlignment hAlign = taLeftJustify;
            TVAlignment vAlign = VAlignment;
            bool wordWrap = WordWrap;
            GetVisualProperties(col, baseRow, state, true, false, &brush, &font, hAlign, vAlign, wordWrap);
            AnsiString background = fixed ? fixedBackground : AnsiString();
            AnsiString fontOpen, fontClose;
            if (settings.SaveColor && brush.Color != clNone)
                background = ColorAttribute(brush.Color);
            if (settings.SaveColor && font.Color != clNone) {
                fontOpen = "<Font Color=" + Quoted("#" + HTMLColor(font.Color)) + ">";
                fontClose = "</Font>";
            }
            AnsiString styleOpen, styleClose;
            if (settings.SaveFonts) {
                const std::pair<TFontStyle, const char*> styles[] = {
                    {fsBold, "B"}, {fsItalic, "I"}, {fsUnderline, "U"}};
                for (const auto& [style, tag] : styles)
                    if (font.Style & style) {
                        styleOpen += "<" + AnsiString(tag) + ">";
                        styleClose = "</" + AnsiString(tag) + ">" + styleClose;
                    }
            }
            if (cell.IsEmpty())
                cell = "<br>";
            const AnsiString width =
                headerRow ? AnsiString() : WidthAttribute(settings.ColWidths, c - firstCol);
            AddLine(text, ("<td" + spans + nowrap + align + background + width + ">" + fontOpen + styleOpen +
                           cell + styleClose + fontClose + "</td>")
                              .view());
        }
        AddLine(text, "</tr>");
    }
    AddLine(text, "</table><p>");
    if (!settings.SuffixTag.IsEmpty())
        AddLine(text, settings.SuffixTag.view());
    AddFileLines(text, settings.FooterFile);
    if (!WriteFileBytes(FileName, text, Append))
        throw EDataGridError("Cannot Create file " + FileName);
}

void TDataGrid::SaveToXML(const AnsiString& FileName, const AnsiString& ListTag, const AnsiString& RecordTag,
                          TStrings* FieldTags) {
    const std::vector<int> columns = SaveColumns();
    std::vector<AnsiString> tags;
    for (std::size_t i = 0; i < columns.size(); ++i)
        tags.push_back(FieldTags && static_cast<int>(i) < FieldTags->Count()
                           ? FieldTags->Strings(static_cast<int>(i))
                           : "FIELD" + IntToStr(static_cast<int>(i)));
    std::string text;
    AddLine(text, "<?xml version=\"1.0\"?>");
    AddLine(text, ("<" + ListTag + ">").view());
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        AddLine(text, ("<" + RecordTag + ">").view());
        for (std::size_t i = 0; i < columns.size(); ++i)
            AddLine(text, ("<" + tags[i] + ">" + EscapeXmlText(SaveCell(columns[i], r).view()) + "</" +
                           tags[i] + ">")
                              .view());
        AddLine(text, ("</" + RecordTag + ">").view());
    }
    AddLine(text, ("</" + ListTag + ">").view());
    if (!WriteFileBytes(FileName, text))
        throw EDataGridError("Cannot Create file " + FileName);
}
