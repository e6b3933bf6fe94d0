#include "framework/Chart.h"

#include "framework/Clipboard.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <regex>
#include <set>
#include <vector>

namespace {

// A chart of one series as the costings window lays it out, in a form of its own.
struct BarChart {
    BarChart() {
        chart->SetBounds(0, 0, 600, 400);
        chart->Title.Text = "Costs";
        chart->Legend.TextStyle = ltsRightValue;
        series->ColorEachPoint = true;
        series->Marks.Visible = true;
        series->Marks.Style = smsValue;
        series->Marks.ArrowLength = 20;
        chart->AddSeries(series);
    }

    TComponent owner{nullptr};
    TChart* chart = new TChart(&owner);
    TBarSeries* series = new TBarSeries(&owner);
};

bool HasColour(const QImage& image, TColor colour) {
    const QRgb wanted = ToQColor(colour).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                return true;
    return false;
}

TEST(Chart, PointsKeepTheirOrderValuesLabelsAndColours) {
    BarChart c;
    c.series->Add(1234.5, "Cement");
    c.series->Add(0, "");
    c.series->Add(-2, "Sand", clBlack);
    c.series->Add(3, "Cement");
    ASSERT_EQ(c.series->Count(), 4);
    EXPECT_EQ(c.series->XLabel(0), "Cement");
    EXPECT_EQ(c.series->XLabel(1), "");
    EXPECT_EQ(c.series->YValue(2), -2);
    // Each point its own colour from the palette, unless added with one.
    std::set<TColor> colours{c.series->ValueColor(0), c.series->ValueColor(1), c.series->ValueColor(3)};
    EXPECT_EQ(colours.size(), 3u);
    EXPECT_EQ(c.series->ValueColor(2), clBlack);
    c.series->ColorEachPoint = false;
    c.series->SeriesColor = clTeal;
    EXPECT_EQ(c.series->ValueColor(0), clTeal);
    EXPECT_EQ(c.series->ValueColor(2), clBlack);

    c.series->Clear();
    EXPECT_EQ(c.series->Count(), 0);
}

TEST(Chart, MarksSayTheValue) {
    BarChart c;
    c.series->Add(1234567.125, "Pipes");
    EXPECT_EQ(c.series->MarkText(0), "1,234,567.125");
    // Mended: every bar below 0.0005 was marked 0, and a bar of 1e300 with 301 figures.
    const std::pair<double, const char*> rows[] = {
        {0.5, "0.5"},   {0, "0"},           {0.0005, "0.001"}, {0.0004999, "0.0004999"},
        {3e-7, "3E-7"}, {-2e-10, "-2E-10"}, {1e300, "1E300"},  {999999999999999, "999,999,999,999,999"},
        {1e15, "1E15"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(TBarSeries::ValueText(value), text) << value;
}

TEST(Chart, EveryBarIsDrawnInItsColour) {
    BarChart c;
    c.series->Add(10, "a", clRed);
    c.series->Add(30, "b", clBlue);
    c.series->Add(20, "c", clLime);
    const QImage picture = c.chart->Picture();
    EXPECT_EQ(picture.size(), QSize(600, 400));
    for (TColor colour : {clRed, clBlue, clLime})
        EXPECT_TRUE(HasColour(picture, colour)) << std::hex << colour;
    EXPECT_FALSE(HasColour(picture, clFuchsia));
}

TEST(Chart, ValuesAtTheEndsOfTheDoubleRangeAreDrawn) {
    const double huge = std::numeric_limits<double>::max();
    const struct {
        const char* label;
        std::vector<double> values;
    } cases[] = {
        {"largest", {huge, 1}},
        {"largest both ways", {-huge, huge}},
        {"smallest", {-huge}},
        {"tiny", {std::numeric_limits<double>::denorm_min()}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        BarChart c;
        for (double value : row.values)
            c.series->Add(value, "Bar");
        EXPECT_EQ(c.chart->Picture().size(), QSize(600, 400));
        EXPECT_NE(c.chart->SvgPicture().find("<svg"), std::string::npos);
    }
}

TEST(Chart, TheVectorPictureGoesToAFileUnderItsNameAsGiven) {
    BarChart c;
    c.series->Add(10, "Cement");
    c.series->Add(20, "Sand & gravel");
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("chart").toStdString();
    c.chart->SaveToMetafileEnh(name);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(name, bytes));
    EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
    EXPECT_NE(bytes.find("<svg"), std::string::npos);
    EXPECT_NE(bytes.find("<title>Costs</title>"), std::string::npos);
    EXPECT_EQ(bytes, c.chart->SvgPicture());

    const AnsiString unwritable = dir.filePath("missing/chart.emf").toStdString();
    try {
        c.chart->SaveToMetafileEnh(unwritable);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message, "Cannot create file \"" + unwritable + "\"");
    }
}

TEST(Chart, TheClipboardGetsTheVectorPictureAndAnImage) {
    BarChart c;
    c.series->Add(10, "Cement");
    Clipboard().SetAsText("before");
    c.chart->CopyToClipboardMetafile(true);
    EXPECT_FALSE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().GetAsBytes("image/svg+xml").str(), c.chart->SvgPicture());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(600, 400));
}

