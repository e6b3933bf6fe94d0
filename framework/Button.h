#pragma once

#include "framework/Control.h"

// A push button; a click from the user or from Click() raises OnClick.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    void Click() override;
    // Enter clicks the focused button, or the default one while no button has the focus; Escape
    // clicks the cancel button.
    bool CMDialogKey(WORD key) override;

    int ModalResult = 0;
    bool Default = false;
    bool Cancel = false;

protected:
    void UpdateView() override;

private:
    AnsiString caption;
};
