#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "grid/Datagrid.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/PrintSettingsText.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct IniFile {
    QTemporaryDir Dir;
    AnsiString Name;
    IniFile() : Name(Dir.filePath("print.ini").toStdString()) {}
};

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i).str());
    return lines;
}

} // namespace

TEST(PrintSettingsFile, WrittenAndReadBackAsTheyWere) {
    IniFile file;
    TDataGrid written(nullptr);
    TPrintSettings& s = *written.PrintSettings;
    ChangeEverySetting(s);
    written.SavePrintSettings(file.Name, "PRINTSETTINGS");

    TDataGrid read(nullptr);
    read.LoadPrintSettings(file.Name, "PRINTSETTINGS");
    const TPrintSettings& r = *read.PrintSettings;
    EXPECT_EQ(Snapshot(r), Snapshot(s));

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(file.Name, bytes));
    EXPECT_NE(bytes.find("[PRINTSETTINGS]\r\nColumnSpacing=12\r\nRowSpacing=3\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Centered=N\r\nNoAutoSize=N\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("FontStyle=3\r\n"), std::string::npos);
    // Mended: quoted, the separator keeps its blanks; it was read back as "of".
    EXPECT_NE(bytes.find("PageNumSep=\" of \"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("TitleLines=Riverside\\nStage 2\\n\r\n"), std::string::npos);
}

TEST(PrintSettingsFile, ValuesOutsideTheirRangeAndMissingKeys) {
    IniFile file;
    ASSERT_TRUE(WriteFileBytes(file.Name, "[PRINTSETTINGS]\r\nBorders=12\r\nBorderStyle=3\r\nDate=9\r\n"
                                          "PageNr=6\r\nFitToPage=-1\r\nOrientation=2\r\nFontStyle=0\r\n"
                                          "HeaderFontStyle=4\r\n"));
    TDataGrid grid(nullptr);
    TPrintSettings& s = *grid.PrintSettings;
    s.Borders = pbSingle;
    s.FitToPage = fpAlways;
    s.Orientation = poLandscape;
    s.Font.SetStyle(fsBold);
    s.HeaderFont.SetStyle(fsItalic);
    grid.LoadPrintSettings(file.Name, "printsettings");
    // Out of range: left as they were; a position out of range is none.
    EXPECT_EQ(s.Borders, pbSingle);
    EXPECT_EQ(s.BorderStyle, psDashDot);
    EXPECT_EQ(s.Date, ppNone);
    EXPECT_EQ(s.PageNr, ppBottomCenter);
    EXPECT_EQ(s.FitToPage, fpAlways);
    EXPECT_EQ(s.Orientation, poLandscape);
    // Styles read are added to those the font has.
    EXPECT_EQ(s.Font.Style, unsigned(fsBold));
    EXPECT_EQ(s.HeaderFont.Style, unsigned(fsItalic | fsUnderline));
    // Missing keys take the file's defaults, not the settings' own.
    EXPECT_EQ(s.Font.Name, "Arial");
    EXPECT_EQ(s.Font.Size, 10);
    EXPECT_EQ(s.ColumnSpacing, 20);
    EXPECT_EQ(s.HeaderSize, 100);
    EXPECT_TRUE(s.Centered);
    EXPECT_EQ(s.PageNumSep, "");
}

TEST(PrintSettingsFile, AFileThatCannotBeWrittenIsReported) {
    IniFile file;
    TDataGrid grid(nullptr);
    const AnsiString name = file.Dir.filePath("missing/print.ini").toStdString();
    EXPECT_EQ(ErrorText<EFCreateError>([&] { grid.SavePrintSettings(name, "PRINTSETTINGS"); }),
              "Cannot create file " + name.str());
}

TEST(PrintSettingsFile, TitleLinesKeepTheirBackslashesAndNoValueSpansLines) {
    IniFile file;
    TDataGrid written(nullptr);
    TPrintSettings& s = *written.PrintSettings;
    s.TitleLines.Add("C:\\new\\tables");
    s.TitleLines.Add("\\\\server\\n");
    // A value with a line break once wrote a line of its own, read as a key.
    s.TitleText = "Riverside\r\nFontSize=500";
    s.PagePrefix = "Page\n";
    written.SavePrintSettings(file.Name, "PRINTSETTINGS");

    TDataGrid read(nullptr);
    read.LoadPrintSettings(file.Name, "PRINTSETTINGS");
    const TPrintSettings& r = *read.PrintSettings;
    EXPECT_EQ(Lines(r.TitleLines), (std::vector<std::string>{"C:\\new\\tables", "\\\\server\\n"}));
    EXPECT_EQ(r.TitleText, "Riverside FontSize=500");
    EXPECT_EQ(r.PagePrefix, "Page ");
    EXPECT_EQ(r.Font.Size, s.Font.Size);

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(file.Name, bytes));
    EXPECT_NE(bytes.find("TitleLines=C:\\\\new\\\\tables\\n\\\\\\\\server\\\\n\\n\r\n"), std::string::npos)
        << bytes;
}

TEST(PrintSettingsFile, TitleLinesOfOlderFilesStillRead) {
    // Those files wrote a backslash as it stood: "\n" ends a line, any other backslash is text.
    struct Row {
        const char* stored;
        std::vector<std::string> lines;
    } rows[] = {
        {"Riverside\\nStage 2\\n", {"Riverside", "Stage 2"}},
        {"C:\\tables\\n", {"C:\\tables"}},
        {"ends in a backslash\\", {"ends in a backslash\\"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        IniFile file;
        ASSERT_TRUE(
            WriteFileBytes(file.Name, std::string("[PRINTSETTINGS]\r\nTitleLines=") + row.stored + "\r\n"));
        TDataGrid grid(nullptr);
        grid.LoadPrintSettings(file.Name, "PRINTSETTINGS");
        EXPECT_EQ(Lines(grid.PrintSettings->TitleLines), row.lines);
    }
}
