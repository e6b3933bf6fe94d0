#include "controls/Shader.h"

#include <QFrame>
#include <QLabel>

#include <cmath>

namespace {

// Halves round to even, as the framework's Round does.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int Channel(TColor color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

} // namespace

TShader::TShader(TComponent* owner) : TPanel(owner) {}

void TShader::SetFromColor(TColor value) {
    fromColor = value;
    Invalidate();
}

void TShader::SetToColor(TColor value) {
    toColor = value;
    Invalidate();
}

void TShader::SetSteps(std::uint16_t value) {
    steps = value;
    Invalidate();
}

void TShader::SetDirection(bool value) {
    direction = value;
    Invalidate();
}

void TShader::UpdateView() {
    TPanel::UpdateView();
    auto* view = static_cast<QFrame*>(View());
    view->setFrameShape(QFrame::NoFrame);
    view->findChild<QLabel*>("caption")->hide();
}

void TShader::Paint() {
    if (steps == 0)
        steps = 1;
    // System colour numbers are taken as they stand, byte by byte.
    double step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = static_cast<double>(Channel(toColor, 8 * c) - Channel(fromColor, 8 * c)) / steps;
    const double band = static_cast<double>(direction ? Width() : Height()) / steps;
    for (int i = 0; i < steps; ++i) {
        TColor color = 0;
        for (int c = 0; c < 3; ++c)
            color |= static_cast<TColor>((Channel(fromColor, 8 * c) + Round(i * step[c])) & 0xFF) << (8 * c);
        Canvas->Pen.Color = color;
        Canvas->Brush.Color = color;
        Canvas->Brush.Style = bsSolid;
        const int offset = Round(i * band);
        // Neighbouring bands overlap by a pixel.
        const int end = offset + Round(band) + 1;
        if (direction)
            Canvas->Rectangle(offset, 0, end, Height());
        else
            Canvas->Rectangle(0, offset, Width(), end);
    }
}
