#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/IniFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, WritesSectionsAndKeysAndReadsThemBack) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("print.ini").toStdString();
    ASSERT_TRUE(WriteFileBytes(name, "; kept\r\n[Other]\r\nKey=1\r\n\r\n[PRINTSETTINGS]\r\nBorders=2\r\n"));
    {
        TIniFile ini(name);
        ini.WriteInteger("PrintSettings", "borders", 5);
        ini.WriteString("PRINTSETTINGS", "TitleText", "Riverside outfall");
        ini.WriteString("Fresh", "FontName", "Arial");
    }
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(name, bytes));
    // A key keeps its place, a new one joins the end of its section, a new section the file's end.
    EXPECT_EQ(bytes, "; kept\r\n[Other]\r\nKey=1\r\n\r\n[PRINTSETTINGS]\r\nborders=5\r\n"
                     "TitleText=Riverside outfall\r\n\r\n[Fresh]\r\nFontName=Arial\r\n");

    const TIniFile ini(name);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } rows[] = {
        {"printsettings", "BORDERS", "5"},
        {"PRINTSETTINGS", "TitleText", "Riverside outfall"},
        {"Other", "Key", "1"},
        {"Other", "Borders", "none"},
        {"Missing", "Key", "none"},
        {"Fresh", "FontName", "Arial"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.section) + "/" + row.key);
        EXPECT_EQ(ini.ReadString(row.section, row.key, "none"), row.expected);
    }
    EXPECT_EQ(ini.ReadInteger("PRINTSETTINGS", "Borders", 0), 5);
    EXPECT_EQ(ini.ReadInteger("PRINTSETTINGS", "TitleText", 7), 7);
}

TEST(IniFile, ValuesLoseTheirBlanksAndEnclosingQuotes) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("quoted.ini").toStdString();
    ASSERT_TRUE(WriteFileBytes(name, "[S]\nA = \" both \" \nB='one'\nC=\"open\nD=x=y\n"));
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("S", "A", ""), " both ");
    EXPECT_EQ(ini.ReadString("S", "B", ""), "one");
    EXPECT_EQ(ini.ReadString("S", "C", ""), "\"open");
    EXPECT_EQ(ini.ReadString("S", "D", ""), "x=y");
}

// Mended: a value with blanks at its ends, or enclosed in quotes, was written bare and read back
// without them.
TEST(IniFile, ValuesWrittenReadBackUnchanged) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("round.ini").toStdString();
    const struct {
        const char* value;
        const char* line;
    } rows[] = {
        {"Page", "K=Page"},   {" of ", "K=\" of \""}, {"\"x\"", "K=\"\"x\"\""},
        {"'x'", "K=\"'x'\""}, {"\"open", "K=\"open"}, {"a \"b\" c", "K=a \"b\" c"},
        {"", "K="},           {"\t", "K=\"\t\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        TIniFile(name).WriteString("S", "K", row.value);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(name, bytes));
        EXPECT_EQ(bytes, "[S]\r\n" + std::string(row.line) + "\r\n");
        EXPECT_EQ(TIniFile(name).ReadString("S", "K", "none"), row.value);
    }
}

TEST(IniFile, AFileThatCannotBeWrittenRaisesAndStaysAsItWas) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("no-such-folder/print.ini").toStdString();
    TIniFile ini(name);
    try {
        ini.WriteString("S", "K", "V");
        FAIL() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message, "Cannot create file " + name);
    }
    EXPECT_EQ(ini.ReadString("S", "K", "none"), "none");
}
