#include "framework/Graphics.h"

#include <QApplication>
#include <QPalette>

QColor ToQColor(TColor color) {
    if ((color & 0x80000000u) == 0)
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
    const QPalette palette = QApplication::palette();
    switch (color) {
    case clWindow:
        return palette.color(QPalette::Base);
    case clWindowText:
        return palette.color(QPalette::Text);
    case clHighlight:
        return palette.color(QPalette::Highlight);
    case clHighlightText:
        return palette.color(QPalette::HighlightedText);
    case clBtnFace:
    case clMenu:
        return palette.color(QPalette::Button);
    case clBtnText:
        return palette.color(QPalette::ButtonText);
    case clBtnShadow:
        return palette.color(QPalette::Dark);
    case clGrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case clInfoBk:
        return palette.color(QPalette::ToolTipBase);
    case clInfoText:
        return palette.color(QPalette::ToolTipText);
    default:
        return palette.color(QPalette::Window);
    }
}

void TFont::SetName(const AnsiString& name) {
    if (Name == name)
        return;
    Name = name;
    Changed();
}

void TFont::SetSize(int size) {
    if (Size == size)
        return;
    Size = size;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (Color == color)
        return;
    Color = color;
    Changed();
}

void TFont::SetStyle(unsigned style) {
    if (Style == style)
        return;
    Style = style;
    Changed();
}

void TFont::Assign(const TFont& other) {
    Name = other.Name;
    Size = other.Size;
    Color = other.Color;
    Style = other.Style;
    Changed();
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}

QFont TFont::ToQFont() const {
    QFont font = QApplication::font();
    font.setPointSize(Size);
    font.setBold(Style & fsBold);
    font.setItalic(Style & fsItalic);
    font.setUnderline(Style & fsUnderline);
    font.setStrikeOut(Style & fsStrikeOut);
    return font;
}
