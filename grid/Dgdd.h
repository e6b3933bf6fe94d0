#pragma once

#include "framework/DragDrop.h"

class TDataGrid;

// What drops do to a grid; (col, row) is the cell under the drop point.
class TGridDropTarget : public TAEDropTarget {
public:
    explicit TGridDropTarget(TDataGrid& grid) : TAEDropTarget(TDropFamily::Grids), grid(grid) {}

    void DropText(TPoint point, const AnsiString& text) override;
    void DropRTF(TPoint point, const AnsiString& rtf) override;
    void DropCol(TPoint point, int col) override;
    void DropFiles(TPoint point, const std::vector<AnsiString>& files) override;
    void DragMouseMove(TPoint point, bool& allow) override;
    void DragLeave() override;

private:
    TDataGrid& grid;
};
