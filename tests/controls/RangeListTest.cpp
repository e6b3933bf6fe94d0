#include "controls/RangeList.h"
#include "controls/Typededit.h"
#include "framework/List.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> ItemsOf(const TRangeList& list) {
    std::vector<int> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Items(i));
    return items;
}

TEST(RangeList, ReadsRangeText) {
    const struct {
        const char* text;
        std::vector<int> items;
        bool ok;
    } rows[] = {
        {"1-3,5;7", {1, 2, 3, 5, 7}, true},
        {"5-3", {}, true},
        {"1,x", {1}, false},
        {"1,1,2", {1, 2}, true},
        {"", {}, true},
        {"3,-2", {3, -2}, true},
        {"-5--3;-1-1", {-5, -4, -3, -1, 0, 1}, true},
        {" -2 - 1 ", {-2, -1, 0, 1}, true},
        {"3--1", {}, true},
        {"--1", {}, false},
        {"2147483647-2147483648", {}, false},
        {"4,2147483648", {4}, false},
        // A million and one values is more than a range may hold; the item adds nothing.
        {"9,1-2000000,8", {9, 8}, false},
        {"1-1000000", {}, true},
        // Ten ranges of a million in 160 characters: the list stops at a million numbers.
        {"0-999999,1000000-1999999,2000000-2999999,3000000-3999999,4000000-4999999,5000000-5999999,"
         "6000000-6999999,7000000-7999999,8000000-8999999,9000000-9999999",
         {},
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TRangeList list;
        list.Add(99);
        EXPECT_EQ(list.StrToList(row.text), row.ok);
        if (row.text == std::string("1-1000000") || row.text[0] == '0')
            EXPECT_EQ(list.Count(), 1000000);
        else
            EXPECT_EQ(ItemsOf(list), row.items);
    }
}

TEST(RangeList, WritesSortedRuns) {
    const struct {
        std::vector<int> items;
        const char* text;
    } rows[] = {
        {{7, 1, 2, 3, 5}, "1-3,5,7"},
        {{}, ""},
        {{4}, "4"},
        {{-2, -1, 0, 2147483647}, "-2-0,2147483647"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TRangeList list;
        for (int item : row.items)
            list.Add(item);
        TTypedEdit box(nullptr);
        box.SetEditType(etRange);
        box.SetPrefix("p");
        box.ListToRangeStr(list);
        EXPECT_EQ(box.GetWindowText(), row.text);
    }
}

// A list written and read again holds the same numbers, negative ones included.
TEST(RangeList, NegativeNumbersRoundTrip) {
    const struct {
        std::vector<int> items;
        const char* text;
    } rows[] = {
        {{-5, -1, 3}, "-5,-1,3"},
        {{-3, -2, -1, 1}, "-3--1,1"},
        {{-2147483647 - 1, -2147483647, 5}, "-2147483648--2147483647,5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TRangeList list;
        for (int item : row.items)
            list.Add(item);
        EXPECT_EQ(list.ToRangeStr(), row.text);
        TRangeList read;
        EXPECT_TRUE(read.StrToList(row.text));
        EXPECT_EQ(ItemsOf(read), row.items);
    }
}

TEST(RangeList, AddsEachValueOnce) {
    TRangeList list;
    list.AddMultiple(5, 3);
    list.AddMultiple(6, 3);
    list.AddMultiple(100, 0);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_TRUE(list.InList(8));
    list.Delete(0);
    EXPECT_FALSE(list.InList(5));
    list.Add(5);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{6, 7, 8, 5}));
    EXPECT_THROW(list.Delete(4), EListError);

    TTypedEdit box(nullptr);
    box.SetEditType(etRange);
    box.SetText("2-4;9");
    EXPECT_TRUE(box.RangeStrToList(list));
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{2, 3, 4, 9}));
}

} // namespace
