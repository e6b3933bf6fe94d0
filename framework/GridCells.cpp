#include "framework/GridCells.h"

#include "framework/SequenceEdits.h"

#include <algorithm>
#include <iterator>

namespace {

const AnsiString EmptyText;

const AnsiString& SlotText(const std::vector<AnsiString>& texts, int col) {
    return static_cast<std::size_t>(col) < texts.size() ? texts[static_cast<std::size_t>(col)] : EmptyText;
}

// Room for cell col in a row's vector, and for the columns the grid shows.
template <class T> T& Slot(std::vector<T>& cells, int col, int columnHint) {
    const auto index = static_cast<std::size_t>(col);
    if (index >= cells.size())
        cells.resize(std::max(index + 1, static_cast<std::size_t>(columnHint)));
    return cells[index];
}

// count empty elements before index (elements may be move-only).
template <class T> void InsertEmpty(std::vector<T>& items, int index, int count) {
    std::vector<T> fresh(static_cast<std::size_t>(count));
    items.insert(items.begin() + index, std::make_move_iterator(fresh.begin()),
                 std::make_move_iterator(fresh.end()));
}

template <class T> void InsertInto(std::vector<T>& cells, int col, int count) {
    if (static_cast<std::size_t>(col) < cells.size())
        InsertEmpty(cells, col, count);
}

template <class T> void EraseFrom(std::vector<T>& cells, int col, int count) {
    const auto size = cells.size();
    const auto first = std::min(size, static_cast<std::size_t>(col));
    const auto last = std::min(size, static_cast<std::size_t>(col) + static_cast<std::size_t>(count));
    cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(first),
                cells.begin() + static_cast<std::ptrdiff_t>(last));
}

template <class T> void ExchangeIn(std::vector<T>& cells, int a, int b) {
    const auto last = static_cast<std::size_t>(std::max(a, b));
    if (cells.size() <= static_cast<std::size_t>(std::min(a, b)))
        return;
    if (cells.size() <= last)
        cells.resize(last + 1);
    std::swap(cells[static_cast<std::size_t>(a)], cells[static_cast<std::size_t>(b)]);
}

} // namespace

const AnsiString& GridCells::Text(int col, int row) const {
    if (col == editedCol && row == editedRow) [[unlikely]]
        return EditedText(col, row);
    return SlotText(Row(row).Texts, col);
}

const AnsiString& GridCells::EditedText(int col, int row) const {
    // The hook may write this very cell: the slot is looked up after it.
    if (editedCellRead)
        editedCellRead();
    return SlotText(Row(row).Texts, col);
}

void GridCells::PrefetchText(int col, int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return;
    const auto& texts = Row(row).Texts;
    if (col >= 0 && static_cast<std::size_t>(col) < texts.size())
        __builtin_prefetch(&texts[static_cast<std::size_t>(col)]);
}

void GridCells::SetText(int col, int row, AnsiString text) {
    ++generation;
    auto& texts = Row(row).Texts;
    if (text.IsEmpty() && static_cast<std::size_t>(col) >= texts.size())
        return;
    Slot(texts, col, columnHint) = std::move(text);
}

void GridCells::SetRowTexts(int row, std::span<AnsiString> texts) {
    ++generation;
    if (texts.empty())
        return;
    auto& own = Row(row).Texts;
    Slot(own, static_cast<int>(texts.size()) - 1, columnHint);
    std::move(texts.begin(), texts.end(), own.begin());
}

void GridCells::SetRowTexts(int row, std::vector<AnsiString>&& texts) {
    auto& own = Row(row).Texts;
    if (texts.empty() || own.size() > texts.size()) {
        SetRowTexts(row, std::span<AnsiString>(texts));
        return;
    }
    ++generation;
    // As the slots would have grown: to the column hint, unless the row was as wide already.
    const bool grows = own.size() < texts.size();
    own = std::move(texts);
    if (grows && own.size() < static_cast<std::size_t>(columnHint))
        own.resize(static_cast<std::size_t>(columnHint));
}

bool GridCells::RowHasObjects(int row) const {
    const auto& objects = Row(row).Objects;
    return std::any_of(objects.begin(), objects.end(), [](const auto& object) { return object != nullptr; });
}

