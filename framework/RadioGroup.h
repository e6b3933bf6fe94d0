#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <vector>

class QButtonGroup;
class QRadioButton;

// A framed group of radio buttons, one per item. Changing ItemIndex, from the user or from
// code, raises OnClick. Changing the items leaves no selection.
class TRadioGroup : public TWinControl {
public:
    explicit TRadioGroup(TComponent* owner);

    const AnsiString& GetCaption() const { return caption; }
    void SetCaption(const AnsiString& value);
    int GetItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);
    void SetColumns(int value);
    int GetColumns() const { return columns; }

    TStringList Items;

protected:
    void UpdateView() override;

private:
    AnsiString caption;
    int itemIndex = -1;
    int columns = 1;
    QButtonGroup* buttons;
    std::vector<QRadioButton*> radios;
    class FocusWatcher;
    FocusWatcher* focusWatcher;
};
