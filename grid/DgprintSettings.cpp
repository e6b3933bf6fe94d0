// The grid's print settings in a section of an INI file.
#include "grid/Datagrid.h"

#include "framework/IniFiles.h"

namespace {

AnsiString YesNo(bool value) {
    return value ? "Y" : "N";
}

struct FontKeys {
    const char* Name;
    const char* Size;
    const char* Style;
    const char* Color;
};

constexpr FontKeys CellFontKeys{"FontName", "FontSize", "FontStyle", "FontColor"};
constexpr FontKeys HeaderFontKeys{"HeaderFontName", "HeaderFontSize", "HeaderFontStyle", "HeaderFontColor"};
constexpr FontKeys FooterFontKeys{"FooterFontName", "FooterFontSize", "FooterFontStyle", "FooterFontColor"};

void WriteFont(TIniFile& ini, const AnsiString& section, const FontKeys& keys, const TFont& font) {
    ini.WriteString(section, keys.Name, font.Name);
    ini.WriteInteger(section, keys.Size, font.Size);
    ini.WriteInteger(section, keys.Style, static_cast<int>(font.Style));
    ini.WriteInteger(section, keys.Color, static_cast<int>(font.Color));
}

// What a damaged or hand-edited file may hold beyond these is taken as missing: the page
// arithmetic in tenths of a millimetre stays far from overflow, and a font stays printable.
constexpr int LongestLength = 25400;
constexpr int LargestFontSize = 1000;

int ReadBetween(const TIniFile& ini, const AnsiString& section, const char* key, int least, int most,
                int fallback) {
    const int value = ini.ReadInteger(section, key, fallback);
    return value >= least && value <= most ? value : fallback;
}

// A length in tenths of a millimetre: never negative, and no more than the 100 inches the
// settings window takes.
int ReadLength(const TIniFile& ini, const AnsiString& section, const char* key, int fallback) {
    return ReadBetween(ini, section, key, 0, LongestLength, fallback);
}

// Styles stored are added to those the font has.
void ReadFont(const TIniFile& ini, const AnsiString& section, const FontKeys& keys, TFont& font) {
    font.SetName(ini.ReadString(section, keys.Name, "Arial"));
    font.SetSize(ReadBetween(ini, section, keys.Size, 1, LargestFontSize, 10));
    font.SetStyle(font.Style | (static_cast<unsigned>(ini.ReadInteger(section, keys.Style, 0)) & 0xF));
    font.SetColor(static_cast<TColor>(ini.ReadInteger(section, keys.Color, 0)));
}

// The lines as one value: each ends in "\n", as does a CR inside one, and a backslash of the text
// is doubled so that it is never read as the start of a "\n".
AnsiString TitleLinesValue(const TStringList& lines) {
    std::string value;
    for (int i = 0; i < lines.Count(); ++i) {
        for (const char c : lines[i].view()) {
            if (c == '\\')
                value += "\\\\";
            else if (c == '\r')
                value += "\\n";
            else if (c != '\n')
                value += c;
        }
        value += "\\n";
    }
    return value;
}

// The lines' text of a value: "\n" ends a line and "\\" is one backslash; any other backslash
// is text, as files of earlier versions, which did not double it, hold it.
AnsiString TitleLinesText(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const bool escape =
            value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\');
        if (escape)
            text += value[++i] == 'n' ? '\r' : '\\';
        else
            text += value[i];
    }
    return text;
}

TPrintPosition PositionOf(int value) {
    return value >= ppTopLeft && value <= ppBottomCenter ? static_cast<TPrintPosition>(value) : ppNone;
}

// An ordinal inside the enumeration's range sets the field; any other leaves it.
template <class Enumeration>
void ReadOrdinal(const TIniFile& ini, const AnsiString& section, const char* key, int last,
                 Enumeration& field) {
    const int value = ini.ReadInteger(section, key, 0);
    if (value >= 0 && value <= last)
        field = static_cast<Enumeration>(value);
}

} // namespace

