#include "grid/Dgprint.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(PrintRules, FontHeightsInTenthsOfAMillimetre) {
    const struct {
        int points;
        double scale;
        int height;
    } rows[] = {
        // 10 pt = 10 / 72 inch = 35.28 tenths, cut to 35; at half scale 17.64, cut to 17.
        {10, 1.0, -35},
        {10, 0.5, -17},
        // 8 pt = 28.22.
        {8, 1.0, -28},
        // 12 pt at twice the size = 84.67.
        {12, 2.0, -84},
        {0, 1.0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.points) + " pt at " + std::to_string(row.scale));
        EXPECT_EQ(MapFontHeight(row.points, row.scale), row.height);
    }
    // 35 tenths = 9.92 pt, cut to 9; 254 tenths are an inch, 72 pt.
    EXPECT_EQ(MapFontSize(35), 9);
    EXPECT_EQ(MapFontSize(254), 72);
}

TEST(PrintRules, PageNumbersAsTheyPrint) {
    const struct {
        const char* label;
        bool split;
        int pageInStrip, strip, pageIndex, total;
        const char* separator;
        const char* text;
    } rows[] = {
        {"page of the total", false, 0, 1, 2, 7, "/", "3/7"},
        {"second page of the first strip", true, 1, 1, 5, 7, "/", "2-1"},
        {"first page of the third strip", true, 0, 3, 9, 12, "/", "1-3"},
        {"a single page shows no total", false, 0, 1, 0, 1, "/", "1"},
        {"no total while counting", false, 0, 1, 4, -1, "/", "5"},
        {"no separator, no total", false, 0, 1, 2, 7, "", "3"},
        {"a separator of its own", false, 0, 1, 1, 4, " of ", "2 of 4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(
            PageNumberText(row.split, row.pageInStrip, row.strip, row.pageIndex, row.total, row.separator),
            row.text);
    }
}

