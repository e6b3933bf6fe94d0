#include "framework/Picture.h"

#include "framework/JPEG.h"

#include <QFile>
#include <QFileInfo>

bool IsDrawablePictureSize(QSize size) {
    constexpr int LargestSide = 32767;
    return size.width() <= LargestSide && size.height() <= LargestSide;
}

void TPicture::LoadFromFile(const AnsiString& fileName) {
    const QString name = QString::fromStdString(fileName.str());
    const QString extension = QFileInfo(name).suffix().toLower();
    image = QImage();
    if (extension == "jpg" || extension == "jpeg") {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            image = DecodeJPEG(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
    } else {
        image.load(name);
    }
    if (!IsDrawablePictureSize(image.size()))
        image = QImage();
    if (OnChange)
        OnChange(this);
}
