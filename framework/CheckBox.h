#pragma once

#include "framework/CustomEdit.h"

// A check box. Changing Checked, from the user or from code, raises OnClick.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);
    // taLeftJustify puts the caption left of the box.
    void SetAlignment(TAlignment value);
    // A click turns the box over before OnMouseUp runs, so that the handler reads the new state.
    void ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;

protected:
    void UpdateView() override;

private:
    AnsiString caption;
    bool checked = false;
    TAlignment alignment = taRightJustify;
};
