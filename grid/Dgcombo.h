#pragma once

#include "framework/ComboBox.h"

class QPainter;
class QRect;

// A combo box with a flat look: a face without a border, which shows one while the mouse is
// over it or it has the focus (with FocusBorder), and a drop-down button of its own width.
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
    // Disabled, a flat box takes its parent's colour; enabled again, its own colour and
    // ParentColor come back.
    void SetEnabled(bool value) override;
    // A colour of its own clears ParentColor; ParentColor takes the parent's colour.
    void SetColor(TColor value) override;
    bool GetParentColor() const { return parentColor; }
    void SetParentColor(bool value);
    // The mouse is over the box or the box has the focus.
    bool IsHot() const;
    // The face's border is sunken while hot with FocusBorder; the button's raised while hot.
    bool Is3DBorderControl() const;
    bool Is3DBorderButton() const;
    // The flat look over the whole box, before the chosen item's text: the face, the drop-down
    // button (pressed while its own press or its list lasts) and the borders of both.
    void DrawFlat(QPainter& painter, const QRect& client, bool pressed) const;
    // The face's border, then the button's (a simple box has none).
    void DrawBorders(QPainter& painter, const QRect& client) const;

    bool AutoFocus = false;
    bool FocusBorder = false;
    // Drawn with the application's style rather than the classic frame controls.
    bool Themed = false;

protected:
    void UpdateView() override;
    void ParentColorChanged() override;
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
    bool parentColor = false;
    TColor savedColor = clWindow;
    bool savedParentColor = false;
};

class TDGComboBox : public TDGCustomCombo {
public:
    using TDGCustomCombo::TDGCustomCombo;
};
