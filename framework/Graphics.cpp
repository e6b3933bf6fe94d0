#include "framework/Graphics.h"

#include <QApplication>
#include <QPalette>

#include <cmath>

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
    case clBtnHighlight:
        return palette.color(QPalette::Light);
    case clGrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case cl3DDkShadow:
        return palette.color(QPalette::Shadow);
    case cl3DLight:
        return palette.color(QPalette::Midlight);
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

int TFont::GetHeight() const {
    if (height != 0 && heightSize == Size && heightPixelsPerInch == PixelsPerInch)
        return height;
    return -static_cast<int>(std::lround(Size * PixelsPerInch / 72.0));
}

void TFont::SetHeight(int value) {
    const int size = static_cast<int>(std::lround(-value * 72.0 / PixelsPerInch));
    const bool same = GetHeight() == value && Size == size;
    height = value;
    heightSize = size;
    heightPixelsPerInch = PixelsPerInch;
    if (same)
        return;
    Size = size;
    Changed();
}

void TFont::Assign(const TFont& other) {
    Name = other.Name;
    Size = other.Size;
    Color = other.Color;
    Style = other.Style;
    PixelsPerInch = other.PixelsPerInch;
    height = other.height;
    heightSize = other.heightSize;
    heightPixelsPerInch = other.heightPixelsPerInch;
    Changed();
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}

const QFont& TFont::ToQFont() const {
    // Size and Style are plain fields: compare them rather than rely on Changed.
    if (qtFontMade && qtFontSize == Size && qtFontStyle == Style)
        return qtFont;
    qtFont = QApplication::font();
    qtFont.setPointSize(Size);
    qtFont.setBold(Style & fsBold);
    qtFont.setItalic(Style & fsItalic);
    qtFont.setUnderline(Style & fsUnderline);
    qtFont.setStrikeOut(Style & fsStrikeOut);
    qtFontSize = Size;
    qtFontStyle = Style;
    qtFontMade = true;
    return qtFont;
}
