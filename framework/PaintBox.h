#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"

// A drawing area. Its picture is kept in an image of its size: OnPaint draws the picture there
// (Canvas is that image's canvas, so drawing outside OnPaint stays on screen too, as a rubber
// band drawn with an exclusive-or pen must), and the view shows the image.
class TPaintBox : public TControl {
    TBitmap picture;

public:
    explicit TPaintBox(TComponent* owner);

    // Draws the picture again when events are next handled.
    void Invalidate() override;
    // Clears the picture to the colour and runs OnPaint now.
    void Repaint() override;

    void ViewPaint(QPainter& painter) override;

    TCanvas* const Canvas;
    // The picture's ground is the parent's colour rather than the paint box's own.
    bool ParentColor = true;
    TNotifyEvent OnPaint;

protected:
    virtual void Paint();
    void Resize() override;

private:
    bool stale = true;
    bool painting = false;
};
