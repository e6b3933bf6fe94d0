#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QImage>

// Whether drawing takes a picture of that size. Qt scales a picture drawn into a rectangle in 16.16
// fixed point, which a side longer than 32767 pixels drawn into one pixel overflows (and crashes),
// so every picture loader refuses such a picture.
bool IsDrawablePictureSize(QSize size);

// A picture loaded from an image file, chosen by its extension: "jpg" and "jpeg" are decoded with
// libjpeg, other kinds (PNG, BMP) by Qt. A file that is missing or damaged, or a picture drawing
// cannot take, leaves the picture empty rather than raising, so a window whose picture is bad still
// opens.
class TPicture : public TObject {
public:
    void LoadFromFile(const AnsiString& fileName);
    bool Empty() const { return image.isNull(); }
    int Width() const { return image.width(); }
    int Height() const { return image.height(); }
    const QImage& Image() const { return image; }

    // After every load.
    TNotifyEvent OnChange;

private:
    QImage image;
};
