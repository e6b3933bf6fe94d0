#pragma once

#include "framework/DragDrop.h"

class TDataGrid;

// What drops do to a grid; (col, row) is the cell under the drop point.
class TGridDropTarget : public TAEDropTarget {
public:
    explicit TGridDropTarget(TDataGrid& grid) : TAEDropTarget(TDropFamily::Grids), grid(grid) {}

    bool DropText(TPoint point, const AnsiString& text) override;
    bool DropRTF(TPoint point, const AnsiString& rtf) override;
    // The column goes to the grid's handler, which moves what it will: the drop is taken.
    bool DropCol(TPoint point, int col) override;
    // One file, loaded as CSV when its name holds ".CSV" and as a workbook when it holds ".XLS",
    // in any case; a name holding both is loaded both ways in turn.
    bool DropFiles(TPoint point, const std::vector<AnsiString>& files) override;
    void DragMouseMove(TPoint point, bool& allow) override;
    void DragLeave() override;

private:
    TDataGrid& grid;
};
