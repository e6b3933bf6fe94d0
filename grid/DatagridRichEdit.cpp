// Rich-text cells read into a rich edit and stored back.
#include "framework/RichEdit.h"
#include "grid/Datagrid.h"

void TDataGrid::CellToRich(int ACol, int ARow, TRichEdit* RichEdit) {
    RichEdit->SetRichText(GetCellEx(ACol, ARow).view());
}

void TDataGrid::RichToCell(int ACol, int ARow, TRichEdit* RichEdit) {
    SetCellEx(ACol, ARow, AnsiString(RichEdit->GetRichText()));
}
