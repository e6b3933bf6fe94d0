#pragma once

#include "framework/Component.h"

#include <QImage>

#include <vector>

class TCanvas;

// A list of images of one size, drawn by index.
class TImageList : public TComponent {
public:
    using TComponent::TComponent;

    int Width = 16;
    int Height = 16;

    // The image scaled to the list's size; its index.
    int Add(const QImage& image);
    void Clear() { images.clear(); }
    int Count() const { return static_cast<int>(images.size()); }
    // A null image for an index outside the list.
    QImage GetImage(int index) const;
    // Nothing for an index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    std::vector<QImage> images;
};
