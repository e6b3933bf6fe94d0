#include "controls/TypedSpinButton.h"

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/ControlView.h"
#include "framework/Timer.h"
#include "resources/ProgramResources.h"

#include <QToolButton>

namespace Typedspin {

namespace {

constexpr unsigned FirstRepeat = 400;
constexpr unsigned NextRepeats = 100;

} // namespace

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

void TTimerSpeedButton::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    TSpeedButton::ViewMouseDown(button, shift, x, y, passOn);
    if (button != mbLeft)
        return;
    pressed = true;
    if (TimeBtnState & tbAllowTimer) {
        if (!repeatTimer) {
            repeatTimer = new TTimer(this);
            repeatTimer->OnTimer = [this](TObject* sender) { TimerExpired(sender); };
        }
        repeatTimer->SetInterval(FirstRepeat);
        repeatTimer->SetEnabled(true);
    }
    if (Parent())
        Parent()->Invalidate();
}

void TTimerSpeedButton::ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    TSpeedButton::ViewMouseUp(button, shift, x, y, passOn);
    if (button != mbLeft)
        return;
    pressed = false;
    if (repeatTimer)
        repeatTimer->SetEnabled(false);
    if (Parent())
        Parent()->Invalidate();
}

void TTimerSpeedButton::TimerExpired(TObject*) {
    repeatTimer->SetInterval(NextRepeats);
    if (!pressed || !GetEnabled())
        return;
    try {
        Click();
    } catch (...) {
        repeatTimer->SetEnabled(false);
        throw;
    }
}

void TTimerSpeedButton::ViewPaint(QPainter& painter) {
    TSpeedButton::ViewPaint(painter);
    if (!(TimeBtnState & tbFocusRect))
        return;
    TCanvas canvas;
    canvas.Attach(painter);
    canvas.DrawFocusRect(Rect(3, 3, Width() - 3, Height() - 3));
    canvas.Release();
}

void TTimerSpeedButton::UpdateView() {
    TSpeedButton::UpdateView();
    auto* view = static_cast<QToolButton*>(View());
    // Left and right are the system's scroll arrows, up and down the glyphs.
    const bool sideways = ButtonDirection == bdLeft || ButtonDirection == bdRight;
    view->setArrowType(!sideways ? Qt::NoArrow : ButtonDirection == bdLeft ? Qt::LeftArrow : Qt::RightArrow);
    if (sideways)
        view->setIcon(QIcon());
    view->setToolButtonStyle(sideways ? Qt::ToolButtonIconOnly : view->toolButtonStyle());
}

TWinCtrl::TWinCtrl(TComponent* owner) : TWinControl(owner) {
    SetView(new ControlView<QWidget>(*this));
}

} // namespace Typedspin

using Typedspin::TTimerSpeedButton;

void SetSpinGlyph(TSpeedButton& button, TButtonDirection direction) {
    TBitmap picture;
    picture.LoadFromFile(direction == bdUp ? TypedSpinUpPicture : TypedSpinDownPicture);
    button.NumGlyphs = 1;
    button.SetGlyph(picture);
}

namespace {

TTimerSpeedButton* MakeButton(TTypedSpinButton& pair, TButtonDirection direction) {
    auto* button = new TTimerSpeedButton(&pair);
    SetSpinGlyph(*button, direction);
    return button;
}

} // namespace

TTypedSpinButton::TTypedSpinButton(TComponent* owner) : TTypedSpinButton(owner, MakeButton) {}

TTypedSpinButton::TTypedSpinButton(TComponent* owner, const TButtonMaker& make) : TWinControl(owner) {
    SetView(new ControlView<QWidget>(*this));
    upButton = make(*this, bdUp);
    downButton = make(*this, bdDown);
    downButton->ButtonDirection = bdDown;
    for (TTimerSpeedButton* button : {upButton, downButton}) {
        button->SetParent(this);
        button->TimeBtnState = Typedspin::tbAllowTimer;
    }
    upButton->OnClick = [this](TObject*) {
        if (OnUpClick)
            OnUpClick(this);
    };
    downButton->OnClick = [this](TObject*) {
        if (OnDownClick)
            OnDownClick(this);
    };
    for (TTimerSpeedButton* button : {upButton, downButton})
        button->OnMouseDown = [this](TObject*, TMouseButton mouse, TShiftState, int, int) {
            if (mouse == mbLeft)
                ButtonMouseDown();
        };
    focusedButton = upButton;
    SetBounds(0, 0, 15, 25);
}

