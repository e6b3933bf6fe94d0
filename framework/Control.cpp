#include "framework/Control.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/KeyMapping.h"
#include "framework/Menus.h"
#include "framework/Screen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

// Brings a hidden control's view up to date when it is shown.
class ViewWatcher : public QObject {
public:
    ViewWatcher(TControl& control, QObject* view) : QObject(view), control(control) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && control.viewDirty)
            CallFromView(control, [this] { control.UpdateView(); });
        return false;
    }

private:
    TControl& control;
};

namespace {

std::vector<TControl*> staleViews;
bool flushPosted = false;
bool flushing = false;
// The views of the controls whose view events run now, the outermost first, and the paints running.
std::vector<QPointer<QWidget>> eventViews;
int paints = 0;

} // namespace

void UpdateStaleViews() {
    flushPosted = false;
    if (flushing)
        return;
    flushing = true;
    while (!staleViews.empty()) {
        const std::vector<TControl*> pending = std::exchange(staleViews, {});
        for (TControl* control : pending) {
            control->viewQueued = false;
            if (control->viewDirty && control->view && !control->IsDestroying())
                CallGuarded([control] { control->UpdateView(); });
        }
    }
    flushing = false;
}

void CallFromView(TControl& control, const std::function<void()>& handler) {
    if (control.IsDestroying())
        return;
    UpdateStaleViews();
    eventViews.emplace_back(control.View());
    CallGuarded(handler);
    eventViews.pop_back();
    UpdateStaleViews();
}

void PaintFromView(TControl& control, const std::function<void()>& handler) {
    if (control.IsDestroying())
        return;
    ++paints;
    try {
        handler();
    } catch (...) {
        Application->HandlePaintException(std::current_exception());
    }
    --paints;
}

bool PaintRunning() {
    return paints > 0;
}

bool InViewEventOf(const TControl& control) {
    const QWidget* view = control.View();
    return view && std::any_of(eventViews.begin(), eventViews.end(), [view](const QPointer<QWidget>& at) {
               return at && (at == view || view->isAncestorOf(at));
           });
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this](TObject*) { ViewChanged(); };
}

TControl::~TControl() {
    // Deleting a shown window's view moves the focus out of its controls, which are going too.
    Destroying();
    if (viewQueued)
        staleViews.erase(std::remove(staleViews.begin(), staleViews.end(), this), staleViews.end());
    if (parent) {
        auto& siblings = parent->controls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    delete view.data();
}

void TControl::SetView(QWidget* widget) {
    view = widget;
    widget->installEventFilter(new ViewWatcher(*this, widget));
    viewDirty = true;
}

void TControl::SetParent(TWinControl* newParent) {
    if (newParent == parent)
        return;
    if (parent) {
        auto& siblings = parent->controls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        if (align != alNone)
            parent->AlignControls();
    }
    parent = newParent;
    if (parent)
        parent->controls.push_back(this);
    if (view) {
        QWidget* parentView = parent ? parent->ClientView() : nullptr;
        // Qt's plain reparenting would turn a pop-up window into a child.
        if (popupWindow)
            view->setParent(parentView, view->windowFlags());
        else
            view->setParent(parentView);
        view->setVisible(visible && parent);
    }
    ViewChanged();
    if (parent)
        ParentColorChanged();
    if (parent && align != alNone)
        parent->AlignControls();
}

void TControl::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    newWidth = std::max(0, newWidth);
    newHeight = std::max(0, newHeight);
    if (newLeft == left && newTop == top && newWidth == width && newHeight == height)
        return;
    const bool resized = newWidth != width || newHeight != height;
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
    ViewChanged();
    if (resized)
        Resize();
    if (parent && align != alNone && !parent->aligning)
        parent->AlignControls();
}

void TControl::SetAlign(TAlign value) {
    if (value == align)
        return;
    align = value;
    if (parent)
        parent->AlignControls();
}

void TControl::SetVisible(bool value) {
    visible = value;
    if (view && popupWindow && value) {
        // Placed first: a window reports the place it shows at as its own.
        if (viewDirty)
            UpdateView();
        view->show();
        view->raise();
    } else if (view && (parent || !value)) {
        view->setVisible(value);
    }
    if (parent && align != alNone)
        parent->AlignControls();
}

