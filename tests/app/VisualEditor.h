#pragma once

#include "tests/app/ProgramWindows.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

// The visual editor with a paint box of 400 x 300 pixels and, after UseView, a view that puts
// world (0, 0) on pixel (200, 150) at 10 pixels a metre: world (x, y) is drawn at
// (200 + 10 x, 150 - 10 y).
class VisualEditor : public ProgramWindows {
protected:
    void SetUp() override {
        ProgramWindows::SetUp();
        // The panels take 247 pixels on the right and 33 at the top.
        VisualEditForm->SetBounds(0, 0, 647, 333);
        // Shown, so that the views take the controls' sizes.
        VisualEditForm->Show();
    }

    static void UseView() {
        VisualEditForm->WorldCentreX = 0;
        VisualEditForm->WorldCentreY = 0;
        VisualEditForm->Scale = 10;
        VisualEditForm->FitScale = 10;
    }

    static SimpleSewerNetwork& NewNetwork() {
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
        return *FrontForm->Network;
    }

    static void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x, int y) {
        QWidget* view = VisualEditForm->PaintBox->View();
        QMouseEvent event(type, QPointF(x, y), view->mapToGlobal(QPointF(x, y)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    }
    static void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonPress, button, button, x, y);
    }
    static void MoveHeld(int x, int y) { Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, x, y); }
    static void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonRelease, button, Qt::NoButton, x, y);
    }
    // A press, moves with the left button held in steps of a few pixels, and the release.
    static void Drag(int fromX, int fromY, int toX, int toY) {
        Press(fromX, fromY);
        for (int step = 1; step <= 4; ++step)
            MoveHeld(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
        Release(toX, toY);
    }

    // What the paint box shows, in RGB.
    static QImage Shown() {
        QImage shown(VisualEditForm->PaintBox->Width(), VisualEditForm->PaintBox->Height(),
                     QImage::Format_RGB32);
        shown.fill(Qt::black);
        QApplication::processEvents();
        VisualEditForm->PaintBox->Repaint();
        VisualEditForm->PaintBox->View()->render(&shown);
        return shown;
    }
};
