#include "grid/Gridxpvs.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace {

QStyle& ClassicStyle() {
    // Made once and kept for the program's life, as the system's drawing code is.
    static QStyle* const style = QStyleFactory::create("Windows");
    return style ? *style : *QApplication::style();
}

} // namespace

bool IsThemeActive() {
    return true;
}

void DrawThemedControl(QPainter& painter, const QRect& target, TThemedControl control, bool checked,
                       bool enabled, bool themed, const QString& caption) {
    QStyle& style = themed ? *QApplication::style() : ClassicStyle();
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
