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

TEST(StringList, CommaTextQuotesWhatWouldSplitAndReadsItBack) {
    const struct {
        std::vector<AnsiString> strings;
        const char* text;
    } rows[] = {
        {{"S1", "J1", "J2"}, "S1,J1,J2"},
        {{"main trunk", "a,b", "say \"hi\"", ""}, "\"main trunk\",\"a,b\",\"say \"\"hi\"\"\","},
        {{""}, "\"\""},
        {{"Ø1", "x"}, "Ø1,x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TStringList list;
        for (const AnsiString& s : row.strings)
            list.Add(s);
        EXPECT_EQ(list.GetCommaText(), row.text);
        TStringList back;
        back.SetCommaText(row.text);
        EXPECT_EQ(Strings(back), row.strings);
    }
    // Blanks outside quotes separate too; a delimiter at the end leaves an empty string.
    TStringList list;
    list.SetCommaText(" a b ,, \"c d\",");
    EXPECT_EQ(Strings(list), (std::vector<AnsiString>{"a", "b", "", "c d", ""}));
    list.Delimiter = ';';
    list.SetDelimitedText("1;2,5;x");
    EXPECT_EQ(Strings(list), (std::vector<AnsiString>{"1", "2,5", "x"}));
    EXPECT_EQ(list.GetDelimitedText(), "1;2,5;x");
}

TEST(StringList, SortedListsKeepOrderAndFindByHalving) {
    TStringList list;
    list.Add("b");
    list.Add("C");
    list.Add("a");
    list.SetSorted(true);
    EXPECT_EQ(Strings(list), (std::vector<AnsiString>{"a", "b", "C"}));
    EXPECT_EQ(list.Add("B"), 1);
    EXPECT_EQ(list.IndexOf("b"), 2);
    EXPECT_EQ(list.IndexOf("c"), -1);
    list.Duplicates = dupIgnore;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Count(), 4);
    list.Duplicates = dupError;
    EXPECT_THROW(list.Add("a"), EStringListError);
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.Delete(9), EStringListError);
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
    EXPECT_EQ(list.IndexOfObject(&second), 1);
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Objects(1), &second);
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
