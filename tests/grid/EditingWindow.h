#pragma once

#include "framework/Edit.h"
#include "framework/Form.h"
#include "grid/Datagrid.h"
#include "grid/GridInplaceEdit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// A shown, active window like the costings' unit-cost tab: a grid of 5 columns of 64 pixels and
// rows of 21, one fixed row and no fixed column, edited in place with Enter going on along the
// rows; beside it an edit box to leave the grid for. Keys go to whatever has the focus, clicks
// to the grid's cells, as a user's would.
struct EditingWindow {
    EditingWindow() {
        form.SetBounds(0, 0, 500, 300);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 420, 200);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetFixedCols(0);
        grid->SetFixedRows(1);
        grid->SetOptions(grid->GetOptions() | goEditing);
        grid->Navigation->AdvanceOnEnter = true;
        edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(0, 220, 100, 21);
        // Laid out, as a window of the program is once built.
        form.EndLoading();
    }
    void Show() {
        form.Show();
        form.View()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.View()));
        grid->SetFocus();
    }
    void Select(int col, int row) {
        grid->SetRow(row);
        grid->SetCol(col);
    }
    QWidget* Cells() const { return static_cast<QAbstractScrollArea*>(grid->View())->viewport(); }
    // A click dx pixels into the cell, half way down.
    void Click(int col, int row, int dx = 20, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(Cells(), Qt::LeftButton, modifiers, QPoint(col * 64 + dx, row * 21 + 10));
    }
    void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    bool EditorFocused() const {
        return grid->GetInplaceEditor() && QApplication::focusWidget() == grid->GetInplaceEditor()->View();
    }
    AnsiString EditorText() const { return grid->GetInplaceEditor()->GetWindowText(); }

    TForm form{nullptr};
    TDataGrid* grid;
    TEdit* edit;
    std::vector<std::string> log;
};