void TControl::SetEnabled(bool value) {
    enabled = value;
    // At once: disabling the focused control moves the focus on before anything else happens.
    if (view && view->isVisible())
        view->setEnabled(value);
    ViewChanged();
}

void TControl::SetColor(TColor value) {
    color = value;
    ViewChanged();
}

void TControl::SetCursor(TCursor value) {
    cursor = value;
    ViewChanged();
}

void TControl::BringToFront() {
    if (view)
        view->raise();
}

void TControl::SendToBack() {
    if (view)
        view->lower();
}

void TControl::Invalidate() {
    if (view)
        view->update();
}

void TControl::Repaint() {
    if (view)
        view->repaint();
}

void TControl::ViewChanged() {
    viewDirty = true;
    if (!view || !view->isVisible() || viewQueued)
        return;
    viewQueued = true;
    staleViews.push_back(this);
    if (!std::exchange(flushPosted, true))
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { UpdateStaleViews(); }, Qt::QueuedConnection);
}

void TControl::MakePopupWindow() {
    popupWindow = true;
    view->setParent(view->parentWidget(),
                    Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    view->setAttribute(Qt::WA_ShowWithoutActivating);
    view->setFocusPolicy(Qt::NoFocus);
}

// A window's place is its client area's, frame aside, as Qt places a window not yet shown.
void TControl::PlaceView() {
    view->setGeometry(left, top, width, height);
}

void TControl::UpdateView() {
    viewDirty = false;
    if (!view)
        return;
    PlaceView();
    view->setEnabled(enabled);
    view->setFont(Font.ToQFont());
    view->setToolTip(ShowHint ? QString::fromStdString(GetShortHint(Hint).str()) : QString());
    if (cursor == crDefault)
        view->unsetCursor();
    else
        view->setCursor(Screen->Cursors(cursor));
}

void TControl::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool&) {
    MouseDown(button, shift, x, y);
}

void TControl::ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool&) {
    if (ClicksOnRelease && button == mbLeft && ClientRect().Contains(Point(x, y)))
        Click();
    MouseUp(button, shift, x, y);
}

void TControl::ViewMouseMove(TShiftState shift, int x, int y) {
    MouseMove(shift, x, y);
}

void TControl::ViewDblClick(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft)
        DblClick();
    MouseDown(button, shift << ssDouble, x, y);
}

bool TControl::ViewMouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
    return DoMouseWheel(shift, wheelDelta, Point(x, y));
}

namespace {

// The hint of the control under the mouse: its own, or else the nearest parent's.
AnsiString HintUnder(const TControl* control) {
    while (control && control->Hint.IsEmpty())
        control = control->Parent();
    return control ? control->Hint : AnsiString();
}

} // namespace

void TControl::ViewMouseEnter() {
    Application->SetHint(GetLongHint(HintUnder(this)));
    MouseEnter();
}

void TControl::ViewMouseLeave() {
    Application->SetHint(GetLongHint(HintUnder(parent)));
    MouseLeave();
}

bool TControl::ViewContextMenu(int x, int y) {
    if (!PopupMenu || !PopupMenu->AutoPopup || !view)
        return false;
    const QPoint at = view->mapToGlobal(QPoint(x, y));
    PopupMenu->Popup(at.x(), at.y());
    return true;
}

void TControl::ViewResized(int newWidth, int newHeight) {
    if (newWidth == width && newHeight == height)
        return;
    width = newWidth;
    height = newHeight;
    Resize();
}

void TControl::ViewMoved(int newLeft, int newTop) {
    left = newLeft;
    top = newTop;
}

void TControl::ViewPaint(QPainter&) {}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

