#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <vector>

// A list of strings, each with a check box the user ticks or clears with a click or the space
// bar. The check states live here: Checked[i] belongs to item i, a change of Items keeps the
// state of every index still there and leaves new items unchecked.
class TCheckListBox : public TWinControl {
public:
    explicit TCheckListBox(TComponent* owner);

    bool GetChecked(int index) const;
    // Nothing for an index outside the items.
    void SetChecked(int index, bool value);

    TStringList Items;
    // Pixels per item.
    int ItemHeight = 13;

protected:
    void UpdateView() override;

private:
    std::vector<bool> checked;
    // The view is being brought up to date: the checks it changes are not the user's.
    bool updating = false;
};
