#include "grid/Gridxpvs.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace {

QStyle& ClassicStyle() {
    // Made once and kept for the program's life, as the system's drawing code is.
    static QStyle* const style = QStyleFactory::create("Windows");
    return style ? *style : *QApplication::style();
}

QStyle& StyleFor(bool themed) {
    return themed ? *QApplication::style() : ClassicStyle();
}

QStyle::PrimitiveElement ArrowOf(TThemedArrow arrow, bool themed) {
    switch (arrow) {
    case taSpinUp:
        return themed ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorArrowUp;
    case taSpinDown:
        return themed ? QStyle::PE_IndicatorSpinDown : QStyle::PE_IndicatorArrowDown;
    case taSpinRight:
        return QStyle::PE_IndicatorArrowRight;
    case taSpinLeft:
        return QStyle::PE_IndicatorArrowLeft;
    case taComboDrop:
        break;
    }
    return QStyle::PE_IndicatorArrowDown;
}

} // namespace

bool IsThemeActive() {
    return true;
}

void DrawThemedControl(QPainter& painter, const QRect& target, TThemedControl control, bool checked,
                       bool enabled, bool themed, const QString& caption) {
    QStyle& style = StyleFor(themed);
    QStyleOptionButton option;
    option.rect = target;
    option.palette = style.standardPalette();
    option.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
    painter.save();
    switch (control) {
    case tcCheckBox:
        option.state |= checked ? QStyle::State_On : QStyle::State_Off;
        style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
        break;
    case tcRadioButton:
        option.state |= checked ? QStyle::State_On : QStyle::State_Off;
        style.drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter);
        break;
    case tcPushButton:
        option.state |= checked ? QStyle::State_Sunken : QStyle::State_Raised;
        option.text = caption;
        style.drawControl(QStyle::CE_PushButton, &option, &painter);
        break;
    }
    painter.restore();
}

void DrawThemedArrowButton(QPainter& painter, const QRect& target, TThemedArrow arrow, bool pressed,
                           bool enabled, bool themed, bool flat) {
    QStyle& style = StyleFor(themed);
    QStyleOption option;
    option.rect = target;
    option.palette = style.standardPalette();
    option.state = (enabled ? QStyle::State_Enabled : QStyle::State_None) |
                   (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
    painter.save();
    if (flat && !themed) {
        painter.fillRect(target, option.palette.button());
        qDrawPlainRect(&painter, target, option.palette.shadow().color());
    } else {
        style.drawPrimitive(themed ? QStyle::PE_PanelButtonCommand : QStyle::PE_PanelButtonBevel, &option,
                            &painter);
    }
    // A sunken arrow moves as the style moves it.
    option.rect = target.adjusted(2, 2, -2, -2);
    style.drawPrimitive(ArrowOf(arrow, themed), &option, &painter);
    painter.restore();
}
