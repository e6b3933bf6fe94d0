#pragma once

#include "framework/ComboBox.h"

class QPainter;
class QRect;

// A combo box with a flat look: a face without a border, which shows one while the mouse is
// over it or it has the focus (with FocusBorder), and a drop-down button of its own width.
// Disabled, a flat box takes its parent's colour.
class TDGCustomCombo : public TComboBox {
public:
    explicit TDGCustomCombo(TComponent* owner);

    int GetButtonWidth() const { return buttonWidth; }
    // Only 14 to 32 pixels are taken.
    void SetButtonWidth(int value);
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    bool GetEtched() const { return etched; }
    void SetEtched(bool value);
    int GetDropWidth() const { return dropWidth; }
    // Below 1 the list is as wide as the box.
    void SetDropWidth(int value);
    void SetEnabled(bool value) override;
    // The mouse is over the box or the box has the focus.
    bool IsHot() const;
    // The flat look over the whole box, before the chosen item's text: the face, the drop-down
    // button (pressed while its own press or its list lasts) and the borders of both.
    void DrawFlat(QPainter& painter, const QRect& client, bool pressed) const;

    bool AutoFocus = false;
    bool FocusBorder = false;
    // Drawn with the application's style rather than the classic frame controls.
    bool Themed = false;

protected:
    void UpdateView() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void DrawControlBorder(QPainter& painter, const QRect& client) const;
    void DrawButtonBorder(QPainter& painter, const QRect& client) const;

    int buttonWidth;
    bool flat = true;
    bool etched = false;
    int dropWidth = 0;
    bool mouseIn = false;
    TColor savedColor = clWindow;
};

class TDGComboBox : public TDGCustomCombo {
public:
    using TDGCustomCombo::TDGCustomCombo;
};