TEST(Chart, LabelsTooWideForTheirBarsAreBrokenIntoLinesOrTurnedUpright) {
    const char* labels[] = {
        "Cement",   "Sand",      "Gravel",       "Bricks",         "Sewer pipe",     "Cover slab and frame",
        "Labourer", "Excavator", "Dumper truck", "Concrete mixer", "Dewatering pump"};
    struct Case {
        int width;
        std::vector<std::string> lines;
    };
    // Eleven bars beside the legend: at 2000 pixels each label has room on one line, at 1200 the
    // longer ones take two; at 700 "Dewatering" alone is too wide, and all are turned upright.
    const Case cases[] = {{2000, {"Cover slab and frame", "Dumper truck", "Dewatering pump"}},
                          {1200, {"Cover slab", "and frame", "Dewatering", "pump"}},
                          {700, {"Cover slab and frame", "Dumper truck", "Dewatering pump"}}};
    for (const Case& row : cases) {
        SCOPED_TRACE(row.width);
        BarChart c;
        c.chart->SetBounds(0, 0, row.width, 400);
        for (const char* label : labels)
            c.series->Add(10, label);
        const std::string svg = c.chart->SvgPicture();
        EXPECT_EQ(svg.find("..."), std::string::npos);
        // Upright text is drawn turned a quarter: cos 0, sin -1.
        EXPECT_EQ(svg.find("matrix(0,-1,1,0,") != std::string::npos, row.width == 700);
        for (const std::string& line : row.lines)
            EXPECT_NE(svg.find(">" + line + "<"), std::string::npos) << line;
    }
}

// The texts the vector picture writes, each with the height at which its group is placed.
std::vector<std::pair<std::string, double>> PlacedTexts(const std::string& svg) {
    std::vector<std::pair<std::string, double>> texts;
    const std::regex text(
        R"re(transform="matrix\([^,]*,[^,]*,[^,]*,[^,]*,[^,]*,([^)]*)\)"[^>]*>\s*<text[^>]*>([^<]*)</text>)re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it)
        texts.emplace_back((*it)[2].str(), std::stod((*it)[1].str()));
    return texts;
}

// Mended: a chart emptied of its bars showed the figures 0 0 0 1 1 1 up its value axis, and the
// title of its category axis in its top-left corner.
TEST(Chart, AChartWithoutBarsShowsItsTitlesAndNoFigures) {
    const struct {
        const char* label;
        std::vector<double> values; // added, then cleared
    } cases[] = {{"never filled", {}}, {"emptied", {12, 30}}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        BarChart c;
        c.chart->BottomAxis.Title.Text = "Resources";
        c.chart->LeftAxis.Title.Text = "Total Resource Cost";
        for (double value : row.values)
            c.series->Add(value, "a");
        c.series->Clear();
        std::vector<std::string> shown;
        for (const auto& [text, y] : PlacedTexts(c.chart->SvgPicture())) {
            // An unseen category holds the axis in its place.
            if (text == "\u200B")
                continue;
            shown.push_back(text);
            if (text == "Resources") {
                // Below the plot, at the foot of the 400-pixel chart.
                EXPECT_GT(y, 350);
            }
        }
        EXPECT_EQ(shown, (std::vector<std::string>{"Costs", "Resources", "Total Resource Cost"}));
    }
}

// The figures up the value axis of a chart of bars with the values, from its foot, written with
// the locale's decimal separator.
std::vector<std::string> ValueFigures(const std::vector<double>& values) {
    BarChart c;
    c.series->Marks.Visible = false;
    c.chart->Legend.Visible = false;
    for (double value : values)
        c.series->Add(value, "a");
    const std::regex figure(std::string(R"(-?[0-9]+(\)") + DecimalSeparator + R"([0-9]+)?(E-?[0-9]+)?)");
    std::vector<std::pair<double, std::string>> placed;
    for (const auto& [text, y] : PlacedTexts(c.chart->SvgPicture()))
        if (std::regex_match(text, figure))
            placed.emplace_back(-y, text);
    std::sort(placed.begin(), placed.end());
    std::vector<std::string> figures;
    for (const auto& [height, text] : placed)
        figures.push_back(text);
    return figures;
}

