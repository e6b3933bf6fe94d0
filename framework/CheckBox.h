#pragma once

#include "framework/CustomEdit.h"

// A check box. Changing Checked, from the user or from code, raises OnClick; a release of the
// mouse button or the space bar that toggles it raises OnMouseUp or OnKeyUp after OnClick.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);
    // taLeftJustify puts the caption left of the box.
    void SetAlignment(TAlignment value);

protected:
    void UpdateView() override;

private:
    AnsiString caption;
    bool checked = false;
    TAlignment alignment = taRightJustify;
};
