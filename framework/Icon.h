#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <QImage>

// A small picture with its own transparency, read from an icon or image file.
class TIcon : public TObject {
public:
    // A file that cannot be read raises EInvalidGraphic "Icon image is not valid" and keeps the
    // icon as it was.
    void LoadFromFile(const AnsiString& fileName);
    void Assign(const TIcon& other) { image = other.image; }
    bool Empty() const { return image.isNull(); }
    int Width() const { return image.width(); }
    int Height() const { return image.height(); }
    // With an alpha channel, so the icon draws over what lies under it.
    const QImage& Image() const { return image; }
    void SetImage(const QImage& value) { image = value.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

private:
    QImage image;
};
