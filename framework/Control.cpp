#include "framework/Control.h"

#include "framework/Application.h"
#include "framework/KeyMapping.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

// Brings a hidden control's view up to date when it is shown.
class ViewWatcher : public QObject {
public:
    ViewWatcher(TControl& control, QObject* view) : QObject(view), control(control) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && control.viewDirty)
            CallGuarded([this] { control.UpdateView(); });
        return false;
    }

private:
    TControl& control;
};

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this](TObject*) { ViewChanged(); };
}

TControl::~TControl() {
    // Deleting a shown window's view moves the focus out of its controls, which are going too.
    Destroying();
    delete view.data();
}

void TControl::SetView(QWidget* widget) {
    view = widget;
    widget->installEventFilter(new ViewWatcher(*this, widget));
    viewDirty = true;
}

void TControl::SetParent(TWinControl* newParent) {
    parent = newParent;
    if (view) {
        view->setParent(newParent ? newParent->View() : nullptr);
        view->setVisible(visible && newParent);
    }
    ViewChanged();
}

void TControl::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
    ViewChanged();
}

void TControl::SetVisible(bool value) {
    visible = value;
    if (view && (parent || !value))
        view->setVisible(value);
}

void TControl::SetEnabled(bool value) {
    enabled = value;
    ViewChanged();
}

void TControl::SetColor(TColor value) {
    color = value;
    ViewChanged();
}

void TControl::Invalidate() {
    if (view)
        view->update();
}

void TControl::ViewChanged() {
    viewDirty = true;
    if (view && view->isVisible())
        UpdateView();
}

void TControl::UpdateView() {
    viewDirty = false;
    if (!view)
        return;
    view->setGeometry(left, top, width, height);
    view->setEnabled(enabled);
    view->setFont(Font.ToQFont());
    view->setToolTip(ShowHint ? QString::fromStdString(Hint.str().substr(0, Hint.str().find('|')))
                              : QString());
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

bool TWinControl::Focused() const {
    return View() && View()->hasFocus();
}

bool TWinControl::CanFocus() const {
    return View() && View()->isVisible() && GetEnabled();
}

void TWinControl::SetFocus() {
    if (View())
        View()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::PostKeyDown(WORD key) {
    if (View())
        QCoreApplication::postEvent(View(), new QKeyEvent(QEvent::KeyPress, QtKeyOf(key), Qt::NoModifier));
}

void TWinControl::PostKeyUp(WORD key) {
    if (View())
        QCoreApplication::postEvent(View(), new QKeyEvent(QEvent::KeyRelease, QtKeyOf(key), Qt::NoModifier));
}

void TWinControl::DoEnter() {
    if (OnEnter && !(ComponentState & csDestroying))
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit && !(ComponentState & csDestroying))
        OnExit(this);
}