void TTypedSpinButton::SetFocusControl(TWinControl* value) {
    if (focusControl)
        RemoveFreeNotification(focusControl);
    focusControl = value;
    FreeNotification(value);
}

void TTypedSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl)
        focusControl = nullptr;
}

void TTypedSpinButton::SetUpGlyph(const TBitmap* value) {
    if (value)
        upButton->SetGlyph(*value);
    else
        SetSpinGlyph(*upButton, bdUp);
}

void TTypedSpinButton::SetDownGlyph(const TBitmap* value) {
    if (value)
        downButton->SetGlyph(*value);
    else
        SetSpinGlyph(*downButton, bdDown);
}

void TTypedSpinButton::SetUpNumGlyphs(int value) {
    upButton->NumGlyphs = value;
    upButton->SetGlyph(upButton->GetGlyph());
}

void TTypedSpinButton::SetDownNumGlyphs(int value) {
    downButton->NumGlyphs = value;
    downButton->SetGlyph(downButton->GetGlyph());
}

void TTypedSpinButton::ButtonMouseDown() {
    if (focusControl && focusControl->CanFocus())
        focusControl->SetFocus();
    else if (CanFocus())
        SetFocus();
}

void TTypedSpinButton::SetDirection(TSpinDirection value) {
    direction = value;
    const bool vertical = value == spVertical;
    upButton->ButtonDirection = vertical ? bdUp : bdRight;
    downButton->ButtonDirection = vertical ? bdDown : bdLeft;
    upButton->SetGlyph(upButton->GetGlyph());
    downButton->SetGlyph(downButton->GetGlyph());
    SetBounds(Left(), Top(), vertical ? 15 : 20, Height());
}

void TTypedSpinButton::SetFlat(bool value) {
    upButton->SetFlat(value);
    downButton->SetFlat(value);
}

void TTypedSpinButton::SetTransparent(bool value) {
    transparent = value;
    ViewChanged();
}

void TTypedSpinButton::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, std::max(width, direction == spVertical ? 15 : 20), height);
    PlaceButtons();
}

void TTypedSpinButton::PlaceButtons() {
    const int w = Width();
    const int h = Height();
    if (direction == spVertical) {
        upButton->SetBounds(0, 0, w, h / 2);
        // The down button overlaps the up one's bottom edge.
        downButton->SetBounds(0, h / 2 - 1, w, h - h / 2 + 1);
    } else {
        downButton->SetBounds(0, 0, w / 2, h);
        upButton->SetBounds(w / 2 + 1, 0, w / 2, h);
    }
}

void TTypedSpinButton::SetFocusBtn(TTimerSpeedButton* button) {
    ShowFocusRect(false);
    focusedButton = button;
    ShowFocusRect(Focused());
}

void TTypedSpinButton::ShowFocusRect(bool value) {
    if (value)
        focusedButton->TimeBtnState |= Typedspin::tbFocusRect;
    else
        focusedButton->TimeBtnState &= ~static_cast<unsigned>(Typedspin::tbFocusRect);
    focusedButton->Invalidate();
}

void TTypedSpinButton::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP:
        SetFocusBtn(upButton);
        upButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(downButton);
        downButton->Click();
        break;
    case VK_SPACE:
        focusedButton->Click();
        break;
    default:
        break;
    }
}

void TTypedSpinButton::DoEnter() {
    ShowFocusRect(true);
    TWinControl::DoEnter();
}

void TTypedSpinButton::DoExit() {
    ShowFocusRect(false);
    TWinControl::DoExit();
}

void TTypedSpinButton::UpdateView() {
    TWinControl::UpdateView();
    View()->setAutoFillBackground(!transparent);
}
