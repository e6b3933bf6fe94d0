#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"

#include <QImage>
#include <QRect>
#include <QWidget>

// A shown window holding one control at (0, 0) (a hidden view is brought up to date only once
// shown).
template <class Control> struct OneControlForm : TForm {
    OneControlForm(int width, int height) : TForm(nullptr) {
        control->SetParent(this);
        control->SetBounds(0, 0, width, height);
        EndLayout();
        Show();
    }
    Control* const control = new Control(this);
};

// The pixels of a control as it paints itself.
inline QImage Painted(TControl& control) {
    UpdateStaleViews();
    return control.View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The dark pixels of an arrow inside area (a frame's dark lines left out): their bounding box and
// the column holding most of them.
struct Arrow {
    QRect box;
    int fullestColumn = -1;
};

inline Arrow ArrowIn(const QImage& image, const QRect& area) {
    Arrow arrow;
    int most = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 64) {
                ++dark;
                arrow.box |= QRect(x, y, 1, 1);
            }
        if (dark > most) {
            most = dark;
            arrow.fullestColumn = x;
        }
    }
    return arrow;
}

inline double MeanGray(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (area.width() * area.height());
}

// How many pixels have the colour.
inline int CountOf(const QImage& image, QRgb colour) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return found;
}

// A glyph of two width x height images side by side, first then second, over a white bottom row
// (transparent, as the bottom-left pixel is).
inline void PaintTwoImages(TBitmap& glyph, int width, int height, TColor first, TColor second) {
    glyph.SetSize(2 * width, height + 1);
    glyph.Canvas->Brush.Color = first;
    glyph.Canvas->FillRect(Rect(0, 0, width, height));
    glyph.Canvas->Brush.Color = second;
    glyph.Canvas->FillRect(Rect(width, 0, 2 * width, height));
}
