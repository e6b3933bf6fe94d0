// Check boxes on the printed page: a frame, and a tick when checked, in the page's units.
#include "grid/Dgprint.h"

#include "grid/Datagrid.h"

#include <algorithm>
#include <cmath>

int TPrintPass::PrintedCheckBoxRoom(int realCol, int row) {
    const TCellType type = grid.GetCellType(realCol, row);
    if (type != ctCheckBox && type != ctDataCheckBox)
        return 0;
    return static_cast<int>(std::lround(grid.ControlLook->GetCheckSize() * screenFactor * fitScale)) +
           letterWidth;
}

void TPrintPass::DrawPrintedCheckBox(int realCol, int row, const TRect& cell) {
    bool checked = false;
    grid.GetCheckBoxState(realCol, row, checked);
    const int side = PrintedCheckBoxRoom(realCol, row) - letterWidth;
    // y runs upward on the page: the cell's top is its largest y.
    const int left = cell.Left + letterWidth;
    const int top = cell.Top - std::max(0, (cell.Top - cell.Bottom - side) / 2);
    const TPen savedPen = canvas.Pen;
    const TBrush savedBrush = canvas.Brush;
    canvas.Pen = TPen{clBlack, std::max(1, side / 12), psSolid, pmCopy};
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(left, top, left + side, top - side);
    if (checked)
        canvas.Polyline({Point(left + side / 5, top - side / 2),
                         Point(left + side * 2 / 5, top - side * 3 / 4),
                         Point(left + side * 4 / 5, top - side / 4)});
    canvas.Pen = savedPen;
    canvas.Brush = savedBrush;
}
