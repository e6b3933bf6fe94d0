#include "grid/Dgdd.h"

#include "grid/Datagrid.h"

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
    // Before loading: a file that cannot be read leaves with its message.
    grid.HideDropMarkers();
    if (files.size() != 1)
        return false;
    const AnsiString& name = files[0];
    const AnsiString upper = name.UpperCase();
    bool allow = true;
    bool loaded = false;
    // The second question starts from the first one's answer.
    const auto ask = [&] {
        if (grid.OnOleDrop)
            grid.OnOleDrop(&grid, -1, -1, name, allow);
        return allow;
    };
    if (upper.Pos(".CSV") > 0 && ask()) {
        grid.LoadFromCSV(name);
        loaded = true;
    }
    if (upper.Pos(".XLS") > 0 && ask()) {
        grid.LoadFromXLS(name);
        loaded = true;
    }
    return loaded;
}
