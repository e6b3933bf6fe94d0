#pragma once

#include "grid/GridEditors.h"
#include "tests/grid/EditingWindow.h"

#include <QApplication>

// An editing window whose cell (1, 1) is edited with a special editor; (2, 1) is a plain cell.
struct SpecialCell : EditingWindow {
    SpecialCell(TEditorType type, const char* text) {
        grid->SetCells(1, 1, text);
        grid->SetCells(2, 1, "next");
        grid->OnGetEditorType = [type](TObject*, int ACol, int ARow, TEditorType& AEditor) {
            if (ACol == 1 && ARow == 1)
                AEditor = type;
        };
    }
    // F2 on the cell.
    void Open() {
        Show();
        Select(1, 1);
        Press(Qt::Key_F2);
    }
    TGridEditors& Editors() const { return grid->Editors(); }
    bool HasFocus(const TWinControl& control) const {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == control.View() || control.View()->isAncestorOf(focus));
    }
};