TObject* GridCells::Object(int col, int row) const {
    const auto& objects = Row(row).Objects;
    return static_cast<std::size_t>(col) < objects.size() ? objects[static_cast<std::size_t>(col)].get()
                                                          : nullptr;
}

void GridCells::SetObject(int col, int row, std::unique_ptr<TObject> object) {
    ++generation;
    auto& objects = Row(row).Objects;
    if (!object && static_cast<std::size_t>(col) >= objects.size())
        return;
    Slot(objects, col, columnHint) = std::move(object);
}

std::unique_ptr<TObject> GridCells::TakeObject(int col, int row) {
    ++generation;
    auto& objects = Row(row).Objects;
    if (static_cast<std::size_t>(col) >= objects.size())
        return nullptr;
    return std::move(objects[static_cast<std::size_t>(col)]);
}

void GridCells::InsertRows(int row, int count) {
    Moving();
    InsertEmpty(rows, row, count);
}

void GridCells::DeleteRows(const std::vector<int>& indices) {
    Moving();
    EraseIndices(rows, indices);
}

void GridCells::MoveRow(int from, int to) {
    Moving();
    MoveElement(rows, from, to);
}

void GridCells::PermuteRows(int first, const std::vector<int>& order) {
    Moving();
    PermuteElements(rows, first, order);
}

void GridCells::PermuteColumn(int col, int first, const std::vector<int>& order) {
    Moving();
    const auto base = static_cast<std::size_t>(first);
    std::vector<AnsiString> texts;
    std::vector<std::unique_ptr<TObject>> objects;
    texts.reserve(order.size());
    objects.reserve(order.size());
    for (const int from : order) {
        const int row = first + from;
        texts.push_back(Text(col, row));
        objects.push_back(TakeObject(col, row));
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int row = static_cast<int>(base + k);
        SetText(col, row, std::move(texts[k]));
        SetObject(col, row, std::move(objects[k]));
    }
}

void GridCells::InsertColumns(int col, int count) {
    Moving();
    for (auto& row : rows) {
        InsertInto(row.Texts, col, count);
        InsertInto(row.Objects, col, count);
    }
}

void GridCells::DeleteColumns(int col, int count) {
    Moving();
    for (auto& row : rows) {
        EraseFrom(row.Texts, col, count);
        EraseFrom(row.Objects, col, count);
    }
}

void GridCells::MoveColumn(int from, int to) {
    Moving();
    for (auto& row : rows) {
        MoveElement(row.Texts, from, to);
        MoveElement(row.Objects, from, to);
    }
}

void GridCells::ExchangeColumns(int a, int b) {
    Moving();
    for (auto& row : rows) {
        ExchangeIn(row.Texts, a, b);
        ExchangeIn(row.Objects, a, b);
    }
}

void GridCells::ExchangeCells(int col, int a, int b) {
    Moving();
    AnsiString text = Text(col, a);
    SetText(col, a, Text(col, b));
    SetText(col, b, std::move(text));
    std::unique_ptr<TObject> object = TakeObject(col, a);
    SetObject(col, a, TakeObject(col, b));
    SetObject(col, b, std::move(object));
}

void GridCells::CopyColumn(int to, int from) {
    Moving();
    for (int r = 0; r < RowCount(); ++r) {
        SetText(to, r, Text(from, r));
        SetObject(to, r, TakeObject(from, r));
    }
}

void GridCells::Moving() {
    if (cellsMoving)
        cellsMoving();
    editedCol = editedRow = -1;
    ++generation;
}

void GridCells::SetEditedCell(int col, int row) {
    editedCol = col;
    editedRow = row;
    if (col >= 0 && row >= 0 && row < RowCount())
        Slot(Row(row).Texts, col, columnHint);
}

void GridCells::ForEachObject(int fromRow,
                              const std::function<void(int col, int row, TObject* object)>& visit) const {
    for (int r = std::max(fromRow, 0); r < RowCount(); ++r) {
        const auto& objects = Row(r).Objects;
        for (std::size_t c = 0; c < objects.size(); ++c)
            if (objects[c])
                visit(static_cast<int>(c), r, objects[c].get());
    }
}
