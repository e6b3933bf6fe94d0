#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QImage>

// A picture loaded from an image file, chosen by its extension: "jpg" and "jpeg" are decoded with
// libjpeg, other kinds (PNG, BMP) by Qt. A file that is missing or damaged leaves the picture
// empty rather than raising, so a window whose picture is bad still opens.
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
