#pragma once

#include "framework/Control.h"
#include "framework/DragDrop.h"
#include "framework/KeyMapping.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <type_traits>
#include <utility>

// How a focus event came: between controls, with the whole window, or by a click.
inline TWinControl::FocusChange FocusChangeOf(const QFocusEvent& event) {
    switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return TWinControl::FocusChange::Window;
    case Qt::MouseFocusReason:
        return TWinControl::FocusChange::Mouse;
    default:
        return TWinControl::FocusChange::Control;
    }
}

// Any Qt widget as a control's view: mouse, keys, focus, enter and leave, size and paint go to
// the control's entry points through the one guarded door (CallFromView), and on to the widget's
// own handling where the control passes them on. A scroll area reports what its viewport sees.
template <class Widget> class ControlView : public Widget {
public:
    template <class... Args>
    explicit ControlView(TControl& control, Args&&... args)
        : Widget(std::forward<Args>(args)...), control(control),
          winControl(dynamic_cast<TWinControl*>(&control)) {
        Surface()->setMouseTracking(true);
    }

protected:
    // The widget that shows the drawing and gets the mouse.
    QWidget* Surface() {
        if constexpr (std::is_base_of_v<QAbstractScrollArea, Widget>)
            return this->viewport();
        else
            return this;
    }

    void mousePressEvent(QMouseEvent* event) override {
        // A widget's own double-click handling may come back here; the control has had it.
        if (doubleClicking) {
            Widget::mousePressEvent(event);
            return;
        }
        bool passOn = true;
        const QPoint at = event->position().toPoint();
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] {
            control.ViewMouseDown(MouseButtonOf(*event), ShiftStateOf(*event), at.x(), at.y(), passOn);
        });
        if (alive && passOn)
            Widget::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        bool passOn = true;
        const QPoint at = event->position().toPoint();
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] {
            control.ViewMouseUp(MouseButtonOf(*event), ShiftStateOf(*event), at.x(), at.y(), passOn);
        });
        if (alive && passOn)
            Widget::mouseReleaseEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] { control.ViewMouseMove(ShiftStateOf(*event), at.x(), at.y()); });
        if (alive)
            Widget::mouseMoveEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] {
            control.ViewDblClick(MouseButtonOf(*event), ShiftStateOf(*event), at.x(), at.y());
        });
        if (!alive)
            return;
        doubleClicking = true;
        Widget::mouseDoubleClickEvent(event);
        doubleClicking = false;
    }

    void wheelEvent(QWheelEvent* event) override {
        bool handled = false;
        const QPoint at = event->position().toPoint();
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] {
            handled = control.ViewMouseWheel(ShiftStateOf(*event), event->angleDelta().y(), at.x(), at.y());
        });
        if (alive && !handled)
            Widget::wheelEvent(event);
    }

    // A key reaches the control it was sent to: the focused one, or a window a key was posted to.
    // It goes no further up, since the parents are controls that did not get it.
    void keyPressEvent(QKeyEvent* event) override {
        if (!winControl) {
            Widget::keyPressEvent(event);
            return;
        }
        bool passOn = true;
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] {
            winControl->ViewKeyDown(VirtualKeyOf(*event), ShiftStateOf(*event), KeyDataOf(*event),
                                    CharacterOf(*event), passOn);
            if (const AnsiString typed = TypedTextOf(*event); !typed.IsEmpty())
                winControl->ViewTextTyped(typed);
        });
        if (alive && passOn)
            Widget::keyPressEvent(event);
        event->accept();
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        if (!winControl) {
            Widget::keyReleaseEvent(event);
            return;
        }
        bool passOn = true;
        const QPointer<QWidget> alive(this);
        CallFromView(control,
                     [&] { winControl->ViewKeyUp(VirtualKeyOf(*event), ShiftStateOf(*event), passOn); });
        if (alive && passOn)
            Widget::keyReleaseEvent(event);
        event->accept();
    }

    void focusInEvent(QFocusEvent* event) override {
        Widget::focusInEvent(event);
        if (winControl)
            CallFromView(control, [&] { winControl->ViewFocusIn(FocusChangeOf(*event)); });
    }

    void focusOutEvent(QFocusEvent* event) override {
        Widget::focusOutEvent(event);
        if (winControl)
            CallFromView(control, [&] { winControl->ViewFocusOut(FocusChangeOf(*event)); });
    }

    void enterEvent(QEnterEvent* event) override {
        Widget::enterEvent(event);
        CallFromView(control, [&] { control.ViewMouseEnter(); });
    }

    void leaveEvent(QEvent* event) override {
        Widget::leaveEvent(event);
        CallFromView(control, [&] { control.ViewMouseLeave(); });
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        bool shown = false;
        const QPointer<QWidget> alive(this);
        CallFromView(control, [&] { shown = control.ViewContextMenu(event->pos().x(), event->pos().y()); });
        if (alive && !shown)
            Widget::contextMenuEvent(event);
    }

    // Only a window is sized and moved by anyone but its control: the user or the window manager.
    void resizeEvent(QResizeEvent* event) override {
        Widget::resizeEvent(event);
        if (this->isWindow())
            CallFromView(control, [&] { control.ViewResized(this->width(), this->height()); });
    }

    void moveEvent(QMoveEvent* event) override {
        Widget::moveEvent(event);
        if (this->isWindow())
            CallFromView(control, [&] { control.ViewMoved(this->geometry().x(), this->geometry().y()); });
    }

    // Drags reach the control's drop target, never the widget's own drop handling.
    void dragEnterEvent(QDragEnterEvent* event) override {
        HandleDrag(*event, [&](TAEDropTarget& target, TShiftState shift, TPoint at) {
            return target.DragEnter(*event->mimeData(), shift, at);
        });
    }

    void dragMoveEvent(QDragMoveEvent* event) override {
        HandleDrag(*event, [&](TAEDropTarget& target, TShiftState shift, TPoint at) {
            return target.DragOver(shift, at);
        });
    }

    void dragLeaveEvent(QDragLeaveEvent*) override {
        if (TAEDropTarget* target = DropTargetOf())
            CallFromView(control, [&] { target->DragLeave(); });
    }

    void dropEvent(QDropEvent* event) override {
        HandleDrag(*event, [&](TAEDropTarget& target, TShiftState shift, TPoint at) {
            return target.Drop(*event->mimeData(), shift, at);
        });
    }

    void paintEvent(QPaintEvent* event) override {
        Widget::paintEvent(event);
        QPainter painter(Surface());
        PaintFromView(control, [&] { control.ViewPaint(painter); });
    }

    TControl& control;

private:
    TAEDropTarget* DropTargetOf() {
        auto* site = dynamic_cast<TDropSite*>(&control);
        return site ? site->DropTarget() : nullptr;
    }

    template <class Act> void HandleDrag(QDropEvent& event, Act act) {
        TAEDropTarget* target = DropTargetOf();
        int effect = DROPEFFECT_NONE;
        if (target) {
            const TShiftState shift = ShiftStateOf(event.modifiers(), event.buttons());
            const QPoint at = event.position().toPoint();
            CallFromView(control, [&] { effect = act(*target, shift, Point(at.x(), at.y())); });
        }
        if (effect == DROPEFFECT_NONE) {
            event.ignore();
            return;
        }
        event.setDropAction(effect == DROPEFFECT_COPY ? Qt::CopyAction : Qt::MoveAction);
        event.accept();
    }

    TWinControl* winControl;
    bool doubleClicking = false;
};
