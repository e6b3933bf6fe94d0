#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/IniFiles.h"
#include "framework/Stream.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string Read(const AnsiString& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(name, bytes));
    return bytes;
}

TEST(FileBytes, WritesAndAppendsWholeFiles) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("f.csv").toStdString();
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(name, bytes));
    EXPECT_TRUE(WriteFileBytes(name, "a\r\n", true));
    EXPECT_TRUE(WriteFileBytes(name, "b\r\n", true));
    EXPECT_EQ(Read(name), "a\r\nb\r\n");
    EXPECT_TRUE(WriteFileBytes(name, "c"));
    EXPECT_EQ(Read(name), "c");
}

TEST(FileBytes, WhatCannotBeCreatedStaysAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const AnsiString directory = dir.filePath("sub").toStdString();
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(directory, bytes));
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append);
        EXPECT_FALSE(WriteFileBytes(dir.filePath("missing/f.csv").toStdString(), "x", append));
        EXPECT_FALSE(WriteFileBytes(directory, "x", append));
        EXPECT_TRUE(QFileInfo(dir.filePath("sub")).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(FileBytes, AFailedWriteRaisesAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("f.csv").toStdString();
    ASSERT_TRUE(WriteFileBytes(name, "old"));
    {
        FileSizeLimit limit(1000);
        const std::string big(100000, 'x');
        try {
            WriteFileBytes(name, big, true);
            ADD_FAILURE() << "no error raised";
        } catch (const EInOutError& error) {
            EXPECT_NE(error.Message.Pos(name), 0);
        }
        EXPECT_THROW(WriteFileBytes(name, big), EInOutError);
    }
    EXPECT_EQ(Read(name), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

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
    // A key keeps its place, a new one joins the end of its section, a new section the file's end.
    EXPECT_EQ(Read(name), "; kept\r\n[Other]\r\nKey=1\r\n\r\n[PRINTSETTINGS]\r\nborders=5\r\n"
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

} // namespace
