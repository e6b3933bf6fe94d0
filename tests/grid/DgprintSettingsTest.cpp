#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "grid/Datagrid.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/PrintSettingsText.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct IniFile {
    QTemporaryDir Dir;
    AnsiString Name;
    IniFile() : Name(Dir.filePath("print.ini").toStdString()) {}
};

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
