#include "framework/Chart.h"

#include "framework/Clipboard.h"
#include "framework/ControlView.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/NumberFormat.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The colours a series gives its points in turn.
constexpr TColor Palette[] = {clRed,  clGreen,  clYellow, clBlue, clFuchsia, clTeal,   clNavy,
                              clLime, clMaroon, clOlive,  clAqua, clPurple,  clSilver, clGray};

QString ToQString(const AnsiString& text) {
    return QString::fromUtf8(text.c_str(), text.Length());
}

// One bar as the chart draws it.
struct Bar {
    double Value;
    // The value in the value axis's units.
    double Height;
    QString Label;
    QColor Colour;
    QString Mark;
    int ArrowLength;
    bool Marked;
};

constexpr qreal MarkZ = 1000;

// A mark: its line up from the bar's top and its framed text above the line.
class BarMark {
public:
    BarMark(QChart& chart, const Bar& bar) : bar(bar) {
        line = new QGraphicsLineItem(&chart);
        frame = new QGraphicsRectItem(&chart);
        frame->setBrush(QColor(255, 255, 225));
        text = new QGraphicsSimpleTextItem(bar.Mark, frame);
        text->setFont(chart.legend()->font());
        // Above the grid lines, which would strike the text through.
        for (QGraphicsItem* item : {static_cast<QGraphicsItem*>(line), static_cast<QGraphicsItem*>(frame)})
            item->setZValue(MarkZ);
    }

    void Place(const QPointF& top) {
        line->setLine(QLineF(top, top - QPointF(0, bar.ArrowLength)));
        const QRectF box = text->boundingRect().adjusted(-3, -1, 3, 1);
        frame->setRect(QRectF(QPointF(0, 0), box.size()));
        frame->setPos(top.x() - box.width() / 2, top.y() - bar.ArrowLength - box.height());
        text->setPos(3, 1);
    }

    const Bar bar;

private:
    QGraphicsLineItem* line;
    QGraphicsRectItem* frame;
    QGraphicsSimpleTextItem* text;
};

// Category names must differ on the axis: a repeated label is made distinct by invisible
// zero-width spaces.
QStringList DistinctCategories(const std::vector<Bar>& bars) {
    QStringList categories;
    std::map<QString, int> seen;
    for (const Bar& bar : bars)
        categories << bar.Label + QString(seen[bar.Label]++, QChar(0x200B));
    return categories;
}

void SetTitle(QAbstractAxis& axis, const TChartTitle& title) {
    axis.setTitleText(ToQString(title.Text));
    axis.setTitleFont(title.Font.ToQFont());
    axis.setTitleBrush(ToQColor(title.Font.Color));
}

// The power of ten that the value axis counts in: none while the bars' figures are short in fixed
// notation, else that of the largest bar. Qt Charts neither draws a range narrower than 1e-12 nor
// one whose ticks overflow, so such bars are drawn in units of that power, between 1 and 10.
int AxisExponent(const std::vector<Bar>& bars) {
    double largest = 0;
    for (const Bar& bar : bars)
        largest = std::max(largest, std::abs(bar.Value));
    constexpr double FixedFrom = 1e-4;
    constexpr double FixedBelow = 1e10;
    if (largest == 0 || (largest >= FixedFrom && largest < FixedBelow))
        return 0;
    return static_cast<int>(std::floor(std::log10(largest)));
}

// value in units of ten to the exponent, multiplied in two halves lest the power itself overflow or
// vanish.
double InUnits(double value, int exponent) {
    return value * std::pow(10.0, -(exponent / 2)) * std::pow(10.0, -(exponent - exponent / 2));
}

// The decimals, up to most, that write x exactly: none for a whole number.
int Decimals(double x, int most) {
    int decimals = 0;
    for (double scaled = std::abs(x); decimals < most; scaled *= 10, ++decimals)
        if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled)
            break;
    return decimals;
}

// A figure of the value axis, counted in units of ten to the exponent: with decimals and the
// locale's decimal separator, and the exponent after it, as the marks write them.
QString FigureText(double value, int decimals, int exponent) {
    AnsiString text = FixedWidthText(value, 0, decimals, DecimalSeparator);
    if (exponent != 0)
        text += "E" + IntToStr(exponent);
    return ToQString(text);
}