TWinControl::~TWinControl() {
    Destroying();
    // Children that others own outlive this control; their views must not go with its view.
    std::function<void(TWinControl&)> detachForeign = [&](TWinControl& control) {
        for (TControl* child : std::vector<TControl*>(control.controls)) {
            if (!child->IsDestroying())
                child->SetParent(nullptr);
            else if (auto* holder = dynamic_cast<TWinControl*>(child))
                detachForeign(*holder);
        }
    };
    detachForeign(*this);
    for (TControl* child : controls)
        child->parent = nullptr;
    controls.clear();
}

void TWinControl::SetColor(TColor value) {
    TControl::SetColor(value);
    for (TControl* child : controls)
        child->ParentColorChanged();
}

void TWinControl::AlignControls() {
    if (aligning)
        return;
    aligning = true;
    TRect rest = ClientRect();
    auto aligned = [this](TAlign kind) {
        std::vector<TControl*> found;
        for (TControl* child : controls)
            if (child->align == kind && child->visible)
                found.push_back(child);
        return found;
    };
    auto place = [](TControl* child, const TRect& area) {
        child->SetBounds(area.Left, area.Top, area.Width(), area.Height());
    };
    // Within one side, controls keep the order of their places, nearest the edge first.
    auto byTop = [](TControl* a, TControl* b) { return a->top < b->top; };
    auto byBottom = [](TControl* a, TControl* b) { return a->top + a->height > b->top + b->height; };
    auto byLeft = [](TControl* a, TControl* b) { return a->left < b->left; };
    auto byRight = [](TControl* a, TControl* b) { return a->left + a->width > b->left + b->width; };

    auto tops = aligned(alTop);
    std::stable_sort(tops.begin(), tops.end(), byTop);
    for (TControl* child : tops) {
        place(child, Rect(rest.Left, rest.Top, rest.Right, rest.Top + child->height));
        rest.Top += child->height;
    }
    auto bottoms = aligned(alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), byBottom);
    for (TControl* child : bottoms) {
        place(child, Rect(rest.Left, rest.Bottom - child->height, rest.Right, rest.Bottom));
        rest.Bottom -= child->height;
    }
    auto lefts = aligned(alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), byLeft);
    for (TControl* child : lefts) {
        place(child, Rect(rest.Left, rest.Top, rest.Left + child->width, rest.Bottom));
        rest.Left += child->width;
    }
    auto rights = aligned(alRight);
    std::stable_sort(rights.begin(), rights.end(), byRight);
    for (TControl* child : rights) {
        place(child, Rect(rest.Right - child->width, rest.Top, rest.Right, rest.Bottom));
        rest.Right -= child->width;
    }
    for (TControl* child : aligned(alClient))
        place(child, rest);
    aligning = false;
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

void TWinControl::ViewKeyDown(WORD key, TShiftState shift, int, char character, bool& passOn) {
    if ((key == VK_F1 || !WantsAllKeys()) && OfferWindowKey(key)) {
        passOn = false;
        return;
    }
    const bool hadKey = key != 0;
    const bool hadCharacter = character != 0;
    if (hadKey)
        KeyDown(key, shift);
    if (hadCharacter)
        KeyPress(character);
    // The view acts on the stroke unless a handler dropped the key or its character.
    passOn = (!hadKey || key != 0) && (!hadCharacter || character != 0);
}

void TWinControl::ViewKeyUp(WORD key, TShiftState shift, bool& passOn) {
    KeyUp(key, shift);
    passOn = key != 0;
}

// A window losing or regaining the activation keeps its focused control: no exit or enter.
void TWinControl::ViewFocusIn(FocusChange how) {
    if (how != FocusChange::Window)
        DoEnter();
}

void TWinControl::ViewFocusOut(FocusChange how) {
    if (how != FocusChange::Window)
        DoExit();
}

void TWinControl::WMTimer(unsigned) {}

bool TWinControl::CMDialogKey(WORD) {
    return false;
}

bool TWinControl::OfferWindowKey(WORD key) {
    TForm* form = GetParentForm(*this);
    if (!form)
        return false;
    if (key == VK_F1 && form->HelpContext != 0)
        return Application->HelpContext(form->HelpContext);
    return (key == VK_RETURN || key == VK_ESCAPE) && form->DialogKey(key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::Resize() {
    AlignControls();
    TControl::Resize();
}
