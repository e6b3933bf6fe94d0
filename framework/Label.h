#pragma once

#include "framework/Control.h"
#include "framework/CustomEdit.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption drawn on its parent. With AutoSize it takes the size of its text.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    void SetAlignment(TAlignment value);
    void SetAutoSize(bool value);
    void SetWordWrap(bool value);
    void SetTransparent(bool value);
    void SetLayout(TTextLayout value);

    TWinControl* FocusControl = nullptr;

protected:
    // A caption set while the layout loads sizes the label once it has loaded.
    void Loaded() override;
    void UpdateView() override;

private:
    void AdjustSize();

    AnsiString caption;
    TAlignment alignment = taLeftJustify;
    TTextLayout layout = tlTop;
    bool autoSize = true;
    bool wordWrap = false;
    bool transparent = false;
};
