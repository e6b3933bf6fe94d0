#pragma once

#include "framework/DragDrop.h"
#include "grid/Datagrid.h"

#include "tests/grid/ShownGrid.h"
#include "tests/support/ScriptedResponder.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

// A shown grid of 6 columns of 64 pixels and 9 rows of 21, one fixed row and column, its cell
// texts "cr" (column, row).
struct DragWindow : ShownGrid<TDataGrid> {
    DragWindow() {
        grid->SetColCount(6);
        grid->SetRowCount(9);
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 6; ++c)
                grid->SetCellEx(c, r, std::to_string(c) + std::to_string(r));
        Show();
    }
    QWidget* Cells() const { return static_cast<QAbstractScrollArea*>(grid->View())->viewport(); }
    QPoint At(int col, int row, int dx = 20) const {
        const TRect cell = grid->CellRect(col, row);
        return QPoint(cell.Left + dx, cell.Top + 10);
    }
    // Carries data over a cell and drops it there as the mouse would; the effect the grid gave,
    // DROPEFFECT_NONE when it refused the drop where the mouse was.
    int DropOn(const QMimeData& data, int col, int row, Qt::KeyboardModifiers keys = {}) {
        const QPoint at = At(col, row);
        if (!CarryOver(data, at, keys)) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(Cells(), &leave);
            return DROPEFFECT_NONE;
        }
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(Cells(), &drop);
        if (!drop.isAccepted())
            return DROPEFFECT_NONE;
        return drop.dropAction() == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
    // Brings data onto the cells at a point and moves it there; true when the grid would take it.
    bool CarryOver(const QMimeData& data, QPoint at, Qt::KeyboardModifiers keys = {}) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(Cells(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(Cells(), &move);
        return move.isAccepted();
    }
    void TakeDrops() {
        grid->SetOptions(grid->GetOptions() | goEditing);
        grid->DragDropSettings->SetOleDropTarget(true);
    }
    // Press on a cell, dx pixels in, then move the mouse by (mx, my).
    void PressAndMove(int col, int row, int dx, int mx, int my) {
        const QPoint at = At(col, row, dx);
        QTest::mousePress(Cells(), Qt::LeftButton, {}, at);
        QTest::mouseMove(Cells(), at + QPoint(mx, my));
        QTest::mouseRelease(Cells(), Qt::LeftButton, {}, at + QPoint(mx, my));
    }
};

// Text, and rich text beside it when there is some.
inline std::unique_ptr<QMimeData> TextData(const char* text, const char* rtf = "") {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    if (*rtf)
        data->setData("text/rtf", rtf);
    return data;
}

// A grid that starts drags from its selection, columns 2-3 of rows 2-3.
struct SourceWindow : DragWindow {
    SourceWindow() {
        grid->DragDropSettings->OleDropSource = true;
        grid->SetSelection({2, 2, 3, 3});
        grid->OnOleDragStop = [this](TObject*, int effect) { stops.push_back(effect); };
        Responder().Clear();
    }
    ~SourceWindow() { Responder().Clear(); }
    std::vector<int> stops;
};