void TDataGrid::SavePrintSettings(const AnsiString& FileName, const AnsiString& Section) {
    const TPrintSettings& s = *PrintSettings;
    TIniFile ini(FileName);
    ini.WriteInteger(Section, "ColumnSpacing", s.ColumnSpacing);
    ini.WriteInteger(Section, "RowSpacing", s.RowSpacing);
    ini.WriteInteger(Section, "TitleSpacing", s.TitleSpacing);
    ini.WriteInteger(Section, "FixedHeight", s.FixedHeight);
    ini.WriteInteger(Section, "FixedWidth", s.FixedWidth);
    ini.WriteString(Section, "Centered", YesNo(s.Centered));
    ini.WriteString(Section, "NoAutoSize", YesNo(s.NoAutoSize));
    ini.WriteString(Section, "UseFixedHeight", YesNo(s.UseFixedHeight));
    ini.WriteString(Section, "UseFixedWidth", YesNo(s.UseFixedWidth));
    ini.WriteString(Section, "RepeatFixedRows", YesNo(s.RepeatFixedRows));
    ini.WriteString(Section, "RepeatFixedCols", YesNo(s.RepeatFixedCols));
    ini.WriteInteger(Section, "Borders", s.Borders);
    ini.WriteInteger(Section, "BorderStyle", s.BorderStyle);
    ini.WriteInteger(Section, "Date", s.Date);
    ini.WriteInteger(Section, "PageNr", s.PageNr);
    ini.WriteInteger(Section, "Title", s.Title);
    ini.WriteInteger(Section, "Time", s.Time);
    ini.WriteString(Section, "DateFormat", s.DateFormat);
    ini.WriteString(Section, "TitleText", s.TitleText);
    ini.WriteInteger(Section, "FooterSize", s.FooterSize);
    ini.WriteInteger(Section, "HeaderSize", s.HeaderSize);
    ini.WriteInteger(Section, "LeftSize", s.LeftSize);
    ini.WriteInteger(Section, "RightSize", s.RightSize);
    ini.WriteInteger(Section, "FitToPage", s.FitToPage);
    WriteFont(ini, Section, CellFontKeys, s.Font);
    WriteFont(ini, Section, HeaderFontKeys, s.HeaderFont);
    WriteFont(ini, Section, FooterFontKeys, s.FooterFont);
    ini.WriteString(Section, "PageNumSep", s.PageNumSep);
    ini.WriteString(Section, "PageSuffix", s.PageSuffix);
    ini.WriteString(Section, "PagePrefix", s.PagePrefix);
    ini.WriteInteger(Section, "Orientation", s.Orientation);
    ini.WriteString(Section, "TitleLines", TitleLinesValue(s.TitleLines));
}

void TDataGrid::LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section) {
    TPrintSettings& s = *PrintSettings;
    const TIniFile ini(FileName);
    s.ColumnSpacing = ReadLength(ini, Section, "ColumnSpacing", 20);
    s.RowSpacing = ReadLength(ini, Section, "RowSpacing", 20);
    s.TitleSpacing = ReadLength(ini, Section, "TitleSpacing", 20);
    s.FixedHeight = ReadLength(ini, Section, "FixedHeight", 0);
    s.FixedWidth = ReadLength(ini, Section, "FixedWidth", 0);
    s.Centered = ini.ReadString(Section, "Centered", "Y") == "Y";
    s.NoAutoSize = ini.ReadString(Section, "NoAutoSize", "N") == "Y";
    s.UseFixedHeight = ini.ReadString(Section, "UseFixedHeight", "N") == "Y";
    s.UseFixedWidth = ini.ReadString(Section, "UseFixedWidth", "N") == "Y";
    s.RepeatFixedRows = ini.ReadString(Section, "RepeatFixedRows", "N") == "Y";
    s.RepeatFixedCols = ini.ReadString(Section, "RepeatFixedCols", "N") == "Y";
    ReadOrdinal(ini, Section, "Borders", pbCustom, s.Borders);
    ReadOrdinal(ini, Section, "BorderStyle", psInsideFrame, s.BorderStyle);
    s.Date = PositionOf(ini.ReadInteger(Section, "Date", 0));
    s.PageNr = PositionOf(ini.ReadInteger(Section, "PageNr", 0));
    s.Title = PositionOf(ini.ReadInteger(Section, "Title", 0));
    s.Time = PositionOf(ini.ReadInteger(Section, "Time", 0));
    s.DateFormat = ini.ReadString(Section, "DateFormat", "");
    s.TitleText = ini.ReadString(Section, "TitleText", "");
    s.FooterSize = ReadLength(ini, Section, "FooterSize", 100);
    s.HeaderSize = ReadLength(ini, Section, "HeaderSize", 100);
    s.LeftSize = ReadLength(ini, Section, "LeftSize", 100);
    s.RightSize = ReadLength(ini, Section, "RightSize", 100);
    ReadOrdinal(ini, Section, "FitToPage", fpCustom, s.FitToPage);
    ReadFont(ini, Section, CellFontKeys, s.Font);
    ReadFont(ini, Section, HeaderFontKeys, s.HeaderFont);
    ReadFont(ini, Section, FooterFontKeys, s.FooterFont);
    s.PageNumSep = ini.ReadString(Section, "PageNumSep", "");
    s.PageSuffix = ini.ReadString(Section, "PageSuffix", "");
    s.PagePrefix = ini.ReadString(Section, "PagePrefix", "");
    ReadOrdinal(ini, Section, "Orientation", poLandscape, s.Orientation);
    s.TitleLines.SetText(TitleLinesText(ini.ReadString(Section, "TitleLines", "").view()));
}
