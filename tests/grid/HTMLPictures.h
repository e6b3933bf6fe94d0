#pragma once

#include "framework/Stream.h"
#include "grid/Picturecontainer.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// A PNG file of one colour.
inline QByteArray PngBytes(int width, int height, QColor color = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline void LoadBytes(THTMLPicture& picture, const QByteArray& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.constData(), bytes.size());
    stream.SetPosition(0);
    picture.LoadFromStream(&stream);
}
