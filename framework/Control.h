#pragma once

#include "framework/Component.h"
#include "framework/Cursors.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class TPopupMenu;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TFormBorderStyle = TBorderStyle;

using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

// A visible control. Its state lives here; the Qt widget is its view. A change marks the view
// stale: on screen it is brought up to date once the event being handled is over (or at the next
// turn of the event loop for a change from elsewhere), off screen when it is next shown, so driving
// a window from code costs the same whether or not it is shown.
// Everything the view reports arrives through the View... entry points, which the view adapter
// (ControlView) calls and tests may call to act as the user.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent; }
    virtual void SetParent(TWinControl* newParent);

    virtual void SetBounds(int left, int top, int width, int height);
    int Left() const { return left; }
    int Top() const { return top; }
    int Width() const { return width; }
    int Height() const { return height; }
    void SetLeft(int value) { SetBounds(value, top, width, height); }
    void SetTop(int value) { SetBounds(left, value, width, height); }
    void SetWidth(int value) { SetBounds(left, top, value, height); }
    void SetHeight(int value) { SetBounds(left, top, width, value); }
    TRect BoundsRect() const { return Bounds(left, top, width, height); }
    // The area inside the control where its children go and its drawing is, from (0, 0).
    virtual int ClientWidth() const { return width; }
    virtual int ClientHeight() const { return height; }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

    TAlign GetAlign() const { return align; }
    void SetAlign(TAlign value);
    bool GetVisible() const { return visible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool GetEnabled() const { return enabled; }
    virtual void SetEnabled(bool value);
    TColor GetColor() const { return color; }
    virtual void SetColor(TColor value);
    TCursor GetCursor() const { return cursor; }
    void SetCursor(TCursor value);

    // Puts the control over, or under, its siblings.
    void BringToFront();
    void SendToBack();
    // Paints the view again when events are next handled.
    virtual void Invalidate();
    // Paints the view again now.
    virtual void Repaint();
    // The same, as the framework also names it.
    void Refresh() { Repaint(); }
    QWidget* View() const { return view; }

    virtual void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn);
    virtual void ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn);
    virtual void ViewMouseMove(TShiftState shift, int x, int y);
    // A second press of a button soon after the first.
    virtual void ViewDblClick(TMouseButton button, TShiftState shift, int x, int y);
    // True when the wheel was handled here; otherwise the view scrolls as it would.
    virtual bool ViewMouseWheel(TShiftState shift, int wheelDelta, int x, int y);
    // The mouse came onto or left the control: its hint (or its parents') becomes the application's.
    virtual void ViewMouseEnter();
    virtual void ViewMouseLeave();
    // A right click or the menu key asks for a menu at (x, y); true when the control showed one.
    virtual bool ViewContextMenu(int x, int y);
    // The view took a new size or place: from the user, or from its window manager.
    virtual void ViewResized(int newWidth, int newHeight);
    virtual void ViewMoved(int newLeft, int newTop);
    // Draws on the view once its own painting is done.
    virtual void ViewPaint(QPainter& painter);

    TFont Font;
    // "short|long": the short part is the tooltip (with ShowHint), the long one the application's hint.
    AnsiString Hint;
    bool ShowHint = false;
    TPopupMenu* PopupMenu = nullptr;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;

protected:
    // Takes the widget this control shows itself in (owned, parented to the parent's view).
    void SetView(QWidget* widget);
    // Brings the view up to date with the state held here.
    virtual void UpdateView();
    // Puts the view at the control's bounds (a page of a page control leaves that to the pages).
    virtual void PlaceView();
    // The view needs UpdateView: after the current event if it is on screen, else when it is shown.
    void ViewChanged();
    // Makes the view a small frameless window over all others that never takes the focus or
    // activates, placed by the control's bounds in screen coordinates. It shows and hides with the
    // control, with or without a parent; a parent keeps it as a window of its own, not a child.
    void MakePopupWindow();

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // The parent took another colour, or the control another parent: one that shows its parent's
    // colour takes it.
    virtual void ParentColorChanged() {}
    // The size changed: children are aligned again and OnResize runs.
    virtual void Resize();

    // A press and release of the left button over the control is a click (controls without a
    // native click of their own).
    bool ClicksOnRelease = false;

private:
    friend class ViewWatcher;
    friend class TWinControl;
    friend void UpdateStaleViews();
    TWinControl* parent = nullptr;
    QPointer<QWidget> view;
    bool viewDirty = false;
    bool viewQueued = false;
    bool popupWindow = false;
    int left = 0, top = 0, width = 0, height = 0;
    TAlign align = alNone;
    bool visible = true;
    bool enabled = true;
    TColor color = clBtnFace;
    TCursor cursor = crDefault;
};

// A control that can hold the focus and other controls.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;

    void SetColor(TColor value) override;

    int ControlCount() const { return static_cast<int>(controls.size()); }
    TControl* Controls(int index) const { return controls.at(static_cast<std::size_t>(index)); }
    // The widget the children's views are placed in.
    virtual QWidget* ClientView() const { return View(); }
    // Places the aligned children: top and bottom ones across the client area, then left and
    // right ones in what remains, then the client-aligned ones over the rest.
    void AlignControls();

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();
    // Queue a key stroke to this control's window, handled once the current message is done,
    // as a key typed there would be (a Tab moves the focus on).
    void PostKeyDown(WORD key);
    void PostKeyUp(WORD key);

    // How the focus came or went: between controls, with the whole window, or by a click.
    enum class FocusChange { Control, Window, Mouse };
    // A key stroke and the character it types (0 for none); passOn lets the view act on it too.
    virtual void ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn);
    virtual void ViewKeyUp(WORD key, TShiftState shift, bool& passOn);
    // A character beyond ASCII that the stroke just handled types, as UTF-8. Its key press has
    // no character of its own, so a native view simply takes it.
    virtual void ViewTextTyped(const AnsiString&) {}
    virtual void ViewFocusIn(FocusChange how);
    virtual void ViewFocusOut(FocusChange how);
    // A window timer of this control fired (SetTimer).
    virtual void WMTimer(unsigned id);
    // The control takes Enter and Escape itself, as a multi-line edit does; otherwise they are
    // the window's dialog keys.
    virtual bool WantsAllKeys() const { return false; }
    // Enter or Escape that the focused control left to the window: a control that acts on it
    // (a default or cancel button) does so and returns true.
    virtual bool CMDialogKey(WORD key);

    int TabOrder = 0;
    bool TabStop = false;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Keys the window acts on: Enter or Escape for its default or cancel button, F1 for the help
    // page of its HelpContext. True when the window took the key.
    bool OfferWindowKey(WORD key);
    void Resize() override;

private:
    friend class TControl;
    std::vector<TControl*> controls;
    bool aligning = false;
};

// The one door from Qt into a control: returns at once while the control or any owner is being
// destroyed, and hands an exception to the application, which shows it (after the paint, for a
// paint).
void CallFromView(TControl& control, const std::function<void()>& handler);
// Brings every stale view on screen up to date; runs after each call from Qt and at the next turn
// of the event loop after a change.
void UpdateStaleViews();
void PaintFromView(TControl& control, const std::function<void()>& handler);
// Whether a paint runs now.
bool PaintRunning();
// Whether a view event that came to the control or to a control inside it is being handled now,
// also while events of other controls run within that handling (a window it opened).
bool InViewEventOf(const TControl& control);
