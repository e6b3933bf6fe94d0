#pragma once

#include "framework/Control.h"
#include "framework/Picture.h"

// A control showing a picture: at its top-left corner, centred, or stretched over the whole
// control.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    void SetStretch(bool value);
    bool GetStretch() const { return stretch; }
    void SetCenter(bool value);
    bool GetCenter() const { return center; }

    void ViewPaint(QPainter& painter) override;

    TPicture Picture;

private:
    bool stretch = false;
    bool center = false;
};