// A value axis from zero (or the lowest bar) to the highest, with room above for the marks. Its
// figures are written here, with the framework's decimal separator, which no Qt locale need share:
// each with the decimals its step needs, so that no two read alike.
QValueAxis* NewValueAxis(const std::vector<Bar>& bars, int exponent) {
    double low = 0;
    double high = 0;
    for (const Bar& bar : bars) {
        low = std::min(low, bar.Height);
        high = std::max(high, bar.Height);
    }
    auto* axis = new QCategoryAxis;
    axis->setRange(low, high > low ? high + (high - low) * 0.15 : low + 1);
    axis->applyNiceNumbers();
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(axis->min());
    const int ticks = axis->tickCount();
    const double step = ticks < 2 ? 0 : (axis->max() - axis->min()) / (ticks - 1);
    constexpr int MostDecimals = 15;
    const int decimals = step > 0 ? Decimals(step, MostDecimals) : 0;
    for (int i = 0; i < ticks; ++i) {
        const double value = axis->min() + i * step;
        // Without bars, blank figures rather than none, which would leave the axis's title no room;
        // the axis takes no two alike.
        axis->append(bars.empty() ? QString(i + 1, QChar(' ')) : FigureText(value, decimals, exponent),
                     value);
    }
    return axis;
}

// The label broken between words into lines no wider than width, where its words allow.
QStringList LabelLines(const QString& label, const QFontMetricsF& metrics, qreal width) {
    QStringList lines;
    for (const QString& word : label.split(' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + ' ' + word) <= width)
            lines.back() += ' ' + word;
        else
            lines << word;
    }
    return lines;
}

// Labels too wide for their bars are read whole rather than cut short: broken into lines, or,
// where a word alone is too wide, turned upright. Once upright they stay so, lest the new layout
// turn them back.
void FitLabels(QBarCategoryAxis& axis, const QStringList& labels, qreal plotWidth) {
    if (labels.isEmpty() || axis.labelsAngle() != 0)
        return;
    // Qt keeps a margin round each label and room between neighbours.
    constexpr qreal Gap = 14;
    const qreal room = plotWidth / labels.size() - Gap;
    const QFontMetricsF metrics(axis.labelsFont());
    QStringList wrapped;
    for (const QString& label : labels) {
        const QStringList lines = LabelLines(label, metrics, room);
        for (const QString& line : lines)
            if (metrics.horizontalAdvance(line) > room) {
                axis.setLabelsAngle(-90);
                return;
            }
        wrapped << lines.join("<br>");
    }
    // The axis takes no two alike.
    if (wrapped != axis.categories() && QStringList(wrapped).removeDuplicates() == 0)
        axis.setCategories(wrapped);
}

// Draws chart, taken over, onto device at size.
void PaintChart(QChart* chart, QPaintDevice& device, const QSize& size) {
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->resize(size);
    // Laid out again, should the first layout have slanted the labels.
    chart->layout()->activate();
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
}

QSize PictureSize(const TChart& chart) {
    return {std::max(chart.Width(), 1), std::max(chart.Height(), 1)};
}

} // namespace

TBarSeries::TBarSeries(TComponent* owner) : TComponent(owner) {}

TBarSeries::~TBarSeries() {
    if (chart)
        chart->RemoveSeries(this);
}

void TBarSeries::SetParentChart(TChart* value) {
    if (value == chart)
        return;
    if (chart)
        chart->RemoveSeries(this);
    chart = value;
    if (chart) {
        chart->series.push_back(this);
        chart->Changed();
    }
}

void TBarSeries::Clear() {
    points.clear();
    Changed();
}

int TBarSeries::Add(double value, const AnsiString& label, TColor color) {
    points.push_back({value, label, color});
    Changed();
    return Count() - 1;
}

TColor TBarSeries::ValueColor(int index) const {
    const TColor color = points.at(static_cast<std::size_t>(index)).Color;
    if (color != clTeeColor)
        return color;
    return ColorEachPoint ? Palette[static_cast<std::size_t>(index) % std::size(Palette)] : SeriesColor;
}

AnsiString TBarSeries::ValueText(double value) {
    // Three decimals would show a value this small as 0, and grouped figures this large are longer
    // than a double is exact.
    constexpr double SmallestShown = 0.0005;
    constexpr double LargestGrouped = 1e15;
    const double magnitude = std::abs(value);
    if (value != 0 && (magnitude < SmallestShown || magnitude >= LargestGrouped))
        return FloatToStr(value);
    return FormatFloat("#,##0.###", value);
}

AnsiString TBarSeries::MarkText(int index) const {
    switch (Marks.Style) {
    case smsValue:
        return ValueText(YValue(index));
    case smsLabelValue:
        return XLabel(index) + " " + ValueText(YValue(index));
    case smsLabel:
        break;
    }
    return XLabel(index);
}

void TBarSeries::Changed() {
    if (chart)
        chart->Changed();
}

