#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

// The texts and object slots of a grid's cells, row by row, so that rows insert, delete and
// move whole. A row keeps the cells of every column it was given, also beyond the grid's
// column count; a slot owns its object.
class GridCells {
public:
    int RowCount() const { return static_cast<int>(rows.size()); }
    // Rows beyond the new count go with their cells; new rows are empty.
    void SetRowCount(int count) {
        rows.resize(static_cast<std::size_t>(count));
        ++generation;
    }
    // The column count a row reserves room for when it is first written.
    void SetColumnHint(int columns) { columnHint = columns; }

    // Empty beyond the columns a row holds.
    const AnsiString& Text(int col, int row) const;
    // Asks the processor to fetch a slot's text ahead of a read down a column, as each row's texts lie
    // apart in memory.
    void PrefetchText(int col, int row) const;
    void SetText(int col, int row, AnsiString text);
    // The texts of columns 0 .. texts.size() - 1 of a row, moved in; the columns beyond keep theirs.
    void SetRowTexts(int row, std::span<AnsiString> texts);
    // The same for a whole row of texts made for it: a row holding no more columns takes the
    // texts without moving them one by one.
    void SetRowTexts(int row, std::vector<AnsiString>&& texts);
    // Whether any slot of the row holds an object.
    bool RowHasObjects(int row) const;
    TObject* Object(int col, int row) const;
    // Frees the object the slot held.
    void SetObject(int col, int row, std::unique_ptr<TObject> object);
    // Empties the slot and hands its object to the caller.
    std::unique_ptr<TObject> TakeObject(int col, int row);

    // count empty rows before row.
    void InsertRows(int row, int count);
    // The rows at indices, ascending and distinct.
    void DeleteRows(const std::vector<int>& indices);
    // The row at from goes to to, the rows between close up.
    void MoveRow(int from, int to);
    void ExchangeRows(int a, int b) {
        Moving();
        std::swap(Row(a), Row(b));
    }
    // Rows first .. first + order.size() - 1 rearranged: the row at first + k takes what the row at
    // first + order[k] held (order a permutation of 0 .. size - 1).
    void PermuteRows(int first, const std::vector<int>& order);
    // The same for one column's texts and objects, the other cells staying.
    void PermuteColumn(int col, int first, const std::vector<int>& order);
    // The same for columns, in every row.
    void InsertColumns(int col, int count);
    void DeleteColumns(int col, int count);
    void MoveColumn(int from, int to);
    void ExchangeColumns(int a, int b);
    // Rows a and b exchange the text and object of one column, the other cells staying.
    void ExchangeCells(int col, int a, int b);
    // Column to takes the texts of column from and its objects, which leave it.
    void CopyColumn(int to, int from);
    // Runs before any operation above that moves cells to other places, so that whatever stands
    // on a cell (an open editor) is done with it while it is still where it was.
    void SetCellsMoving(std::function<void()> hook) { cellsMoving = std::move(hook); }
    // The cell an open editor stands on that may hold a text the cell does not hold yet: a read of
    // the cell runs the hook first, so that the editor can write its text there before anything
    // reads it. The cell is given its slot, so that the write moves no other text of its row.
    // (-1, -1) for none; cells moving end it.
    void SetEditedCell(int col, int row);
    void SetEditedCellRead(std::function<void()> hook) { editedCellRead = std::move(hook); }
    // Grows with every change of a text, an object or the rows and columns.
    unsigned long long Generation() const { return generation; }
    // A change within an object of a slot, which the store cannot see itself.
    void Touch() { ++generation; }
    // Each object in its slot, from row fromRow on, with its column and row.
    void ForEachObject(int fromRow,
                       const std::function<void(int col, int row, TObject* object)>& visit) const;

private:
    struct CellRow {
        std::vector<AnsiString> Texts;
        std::vector<std::unique_ptr<TObject>> Objects;
    };

    // Every operation that moves cells starts here.
    void Moving();
    // The read of the edited cell, apart so that the read of every other cell stays a leaf call.
    [[gnu::noinline]] const AnsiString& EditedText(int col, int row) const;

    CellRow& Row(int row) { return rows[static_cast<std::size_t>(row)]; }
    const CellRow& Row(int row) const { return rows[static_cast<std::size_t>(row)]; }

    std::vector<CellRow> rows;
    int columnHint = 0;
    unsigned long long generation = 0;
    std::function<void()> cellsMoving;
    int editedCol = -1;
    int editedRow = -1;
    std::function<void()> editedCellRead;
};
