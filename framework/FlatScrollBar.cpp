// Flat scroll bars: the area's two QScrollBars keep their behaviour and take a style that draws
// them flat (no bevels), or flat with the part under the mouse raised, in a colour and a width of
// their own. What a bar is to look like is kept on the bar itself.
#include "framework/FlatScrollBar.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

constexpr const char* ModeKey = "flatScrollMode";
constexpr const char* ColorKey = "flatScrollColor";
constexpr const char* ExtentKey = "flatScrollExtent";

class FlatScrollBarStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent && widget) {
            const int extent = widget->property(ExtentKey).toInt();
            if (extent > 0)
                return extent;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        const int mode = widget ? widget->property(ModeKey).toInt() : FSB_REGULAR_MODE;
        if (control != CC_ScrollBar || !slider || mode == FSB_REGULAR_MODE) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QPalette& palette = option->palette;
        const QVariant color = widget->property(ColorKey);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(option->rect,
                          color.isValid() ? color.value<QColor>() : palette.color(QPalette::Window));
        const bool hovered = (option->state & State_MouseOver) != 0;
        for (const SubControl part : {SC_ScrollBarSubLine, SC_ScrollBarAddLine, SC_ScrollBarSlider}) {
            const QRect r = subControlRect(CC_ScrollBar, option, part, widget);
            if (!r.isValid() || r.isEmpty())
                continue;
            const bool raised = mode == FSB_ENCARTA_MODE && hovered && (option->activeSubControls & part);
            DrawFlatPart(*painter, palette, r, raised);
            if (part != SC_ScrollBarSlider)
                DrawArrow(*painter, palette, r, slider->orientation, part == SC_ScrollBarAddLine);
        }
        painter->restore();
    }

private:
    // A flat part is a plain face with a one-pixel outline; a raised one has the light and dark edges.
    static void DrawFlatPart(QPainter& painter, const QPalette& palette, const QRect& r, bool raised) {
        painter.fillRect(r, palette.color(QPalette::Button));
        if (!raised) {
            painter.setPen(palette.color(QPalette::Mid));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            return;
        }
        painter.setPen(palette.color(QPalette::Light));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }

    static void DrawArrow(QPainter& painter, const QPalette& palette, const QRect& r,
                          Qt::Orientation orientation, bool forward) {
        const int half = std::max(1, std::min(r.width(), r.height()) / 4);
        const QPoint c = r.center();
        QPolygon arrow;
        if (orientation == Qt::Vertical) {
            const int tip = forward ? half / 2 + 1 : -half / 2 - 1;
            arrow << QPoint(c.x() - half, c.y() - tip) << QPoint(c.x() + half, c.y() - tip)
                  << QPoint(c.x(), c.y() + tip);
        } else {
            const int tip = forward ? half / 2 + 1 : -half / 2 - 1;
            arrow << QPoint(c.x() - tip, c.y() - half) << QPoint(c.x() - tip, c.y() + half)
                  << QPoint(c.x() + tip, c.y());
        }
        painter.setPen(palette.color(QPalette::ButtonText));
        painter.setBrush(palette.color(QPalette::ButtonText));
        painter.drawPolygon(arrow);
        painter.setBrush(Qt::NoBrush);
    }
};

FlatScrollBarStyle& Style() {
    // Parented to the application so that it goes before the application's own style.
    static auto* style = [] {
        auto* made = new FlatScrollBarStyle;
        made->setParent(qApp);
        return made;
    }();
    return *style;
}

QScrollBar* Bar(const QAbstractScrollArea& area, int bar) {
    return bar == SB_VERT ? area.verticalScrollBar() : area.horizontalScrollBar();
}

bool Initialized(const QAbstractScrollArea& area) {
    return area.verticalScrollBar()->style() == &Style();
}

// The area places its bars from their size hints: lay it out again when those change.
void Relayout(QAbstractScrollArea& area) {
    for (QScrollBar* bar : {area.horizontalScrollBar(), area.verticalScrollBar()})
        bar->updateGeometry();
    QEvent changed(QEvent::StyleChange);
    QApplication::sendEvent(&area, &changed);
}

} // namespace

