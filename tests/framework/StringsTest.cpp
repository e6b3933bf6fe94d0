#include "framework/AnsiString.h"
#include "framework/Exceptions.h"
#include "framework/StringList.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<AnsiString> Strings(const TStrings& list) {
    std::vector<AnsiString> strings;
    for (int i = 0; i < list.Count(); ++i)
        strings.push_back(list[i]);
    return strings;
}

TEST(StringList, ObjectsTravelWithTheirStringsAndUpdatesNotifyOnce) {
    TObject first;
    TObject second;
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.BeginUpdate();
    list.AddObject("one", &first);
    list.AddObject("two", &second);
    list.Insert(0, "zero");
    list.Delete(1);
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Strings(list), (std::vector<AnsiString>{"zero", "two"}));
    EXPECT_EQ(list.Objects(1), &second);
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Objects(1), &second);
    EXPECT_THROW(copy.Delete(9), EStringListError);
}

TEST(StringList, FilesAreReadAndWrittenAsBytes) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("list.txt").toStdString();
    // "Ø" in Windows-1252 is the byte 0xD8; every kind of line end splits.
    std::ofstream(path, std::ios::binary) << "caf\xE9\r\nline two\rthird\n\xD8"
                                          << "1";
    TStringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(Strings(list), (std::vector<AnsiString>{"café", "line two", "third", "Ø1"}));
    list.SaveToFile(path);
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "café\nline two\nthird\nØ1\n");
    list.LoadFromFile(path);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetText(), "café\nline two\nthird\nØ1\n");
    EXPECT_THROW(list.LoadFromFile(folder.filePath("missing.txt").toStdString()), EFOpenError);
}

TEST(AnsiString, CountsFromOne) {
    AnsiString s("Sewer1");
    EXPECT_EQ(s.Length(), 6);
    EXPECT_EQ(s[1], 'S');
    EXPECT_EQ(s.Pos("wer"), 3);
    EXPECT_EQ(s.Pos("x"), 0);
    EXPECT_EQ(s.SubString(2, 3), "ewe");
    EXPECT_EQ(s.SubString(5, 100), "r1");
    EXPECT_EQ(s.SubString(7, 1), "");
    EXPECT_EQ(AnsiString(s).Delete(1, 2), "wer1");
    EXPECT_EQ(AnsiString(s).Insert("-", 7), "Sewer1-");
    EXPECT_EQ(AnsiString("  a b \t").Trim(), "a b");
    EXPECT_EQ(AnsiString("mixed Case").UpperCase(), "MIXED CASE");
    EXPECT_NE(AnsiString("s1"), AnsiString("S1"));
}

} // namespace
