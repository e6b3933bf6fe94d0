#include "grid/Gridobj.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Change {
    int Col, Row;
    friend bool operator==(const Change&, const Change&) = default;
};

TEST(Gridobj, IntListTellsItsCellOfEveryChange) {
    TIntList list(3, 7);
    std::vector<Change> changes;
    list.OnChange = [&](TObject* sender, int col, int row) {
        EXPECT_EQ(sender, &list);
        changes.push_back({col, row});
    };
    list.Add(10);
    list.Add(-4);
    list.SetInteger(0, 11);
    EXPECT_EQ(list.GetInteger(0), 11);
    EXPECT_EQ(list.GetInteger(1), -4);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(changes, (std::vector<Change>(4, {3, 7})));

    EXPECT_THROW(list.GetInteger(1), EListError);
    EXPECT_THROW(list.SetInteger(-1, 0), EListError);
    EXPECT_THROW(list.Delete(5), EListError);
    EXPECT_EQ(changes.size(), 4u);

    TIntList silent(0, 0);
    silent.Add(1);
    EXPECT_EQ(silent.GetInteger(0), 1);
}

TEST(Gridobj, SortIndexKeepsColumnsWithTheirDirection) {
    struct Step {
        const char* name;
        void (*act)(TSortIndexList&);
        std::vector<unsigned> expected;
        int changes;
    } steps[] = {
        {"column 3 descending", [](TSortIndexList& l) { l.AddIndex(3, false); }, {0x80000003u}, 1},
        {"toggled", [](TSortIndexList& l) { l.ToggleIndex(3); }, {3u}, 1},
        {"absent column", [](TSortIndexList& l) { l.ToggleIndex(9); }, {3u}, 0},
        {"column 0 descending", [](TSortIndexList& l) { l.AddIndex(0, false); }, {3u, 0x80000000u}, 1},
        {"column 3 again", [](TSortIndexList& l) { l.AddIndex(3, true); }, {3u, 0x80000000u, 3u}, 1},
        {"first of two toggled",
         [](TSortIndexList& l) { l.ToggleIndex(3); },
         {0x80000003u, 0x80000000u, 3u},
         1},
    };
    TSortIndexList list(0, 0);
    int changes = 0;
    list.OnChange = [&](TObject*, int, int) { ++changes; };
    EXPECT_EQ(list.FindIndex(3), -1);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        changes = 0;
        step.act(list);
        std::vector<unsigned> items;
        for (int i = 0; i < list.Count(); ++i)
            items.push_back(static_cast<unsigned>(list.GetInteger(i)));
        EXPECT_EQ(items, step.expected);
        EXPECT_EQ(changes, step.changes);
    }
    EXPECT_EQ(list.FindIndex(3), 0);
    EXPECT_EQ(list.FindIndex(0), 1);
    EXPECT_EQ(list.FindIndex(1), -1);
}

} // namespace
