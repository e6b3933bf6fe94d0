#pragma once

#include "framework/Control.h"

// A radio button. Checking it, from the user or from code, unchecks the radio buttons beside it
// in the same parent and raises OnClick; unchecking raises nothing.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);

protected:
    void UpdateView() override;

private:
    AnsiString caption;
    bool checked = false;
};
