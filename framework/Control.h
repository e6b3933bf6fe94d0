#pragma once

#include "framework/Component.h"
#include "framework/Graphics.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class TWinControl;

// A visible control. Its state lives here; the Qt widget is its view, brought up to date at
// once while it is on screen and when it is next shown otherwise, so hidden windows stay cheap.
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

    bool GetVisible() const { return visible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool GetEnabled() const { return enabled; }
    virtual void SetEnabled(bool value);
    TColor GetColor() const { return color; }
    virtual void SetColor(TColor value);

    // Repaints the view.
    void Invalidate();
    QWidget* View() const { return view; }

    TFont Font;
    AnsiString Hint;
    bool ShowHint = false;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    // Takes the widget this control shows itself in (owned, parented to the parent's view).
    void SetView(QWidget* widget);
    // Brings the view up to date with the state held here.
    virtual void UpdateView();
    // The view needs UpdateView: now if it is on screen, else when it is shown.
    void ViewChanged();
    virtual void Click();

private:
    friend class ViewWatcher;
    TWinControl* parent = nullptr;
    QPointer<QWidget> view;
    bool viewDirty = false;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    TColor color = clBtnFace;
};

// A control that can hold the focus and other controls.
class TWinControl : public TControl {
public:
    using TControl::TControl;

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();
    // Queue a key stroke to this control's window, handled once the current message is done,
    // as a key typed there would be (a Tab moves the focus on).
    void PostKeyDown(WORD key);
    void PostKeyUp(WORD key);

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
};
