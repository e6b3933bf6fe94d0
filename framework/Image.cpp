#include "framework/Image.h"

#include "framework/ControlView.h"

TImage::TImage(TComponent* owner) : TControl(owner) {
    SetView(new ControlView<QWidget>(*this));
    SetBounds(0, 0, 105, 105);
    Picture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetStretch(bool value) {
    stretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    center = value;
    Invalidate();
}

void TImage::ViewPaint(QPainter& painter) {
    const QImage& image = Picture.Image();
    if (image.isNull())
        return;
    if (stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, Width(), Height()), image);
    } else if (center) {
        painter.drawImage((Width() - image.width()) / 2, (Height() - image.height()) / 2, image);
    } else {
        painter.drawImage(0, 0, image);
    }
}
