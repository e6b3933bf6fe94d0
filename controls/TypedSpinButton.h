#pragma once

#include "framework/SpeedButton.h"

#include <cstdint>
#include <functional>

class TTimer;

enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TSpinDirection { spVertical, spHorizontal };

namespace Typedspin {

enum TTimeBtnStateItem : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned;

// A speed button that, held down, clicks again after 400 ms and then every 100 ms.
class TTimerSpeedButton : public TSpeedButton {
public:
    explicit TTimerSpeedButton(TComponent* owner);

    TTimeBtnState TimeBtnState = 0;
    TButtonDirection ButtonDirection = bdUp;

    // Null until the button was first pressed with tbAllowTimer.
    TTimer* RepeatTimer() const { return repeatTimer; }
    // The repeat timer fired: from now on every 100 ms, and a click while the button is held.
    void TimerExpired(TObject* Sender);
    // Held down by the left button.
    bool Pressed() const { return pressed; }

    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    // With tbFocusRect, a dotted focus rectangle 3 pixels inside the button.
    void ViewPaint(QPainter& painter) override;

protected:
    void UpdateView() override;

private:
    TTimer* repeatTimer = nullptr;
    bool pressed = false;
};

// A windowed control with nothing of its own.
class TWinCtrl : public TWinControl {
public:
    explicit TWinCtrl(TComponent* owner);
};

} // namespace Typedspin

// Gives a spin pair's up button (bdUp) or down button the one picture it shows until another is
// given.
void SetSpinGlyph(TSpeedButton& button, TButtonDirection direction);

// The pair of spin buttons: up above down, or down left of up side by side. A press moves the
// focus to FocusControl (the spin edit) when it can take it.
class TTypedSpinButton : public TWinControl {
public:
    explicit TTypedSpinButton(TComponent* owner);

    TSpinDirection GetDirection() const { return direction; }
    // Resets the width: 15 above each other, 20 side by side.
    void SetDirection(TSpinDirection value);
    void SetFlat(bool value);
    // The parent shows through round the buttons.
    void SetTransparent(bool value);
    Typedspin::TTimerSpeedButton* UpButton() const { return upButton; }
    Typedspin::TTimerSpeedButton* DownButton() const { return downButton; }
    const TBitmap& GetUpGlyph() const { return upButton->GetGlyph(); }
    // No bitmap brings back the pair's own picture, with one glyph.
    void SetUpGlyph(const TBitmap* value);
    const TBitmap& GetDownGlyph() const { return downButton->GetGlyph(); }
    void SetDownGlyph(const TBitmap* value);
    int GetUpNumGlyphs() const { return upButton->NumGlyphs; }
    void SetUpNumGlyphs(int value);
    int GetDownNumGlyphs() const { return downButton->NumGlyphs; }
    void SetDownNumGlyphs(int value);
    TWinControl* GetFocusControl() const { return focusControl; }
    // Forgotten when it is freed.
    void SetFocusControl(TWinControl* value);
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    // Makes one button of the pair, owned by and parented to it, for its direction.
    using TButtonMaker = std::function<Typedspin::TTimerSpeedButton*(TTypedSpinButton&, TButtonDirection)>;
    // A pair whose buttons a derived kind makes.
    TTypedSpinButton(TComponent* owner, const TButtonMaker& make);

    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void UpdateView() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void PlaceButtons();
    void ButtonMouseDown();
    void SetFocusBtn(Typedspin::TTimerSpeedButton* button);
    // The focused button shows its focus rectangle, or no longer.
    void ShowFocusRect(bool value);

    Typedspin::TTimerSpeedButton* upButton;
    Typedspin::TTimerSpeedButton* downButton;
    Typedspin::TTimerSpeedButton* focusedButton;
    TWinControl* focusControl = nullptr;
    TSpinDirection direction = spVertical;
    bool transparent = false;
};
