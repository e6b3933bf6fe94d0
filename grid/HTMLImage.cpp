// The control that shows one HTML picture.
#include "grid/Picturecontainer.h"

#include "framework/ControlView.h"

#include <QPainter>

#include <algorithm>

THTMLImage::THTMLImage(TComponent* owner) : TControl(owner), HTMLPicture(std::make_unique<THTMLPicture>()) {
    SetView(new ControlView<QWidget>(*this));
    SetBounds(0, 0, 100, 100);
    HTMLPicture->OnChange = [this](TObject*) { Invalidate(); };
    HTMLPicture->OnFrameChange = [this](TObject*) { Invalidate(); };
}

void THTMLImage::SetPicturePosition(TPicturePosition value) {
    position = value;
    Invalidate();
}

std::vector<TRect> THTMLImage::PictureRects() const {
    if (HTMLPicture->GetEmpty())
        return {};
    const int W = Width();
    const int H = Height();
    const int w = HTMLPicture->GetWidth();
    const int h = HTMLPicture->GetHeight();
    const int right = std::max(0, W - w);
    const int bottom = std::max(0, H - h);
    auto at = [&](int x, int y) { return Rect(x, y, x + w, y + h); };
    switch (position) {
    case bpTopRight:
        return {at(right, 0)};
    case bpBottomLeft:
        return {at(0, bottom)};
    case bpBottomRight:
        return {at(right, bottom)};
    case bpCenter:
        return {at(right / 2, bottom / 2)};
    case bpStretched:
        return {Rect(0, 0, W, H)};
    case bpTiled: {
        std::vector<TRect> tiles;
        for (int y = 0; y < H && h > 0; y += h)
            for (int x = 0; x < W && w > 0; x += w)
                tiles.push_back(at(x, y));
        return tiles;
    }
    default:
        return {at(0, 0)};
    }
}

void THTMLImage::Loaded() {
    TControl::Loaded();
    UseResolutionOf(View());
}

void THTMLImage::UseResolutionOf(const QPaintDevice* device) {
    if (!device)
        return;
    HTMLPicture->PixelsPerInchX = device->logicalDpiX();
    HTMLPicture->PixelsPerInchY = device->logicalDpiY();
}

void THTMLImage::ViewPaint(QPainter& painter) {
    // The picture takes the room its size needs where it is drawn, on screen or on a page.
    UseResolutionOf(painter.device());
    const QImage image = HTMLPicture->Image();
    for (const TRect& r : PictureRects())
        painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), image);
}
