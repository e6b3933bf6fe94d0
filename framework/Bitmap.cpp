#include "framework/Bitmap.h"

#include "framework/Exceptions.h"
#include "framework/Picture.h"

#include <QPainter>

TBitmap::TBitmap() {
    canvas.SetImage(&image);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    QImage resized;
    if (width > 0 && height > 0) {
        resized = QImage(width, height, QImage::Format_RGB32);
        resized.fill(Qt::white);
        if (!image.isNull())
            QPainter(&resized).drawImage(0, 0, image);
    }
    image = resized;
}

void TBitmap::Assign(const TBitmap& other) {
    image = other.image.convertToFormat(QImage::Format_RGB32);
}

void TBitmap::LoadFromFile(const AnsiString& fileName) {
    QImage loaded;
    if (!loaded.load(QString::fromStdString(fileName.str())) || !IsDrawablePictureSize(loaded.size()))
        throw EInvalidGraphic("Bitmap image is not valid");
    image = loaded.convertToFormat(QImage::Format_RGB32);
}

void TBitmap::SaveToFile(const AnsiString& fileName) const {
    if (!image.save(QString::fromStdString(fileName.str())))
        throw EInvalidGraphic("Bitmap image is not valid");
}

QImage TBitmap::DrawnImage() const {
    if (!Transparent || image.isNull())
        return image;
    QImage drawn = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparentColor = drawn.pixel(0, 0);
    for (int y = 0; y < drawn.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x)
            if (line[x] == transparentColor)
                line[x] = 0;
    }
    return drawn;
}
