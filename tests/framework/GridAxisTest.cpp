#include "framework/GridAxis.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(GridAxis, PositionsAndHitsOverSizesAndLines) {
    // Widths 30, 50, -1 (hidden), 20, 40 with 1-pixel lines: extents 31, 51, 0, 21, 41,
    // starts 0, 31, 82, 82, 103 and the end at 144.
    GridAxis axis(64, 1);
    axis.SetCount(5);
    const int widths[] = {30, 50, -1, 20, 40};
    for (int i = 0; i < 5; ++i)
        axis.SetSize(i, widths[i]);
    const long long starts[] = {0, 31, 82, 82, 103, 144};
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(axis.Offset(i), starts[i]) << i;
    struct Hit {
        long long position;
        int index;
    } hits[] = {{0, 0},   {30, 0},  {31, 1},  {81, 1},  {82, 3},
                {102, 3}, {103, 4}, {143, 4}, {144, 5}, {1000, 5}};
    for (const Hit& hit : hits)
        EXPECT_EQ(axis.IndexAt(hit.position), hit.index) << hit.position;

    axis.SetLineWidth(0);
    EXPECT_EQ(axis.Total(), 30 + 50 + 0 + 20 + 40);
    axis.SetDefaultSize(10);
    EXPECT_EQ(axis.Total(), 50);
    EXPECT_EQ(axis.Size(2), 10);
}

TEST(GridAxis, ScrolledView) {
    // 100 rows of 20 pixels and a 1-pixel line (21 each), one fixed row, row 10 at the top of
    // a 100-pixel client area: rows 10-12 show whole (21 + 3 x 21 = 84 <= 101), row 13 in part.
    GridAxis rows(20, 1);
    rows.SetCount(100);
    const GridAxisView view{rows, 1, 10, 100};
    EXPECT_EQ(view.FixedBoundary(), 21);
    EXPECT_EQ(view.Position(0), 0);
    EXPECT_EQ(view.Position(10), 21);
    EXPECT_EQ(view.Position(11), 42);
    EXPECT_EQ(view.Position(5), 21 - 5 * 21);
    struct Hit {
        int pixel;
        int row;
    } hits[] = {{-1, -1}, {5, 0},   {21, 10},           {41, 10},
                {42, 11}, {99, 13}, {21 + 89 * 21, 99}, {21 + 90 * 21, -1}};
    for (const Hit& hit : hits)
        EXPECT_EQ(view.CellAt(hit.pixel), hit.row) << hit.pixel;
    EXPECT_EQ(view.LastFullyVisible(), 12);
    EXPECT_EQ(view.LastVisible(), 13);
    EXPECT_TRUE(view.InView(0));
    EXPECT_TRUE(view.InView(13));
    EXPECT_FALSE(view.InView(9));
    EXPECT_FALSE(view.InView(14));
    // Rows 97-99 fill the 80 pixels under the fixed row; row 96 would not fit with them.
    EXPECT_EQ(view.MaxFirst(), 97);

    GridAxis few(20, 1);
    few.SetCount(3);
    EXPECT_EQ((GridAxisView{few, 1, 1, 100}.MaxFirst()), 1);
    EXPECT_EQ((GridAxisView{few, 1, 1, 100}.LastFullyVisible()), 2);
    // A client area smaller than the fixed row shows no scrolling row.
    const GridAxisView squeezed{rows, 1, 10, 15};
    EXPECT_EQ(squeezed.LastVisible(), 9);
    EXPECT_EQ(squeezed.LastFullyVisible(), 10);
    EXPECT_EQ(squeezed.MaxFirst(), 99);
}

// The tree's sums against plain addition after every kind of change.
TEST(GridAxis, SumsFollowEveryChange) {
    std::mt19937 random(11);
    GridAxis axis(20, 1);
    std::vector<int> sizes;
    auto check = [&] {
        ASSERT_EQ(axis.Count(), static_cast<int>(sizes.size()));
        long long sum = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            ASSERT_EQ(axis.Offset(static_cast<int>(i)), sum);
            const long long extent = std::max(0, sizes[i] + 1);
            if (extent > 0) {
                ASSERT_EQ(axis.IndexAt(sum + extent - 1), static_cast<int>(i));
            }
            sum += extent;
        }
        ASSERT_EQ(axis.Total(), sum);
    };
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 400; ++step) {
        const int n = static_cast<int>(sizes.size());
        const int i = n > 0 ? below(n) : 0;
        switch (random() % 6) {
        case 0:
            axis.SetCount(below(70));
            sizes.resize(static_cast<std::size_t>(axis.Count()), 20);
            break;
        case 1:
        case 2:
            if (n > 0) {
                sizes[static_cast<std::size_t>(i)] = below(40) - 1;
                axis.SetSize(i, sizes[static_cast<std::size_t>(i)]);
            }
            break;
        case 3: {
            const int at = below(n + 1), count = below(5);
            axis.Insert(at, count);
            sizes.insert(sizes.begin() + at, static_cast<std::size_t>(count), 20);
            break;
        }
        case 4:
            if (n > 0) {
                const int count = below(n - i + 1);
                axis.Delete(i, count);
                sizes.erase(sizes.begin() + i, sizes.begin() + i + count);
            }
            break;
        case 5:
            if (n > 0) {
                const int to = below(n), moved = sizes[static_cast<std::size_t>(i)];
                axis.Move(i, to);
                sizes.erase(sizes.begin() + i);
                sizes.insert(sizes.begin() + to, moved);
            }
            break;
        }
        check();
    }
}

TEST(GridAxis, ZoomNeverTakesASizeBelowZeroAndKeepsHiddenCellsHidden) {
    struct Row {
        const char* label;
        int setAt;
        int size;
        int zoomTo;
        int expected;
    } rows[] = {
        {"20 set at +5 is 15 at 0", 5, 20, 0, 15},        {"3 set at +5 keeps 3 at 0", 5, 3, 0, 3},
        {"3 set at +5 keeps 3 at +2", 5, 3, 2, 3},        {"3 set at 0 keeps 3 at -5", 0, 3, -5, 3},
        {"0 set at +5 stays 0 at +6", 5, 0, 6, 0},        {"0 set at 0 stays 0 at +5", 0, 0, 5, 0},
        {"-1 set at 0 stays hidden at +3", 0, -1, 3, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        GridAxis axis(64, 1);
        axis.SetCount(1);
        axis.SetSizeOffset(row.setAt);
        axis.SetSize(0, row.size);
        axis.SetSizeOffset(row.zoomTo);
        EXPECT_EQ(axis.Size(0), row.expected);
    }
}

} // namespace
