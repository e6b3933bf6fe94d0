#pragma once

#include "framework/Canvas.h"

#include <QImage>

// An image in memory with its own canvas. New pixels are white.
class TBitmap : public TObject {
public:
    TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return image.width(); }
    int Height() const { return image.height(); }
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    // Keeps the pixels that still fit.
    void SetSize(int width, int height);
    bool Empty() const { return image.isNull(); }
    // Takes a copy of the other bitmap's pixels.
    void Assign(const TBitmap& other);
    // The image file's pixels (BMP, PNG and what else Qt reads); a file that cannot be read
    // raises EInvalidGraphic.
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName) const;

    const QImage& Image() const { return image; }
    // The pixels as drawn on a canvas: with Transparent, those of the top-left pixel's colour
    // let what lies under them show.
    QImage DrawnImage() const;

    TCanvas* const Canvas = &canvas;
    bool Transparent = false;

private:
    QImage image;
    TCanvas canvas;
};
