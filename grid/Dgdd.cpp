#include "grid/Dgdd.h"

#include "grid/Datagrid.h"

#include <QFileInfo>

void TGridDropTarget::DragMouseMove(TPoint point, bool& allow) {
    grid.OleDragMouseMove(point, allow, Formats);
}

void TGridDropTarget::DragLeave() {
    grid.HideDropMarkers();
}

bool TGridDropTarget::DropText(TPoint point, const AnsiString& text) {
    return grid.OleDropText(point, text);
}

bool TGridDropTarget::DropRTF(TPoint point, const AnsiString& rtf) {
    return grid.OleDropRTF(point, rtf);
}

bool TGridDropTarget::DropCol(TPoint point, int col) {
    grid.OleDropCol(point, col);
    return true;
}

bool TGridDropTarget::DropFiles(TPoint, const std::vector<AnsiString>& files) {
    grid.HideDropMarkers();
    if (files.size() != 1)
        return false;
    // One loader, chosen by the name's suffix.
    const AnsiString& name = files[0];
    const QString suffix = QFileInfo(QString::fromStdString(name.str())).suffix().toLower();
    const bool csv = suffix == "csv";
    const bool workbook = suffix == "xlsx" || suffix == "xlsm";
    if (!csv && !workbook)
        return false;
    bool allow = true;
    if (grid.OnOleDrop)
        grid.OnOleDrop(&grid, -1, -1, name, allow);
    if (!allow)
        return false;
    if (csv)
        grid.LoadFromCSV(name);
    else
        grid.LoadFromXLS(name);
    return true;
}