TChart::TChart(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QChartView>(*this);
    view->setRenderHint(QPainter::Antialiasing);
    SetView(view);
    SetBounds(0, 0, 400, 250);
    SetColor(clWhite);
}

TChart::~TChart() {
    for (TBarSeries* s : series)
        s->chart = nullptr;
}

void TChart::RemoveSeries(TBarSeries* value) {
    const auto found = std::find(series.begin(), series.end(), value);
    if (found == series.end())
        return;
    series.erase(found);
    value->chart = nullptr;
    Changed();
}

QChart* TChart::NewQtChart() const {
    std::vector<Bar> bars;
    for (const TBarSeries* s : series)
        for (int i = 0; i < s->Count(); ++i)
            bars.push_back({s->YValue(i), 0, ToQString(s->XLabel(i)), ToQColor(s->ValueColor(i)),
                            ToQString(s->MarkText(i)), s->Marks.ArrowLength, s->Marks.Visible});
    const int exponent = AxisExponent(bars);
    for (Bar& bar : bars)
        bar.Height = InUnits(bar.Value, exponent);

    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setBackgroundBrush(ToQColor(GetColor()));
    chart->setTitle(ToQString(Title.Text));
    chart->setTitleFont(Title.Font.ToQFont());
    chart->setTitleBrush(ToQColor(Title.Font.Color));
    chart->legend()->setVisible(Legend.Visible);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(Font.ToQFont());

    // One set per bar, holding its value in its own category and nothing in the others, so that
    // every bar has a colour of its own.
    auto* stack = new QStackedBarSeries;
    stack->setName(series.empty() ? QString() : ToQString(series.front()->Title));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        QString entry = bars[i].Label;
        if (Legend.TextStyle == ltsRightValue)
            entry += "   " + ToQString(TBarSeries::ValueText(bars[i].Value));
        auto* set = new QBarSet(entry);
        set->setColor(bars[i].Colour);
        set->setBorderColor(Qt::black);
        QList<qreal> values(static_cast<qsizetype>(bars.size()), 0.0);
        values[static_cast<qsizetype>(i)] = bars[i].Height;
        set->append(values);
        stack->append(set);
    }
    stack->setBarWidth(0.6);
    chart->addSeries(stack);

    auto* categories = new QBarCategoryAxis;
    categories->append(DistinctCategories(bars));
    // Without bars the axes show no figures. The category axis holds one unseen category: with
    // none it lays its title out in the chart's corner.
    if (bars.empty())
        categories->append(QString(QChar(0x200B)));
    categories->setLabelsFont(Font.ToQFont());
    SetTitle(*categories, BottomAxis.Title);
    chart->addAxis(categories, Qt::AlignBottom);
    stack->attachAxis(categories);
    QValueAxis* values = NewValueAxis(bars, exponent);
    values->setLabelsFont(Font.ToQFont());
    SetTitle(*values, LeftAxis.Title);
    chart->addAxis(values, Qt::AlignLeft);
    stack->attachAxis(values);

    std::vector<std::shared_ptr<BarMark>> marks;
    for (const Bar& bar : bars)
        if (bar.Marked)
            marks.push_back(std::make_shared<BarMark>(*chart, bar));
    const auto place = [chart, stack, categories, marks, labels = DistinctCategories(bars)] {
        FitLabels(*categories, labels, chart->plotArea().width());
        for (std::size_t i = 0; i < marks.size(); ++i)
            marks[i]->Place(
                chart->mapToPosition(QPointF(static_cast<qreal>(i), marks[i]->bar.Height), stack));
    };
    QObject::connect(chart, &QChart::plotAreaChanged, chart, place);
    return chart;
}

void TChart::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QChartView*>(View());
    std::unique_ptr<QChart> shown(view->chart());
    view->setChart(NewQtChart());
}

std::string TChart::SvgPicture() const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QSize size = PictureSize(*this);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(ToQString(Title.Text));
    PaintChart(NewQtChart(), generator, size);
    return buffer.data().toStdString();
}

QImage TChart::Picture() const {
    const QSize size = PictureSize(*this);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    PaintChart(NewQtChart(), image, size);
    return image;
}

void TChart::SaveToMetafileEnh(const AnsiString& FileName) const {
    if (!WriteFileBytes(FileName, SvgPicture()))
        throw EFCreateError("Cannot create file \"" + FileName + "\"");
}

void TChart::CopyToClipboardMetafile(bool) const {
    Clipboard().Open();
    Clipboard().SetAsBytes("image/svg+xml", SvgPicture());
    Clipboard().SetAsImage(Picture());
    Clipboard().Close();
}