bool InitializeFlatSB(QAbstractScrollArea& area) {
    for (QScrollBar* bar : {area.horizontalScrollBar(), area.verticalScrollBar()}) {
        bar->setProperty(ModeKey, int(FSB_REGULAR_MODE));
        bar->setAttribute(Qt::WA_Hover);
        bar->setStyle(&Style());
    }
    Relayout(area);
    return true;
}

void UninitializeFlatSB(QAbstractScrollArea& area) {
    if (!Initialized(area))
        return;
    for (QScrollBar* bar : {area.horizontalScrollBar(), area.verticalScrollBar()}) {
        for (const char* key : {ModeKey, ColorKey, ExtentKey})
            bar->setProperty(key, QVariant());
        bar->setStyle(nullptr);
    }
    Relayout(area);
}

bool FlatSB_SetScrollProp(QAbstractScrollArea& area, int index, int value, bool redraw) {
    if (!Initialized(area))
        return false;
    QScrollBar* vertical = area.verticalScrollBar();
    QScrollBar* horizontal = area.horizontalScrollBar();
    switch (index) {
    case WSB_PROP_VSTYLE:
        vertical->setProperty(ModeKey, value);
        break;
    case WSB_PROP_HSTYLE:
        horizontal->setProperty(ModeKey, value);
        break;
    case WSB_PROP_VBKGCOLOR:
        vertical->setProperty(ColorKey, ToQColor(value));
        break;
    case WSB_PROP_HBKGCOLOR:
        horizontal->setProperty(ColorKey, ToQColor(value));
        break;
    case WSB_PROP_CXVSCROLL:
        vertical->setProperty(ExtentKey, value);
        Relayout(area);
        break;
    case WSB_PROP_CYHSCROLL:
        horizontal->setProperty(ExtentKey, value);
        Relayout(area);
        break;
    default:
        return false;
    }
    if (redraw) {
        vertical->update();
        horizontal->update();
    }
    return true;
}

int FlatSB_GetScrollProp(const QAbstractScrollArea& area, int index) {
    switch (index) {
    case WSB_PROP_VSTYLE:
    case WSB_PROP_HSTYLE:
        return Bar(area, index == WSB_PROP_VSTYLE ? SB_VERT : SB_HORZ)->property(ModeKey).toInt();
    case WSB_PROP_CXVSCROLL:
    case WSB_PROP_CYHSCROLL: {
        const QScrollBar* bar = Bar(area, index == WSB_PROP_CXVSCROLL ? SB_VERT : SB_HORZ);
        return bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    }
    default:
        return 0;
    }
}

bool FlatSB_ShowScrollBar(QAbstractScrollArea& area, int bar, bool show) {
    const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    bar == SB_VERT ? area.setVerticalScrollBarPolicy(policy) : area.setHorizontalScrollBarPolicy(policy);
    return true;
}

int FlatSB_SetScrollInfo(QAbstractScrollArea& area, int bar, const TScrollInfo& info, bool redraw) {
    QScrollBar* scrollBar = Bar(area, bar);
    const QSignalBlocker quiet(scrollBar);
    // The platform's last unit is the end of the last page; Qt's maximum is where that page starts.
    const int page = std::max(0, info.nPage);
    const int last = page > 0 ? info.nMax - page + 1 : info.nMax;
    scrollBar->setRange(info.nMin, std::max(info.nMin, last));
    scrollBar->setPageStep(std::max(1, page));
    scrollBar->setValue(info.nPos);
    if (redraw)
        scrollBar->update();
    return scrollBar->value();
}

TScrollInfo FlatSB_GetScrollInfo(const QAbstractScrollArea& area, int bar) {
    const QScrollBar* scrollBar = Bar(area, bar);
    TScrollInfo info;
    info.nMin = scrollBar->minimum();
    info.nPage = scrollBar->pageStep();
    info.nMax = scrollBar->maximum() + std::max(0, info.nPage - 1);
    info.nPos = scrollBar->value();
    return info;
}
