#include "grid/Dgdd.h"

#include "grid/Datagrid.h"

#include <QFileInfo>

void TGridDropTarget::DragMouseMove(TPoint point, bool& allow) {
    grid.OleDragMouseMove(point, allow, Formats);
}

void TGridDropTarget::DragLeave() {
    grid.HideDropMarkers();
}

void TGridDropTarget::DropText(TPoint point, const AnsiString& text) {
    grid.OleDropText(point, text);
}

void TGridDropTarget::DropRTF(TPoint point, const AnsiString& rtf) {
    grid.OleDropRTF(point, rtf);
}

void TGridDropTarget::DropCol(TPoint point, int col) {
    grid.OleDropCol(point, col);
}

void TGridDropTarget::DropFiles(TPoint, const std::vector<AnsiString>& files) {
    grid.HideDropMarkers();
    if (files.size() != 1)
        return;
    // One loader, chosen by the name's suffix.
    const AnsiString& name = files[0];
    const QString suffix = QFileInfo(QString::fromStdString(name.str())).suffix().toLower();
    const bool csv = suffix == "csv";
    const bool workbook = suffix == "xlsx" || suffix == "xlsm";
    if (!csv && !workbook)
        return;
    bool allow = true;
    if (grid.OnOleDrop)
        grid.OnOleDrop(&grid, -1, -1, name, allow);
    if (!allow)
        return;
    if (csv)
        grid.LoadFromCSV(name);
    else
        grid.LoadFromXLS(name);
}