// Mended: bars all 0 gave the value axis 0 0 0 1 1 1, its fifths written without decimals; bars up
// to 3e-7 gave 0.000000 five times, and bars up to 2e-10 gave 0 0 0 0. Mended too: the comma
// locale's axis wrote its decimals after a point, where the marks write a comma.
TEST(Chart, TheValueAxisNeverShowsOneFigureTwice) {
    const struct {
        char decimal;
        const char* label;
        std::vector<double> values;
        // Up the axis, from its foot.
        std::vector<std::string> figures;
    } cases[] = {
        // The axis runs 0 to 1 where there is no height to show, in fifths.
        {'.', "eleven bars of 0", std::vector<double>(11, 0), {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {'.', "one bar of 0", {0}, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        // 2.5 and its room above, 2.875, come up to 3.
        {'.', "bars up to 2.5", {1, 2.5}, {"0", "1", "2", "3"}},
        // 0.3 and its room above, 0.345, come up to 0.4 in tenths.
        {'.', "bars up to 0.3", {0.1, 0.3}, {"0.0", "0.1", "0.2", "0.3", "0.4"}},
        // 1200 and its room above, 1380, come up to 1500 in steps of 500.
        {'.', "bars up to 1200", {1200, 300}, {"0", "500", "1000", "1500"}},
        // Counted in tenths of a millionth: 3 and its room above, 3.45, come up to 4.
        {'.', "bars up to 3e-7", {1e-7, 3e-7}, {"0E-7", "1E-7", "2E-7", "3E-7", "4E-7"}},
        // Counted in units of 1e-10: 2 and its room above, 2.3, come up to 3.
        {'.', "bars up to 2e-10", {1e-10, 2e-10}, {"0E-10", "1E-10", "2E-10", "3E-10"}},
        // Counted in units of 1e10: 1.2 and its room above, 1.38, come up to 1.5 in halves.
        {'.', "bars up to 1.2e10", {0.3e10, 1.2e10}, {"0.0E10", "0.5E10", "1.0E10", "1.5E10"}},
        // The same axes where the locale writes a decimal comma, as the marks then do.
        {',',
         "eleven bars of 0, comma",
         std::vector<double>(11, 0),
         {"0,0", "0,2", "0,4", "0,6", "0,8", "1,0"}},
        {',', "bars up to 0.3, comma", {0.1, 0.3}, {"0,0", "0,1", "0,2", "0,3", "0,4"}},
        {',', "bars up to 1200, comma", {1200, 300}, {"0", "500", "1000", "1500"}},
        {',', "bars up to 3e-7, comma", {1e-7, 3e-7}, {"0E-7", "1E-7", "2E-7", "3E-7", "4E-7"}},
        {',', "bars up to 1.2e10, comma", {0.3e10, 1.2e10}, {"0,0E10", "0,5E10", "1,0E10", "1,5E10"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const LocaleSeparators separators(row.decimal, row.decimal == '.' ? ',' : '.');
        EXPECT_EQ(ValueFigures(row.values), row.figures);
    }
}

// Each figure up the value axis reads back as the value at its place, evenly up the axis and from
// below the lowest bar and 0 to above the highest, at every scale of the bars, either sign, in
// either locale.
TEST(Chart, TheValueAxisReadsBackAtEveryScale) {
    std::vector<double> maxima{std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(),
                               9.9e-5,
                               1e-4,
                               9.99e9,
                               1e10};
    const double mantissas[] = {1.0, 2.5, 7.3};
    for (int power = -300, i = 0; power <= 300; power += 20, ++i)
        maxima.push_back((i % 2 ? -1 : 1) * mantissas[i % 3] * std::pow(10.0, power));
    for (const char decimal : {'.', ','})
        for (double most : maxima) {
            SCOPED_TRACE(testing::Message() << "bars up to " << most << ", decimal " << decimal);
            const LocaleSeparators separators(decimal, decimal == '.' ? ',' : '.');
            const std::vector<std::string> figures = ValueFigures({most / 3, most});
            const std::string shown = testing::PrintToString(figures);
            ASSERT_GE(figures.size(), 2u) << shown;
            // Read wider than a double: the axis may rise above the largest double.
            std::vector<long double> read;
            for (std::string text : figures) {
                std::replace(text.begin(), text.end(), decimal, '.');
                read.push_back(std::strtold(text.c_str(), nullptr));
            }
            const long double step = (read.back() - read.front()) / static_cast<long double>(read.size() - 1);
            ASSERT_GT(step, 0) << shown;
            for (std::size_t i = 0; i < read.size(); ++i)
                EXPECT_LE(std::abs(read[i] - (read.front() + static_cast<long double>(i) * step)),
                          step / 1000)
                    << shown;
            EXPECT_LE(read.front(), std::min(0.0, most) + step / 1000) << shown;
            EXPECT_GE(read.back(), std::max(0.0, most) - step / 1000) << shown;
        }
}

TEST(Chart, SeriesAndChartMayGoInEitherOrder) {
    auto chart = std::make_unique<TChart>(nullptr);
    auto first = std::make_unique<TBarSeries>(nullptr);
    auto second = std::make_unique<TBarSeries>(nullptr);
    chart->AddSeries(first.get());
    chart->AddSeries(second.get());
    EXPECT_EQ(chart->SeriesCount(), 2);
    first.reset();
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), second.get());
    chart.reset();
    EXPECT_EQ(second->GetParentChart(), nullptr);
    second->Add(1, "after the chart");
}

} // namespace
