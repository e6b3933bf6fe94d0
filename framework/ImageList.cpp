#include "framework/ImageList.h"

#include "framework/Canvas.h"

int TImageList::Add(const QImage& image) {
    images.push_back(image.size() == QSize(Width, Height)
                         ? image
                         : image.scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return Count() - 1;
}

QImage TImageList::GetImage(int index) const {
    return index >= 0 && index < Count() ? images[static_cast<std::size_t>(index)] : QImage();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    const QImage image = GetImage(index);
    if (!image.isNull())
        canvas.StretchDraw(Rect(x, y, x + Width, y + Height), image);
}
