#pragma once

#include "framework/DragDrop.h"

class TTypedEdit;

// The typed edit box as a drop target: a thin caret shows where the text would land, and a
// dropped text's first line goes in there.
class TEditDropTarget : public TAEDropTarget {
public:
    explicit TEditDropTarget(TTypedEdit& box);

    // Dropped on the box's own dragged selection, nothing happens; dragged from the box without
    // Ctrl, the selection moves.
    bool DropText(TPoint point, const AnsiString& text) override;
    void DragMouseMove(TPoint point, bool& allow) override;
    void DragLeave() override;

private:
    TTypedEdit& box;
};
