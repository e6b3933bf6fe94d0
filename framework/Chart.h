#pragma once

#include "framework/Control.h"

#include <QImage>

#include <string>
#include <vector>

class QChart;
class TChart;

// The colour a point is added with to let its series choose: with ColorEachPoint the next colour
// of the palette, else the series' own.
constexpr TColor clTeeColor = 0x20000000;

enum TSeriesMarksStyle { smsValue, smsLabel, smsLabelValue };

// The small labels above the bars, each tied to its bar by a line ArrowLength pixels long.
struct TSeriesMarks {
    bool Visible = false;
    TSeriesMarksStyle Style = smsLabel;
    int ArrowLength = 8;
};

// One series of bars: its points in the order added, each a value, a label and a colour. The
// points live here; the chart draws them.
class TBarSeries : public TComponent {
public:
    explicit TBarSeries(TComponent* owner);
    ~TBarSeries() override;

    TChart* GetParentChart() const { return chart; }
    // Leaves the chart it was in and joins the new one.
    void SetParentChart(TChart* value);

    void Clear();
    // The index of the new point.
    int Add(double value, const AnsiString& label, TColor color = clTeeColor);
    int Count() const { return static_cast<int>(points.size()); }
    double YValue(int index) const { return points.at(static_cast<std::size_t>(index)).Value; }
    const AnsiString& XLabel(int index) const { return points.at(static_cast<std::size_t>(index)).Label; }
    // The colour the point is drawn in.
    TColor ValueColor(int index) const;
    // A value as the marks and the legend write it: thousands grouped, up to three decimals; one
    // those would write as 0, or of 1e15 or more, with fifteen significant digits.
    static AnsiString ValueText(double value);
    // What the point's mark says, by Marks.Style.
    AnsiString MarkText(int index) const;

    AnsiString Title;
    TColor SeriesColor = clRed;
    bool ColorEachPoint = false;
    TSeriesMarks Marks;

private:
    friend class TChart;
    struct Point {
        double Value;
        AnsiString Label;
        TColor Color;
    };
    void Changed();

    std::vector<Point> points;
    TChart* chart = nullptr;
};

struct TChartTitle {
    AnsiString Text;
    TFont Font;
};

struct TChartAxis {
    TChartTitle Title;
};

enum TLegendTextStyle { ltsPlain, ltsRightValue };

// One entry per point of the series: its colour and label, and its value after it with
// ltsRightValue.
struct TChartLegend {
    bool Visible = true;
    TLegendTextStyle TextStyle = ltsPlain;
};

// A two-dimensional bar chart: a title, a category axis along the bottom with one bar per point,
// a value axis on the left and a legend on the right. It is drawn with Qt Charts, on screen and
// as the pictures it saves and copies.
class TChart : public TWinControl {
public:
    explicit TChart(TComponent* owner);
    ~TChart() override;

    int SeriesCount() const { return static_cast<int>(series.size()); }
    TBarSeries* Series(int index) const { return series.at(static_cast<std::size_t>(index)); }
    void AddSeries(TBarSeries* value) { value->SetParentChart(this); }
    void RemoveSeries(TBarSeries* value);
    // Draws the chart again from its series.
    void Changed() { ViewChanged(); }

    // The chart as a vector picture (an SVG document) and as an image, at the control's size.
    std::string SvgPicture() const;
    QImage Picture() const;
    // Writes the vector picture under the name as given; a file that cannot be written raises
    // EFCreateError.
    void SaveToMetafileEnh(const AnsiString& FileName) const;
    // Puts the vector picture ("image/svg+xml") and the image on the clipboard together. Both
    // kinds of metafile are the vector picture here.
    void CopyToClipboardMetafile(bool Enhanced) const;

    TChartTitle Title;
    TChartAxis BottomAxis;
    TChartAxis LeftAxis;
    TChartLegend Legend;

protected:
    void UpdateView() override;

private:
    friend class TBarSeries;
    // A Qt chart of the series as they stand, with its marks.
    QChart* NewQtChart() const;

    std::vector<TBarSeries*> series;
};