TEST(PrintRules, HeaderAndFooterStringsKeepTheirBlanks) {
    struct Given {
        TPrintPosition time, date, page, title;
        const char* titleText;
        std::vector<const char*> titleLines;
        const char* prefix;
        const char* suffix;
    };
    const struct {
        const char* label;
        Given given;
        THeaderStrings expected;
    } rows[] = {
        {"nothing anywhere", {ppNone, ppNone, ppNone, ppNone, "", {"Riverside"}, "", ""}, {}},
        // A left item goes in front with a blank after it; right and centre ones after a blank.
        {"the results table's layout",
         {ppTopLeft, ppTopRight, ppBottomCenter, ppTopCenter, "", {"Riverside"}, "", ""},
         {"10:45 ", " 07/12/2026", " Riverside", "", "", "  2/5 "}},
        {"prefix and suffix around the number",
         {ppNone, ppNone, ppBottomRight, ppNone, "", {}, "Page", "of many"},
         {"", "", "", "", " Page 2/5 of many", ""}},
        {"time and date at one place",
         {ppBottomLeft, ppBottomLeft, ppNone, ppNone, "", {}, "", ""},
         {"", "", "", "07/12/2026 10:45 ", "", ""}},
        {"a title text wins over the lines",
         {ppNone, ppNone, ppNone, ppTopLeft, "Outfall", {"Riverside"}, "", ""},
         {"Outfall ", "", "", "", "", ""}},
        {"only the first title line joins the string",
         {ppNone, ppNone, ppNone, ppBottomCenter, "", {"Riverside", "Stage 2", "Draft"}, "", ""},
         {"", "", "", "", "", " Riverside"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const Given& given = row.given;
        TPrintSettings settings;
        settings.Time = given.time;
        settings.Date = given.date;
        settings.PageNr = given.page;
        settings.Title = given.title;
        settings.TitleText = given.titleText;
        for (const char* line : given.titleLines)
            settings.TitleLines.Add(line);
        settings.PagePrefix = given.prefix;
        settings.PageSuffix = given.suffix;
        EXPECT_EQ(HeaderStrings(settings, "10:45", "07/12/2026", "2/5"), row.expected);
    }
}

TEST(PrintRules, CellEdgesOfEachBorderSetting) {
    const struct {
        TPrintBorders borders;
        TCellBorders edges;
    } rows[] = {
        {pbNoborder, 0},
        {pbSingle, cbTop | cbLeft | cbRight | cbBottom},
        {pbDouble, cbTop | cbLeft | cbRight | cbBottom},
        {pbVertical, cbLeft | cbRight},
        {pbHorizontal, cbTop | cbBottom},
        {pbAround, 0},
        {pbAroundVertical, cbLeft | cbRight},
        {pbAroundHorizontal, cbTop | cbBottom},
        {pbCustom, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.borders);
        EXPECT_EQ(CellBordersOf(row.borders), row.edges);
    }
}

TEST(PrintRules, ColumnsFitTheRoomBetweenTheMargins) {
    const struct {
        const char* label;
        TFitToPage fit;
        std::vector<int> widths;
        double scale;
    } rows[] = {
        // Room: 2000 less margins 100 + 100 less spacing 2 x 20 = 1760.
        {"always grows narrow columns", fpAlways, {500, 300}, 1760.0 / 800},
        {"always shrinks wide columns", fpAlways, {1500, 1500}, 1760.0 / 3000},
        {"shrink leaves narrow columns", fpShrink, {500, 300}, 1},
        {"shrink shrinks wide ones", fpShrink, {1500, 1500}, 1760.0 / 3000},
        {"grow leaves wide columns", fpGrow, {1500, 1500}, 1},
        {"grow grows narrow ones", fpGrow, {500, 300}, 1760.0 / 800},
        {"never", fpNever, {1500, 1500}, 1},
        {"nothing to scale", fpAlways, {0, 0}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_DOUBLE_EQ(FitScale(row.fit, 2000, 100, 100, row.widths, 20), row.scale);
    }
    // Margins that leave no room between them: no scale at all rather than one of 0 or below.
    for (const TFitToPage fit : {fpAlways, fpShrink}) {
        SCOPED_TRACE(fit);
        EXPECT_DOUBLE_EQ(FitScale(fit, 2000, 1000, 960, {500, 300}, 20), 1);
        EXPECT_DOUBLE_EQ(FitScale(fit, 2000, 1500, 1500, {500, 300}, 20), 1);
    }
}

TEST(PrintRules, RotatedTextPlacedByQuadrantAndAlignment) {
    // A rectangle 100 wide from y = 0 down to -40 on a page (y upward). A text 30 wide and 10
    // high: at 0 degrees e1 = -10 (negated), e2 = 0, e3 = 0, e4 = 30.
    const struct {
        const char* label;
        TAlignment h;
        TVAlignment v;
        int e1, e2, e3, e4, angle;
        TPoint start;
    } rows[] = {
        {"left top", taLeftJustify, vtaTop, -10, 0, 0, 30, 0, Point(0, 0)},
        // Right: 100 - 30; centre: (100 - 30) / 2; middle: 0 - (0 + 40 - 10) / 2 = -15.
        {"right middle", taRightJustify, vtaCenter, -10, 0, 0, 30, 0, Point(70, -15)},
        {"centre bottom", taCenter, vtaBottom, -10, 0, 0, 30, 0, Point(35, -30)},
        // 90 degrees (quadrant 1): e1 = 0, e2 = -30, e3 = 10, e4 = 0; the text climbs from its start.
        {"upright, bottom", taLeftJustify, vtaBottom, 0, -30, 10, 0, 90, Point(0, -40)},
        {"upright, right", taRightJustify, vtaTop, 0, -30, 10, 0, 90, Point(90, -30)},
        // 180 degrees (quadrant 2): starts at its right end.
        {"upside down, left", taLeftJustify, vtaTop, 10, 0, 0, 30, 180, Point(30, 10)},
        // 270 degrees (quadrant 3), 300 degrees (quadrant 4).
        {"downward, right", taRightJustify, vtaBottom, 0, 30, 10, 0, 270, Point(100, -70)},
        {"quadrant four, centre", taCenter, vtaTop, 5, 15, 8, 26, 300, Point(41, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TRect r = Rect(0, 0, 100, -40);
        PlaceRotatedText(r, row.h, row.v, row.e1, row.e2, row.e3, row.e4, row.angle);
        EXPECT_EQ(Point(r.Left, r.Top), row.start);
    }
}

TEST(PrintRules, CentringHalvesWithTheSignOnAScreenRectangle) {
    // On the screen y grows downward: a text 20 high in a cell 40 high gives T - B + e1 = -20,
    // whose signed half puts the text's top 10 below the cell's.
    TRect r = Rect(0, 0, 100, 40);
    PlaceRotatedText(r, taLeftJustify, vtaCenter, 20, 0, 0, 30, 0);
    EXPECT_EQ(r.Top, 10);
}
