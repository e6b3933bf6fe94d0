#include "framework/Form.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// Opening and closing a special editor a thousand times on a grid of so many rows: the cost
// should not grow with the rows.
void OpenAndClose(benchmark::State& state) {
    const auto type = static_cast<TEditorType>(state.range(0));
    const int rows = static_cast<int>(state.range(1));
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 400);
    auto* grid = new TDataGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 580, 380);
    grid->SetColCount(5);
    grid->SetRowCount(rows);
    grid->SetOptions(grid->GetOptions() | goEditing);
    grid->SetCells(1, rows / 2, type == edUnitEditBtn ? "12.5 kg" : "42");
    for (const char* item : {"A", "42", "C"})
        grid->AddComboString(item);
    grid->OnGetEditorType = [type](TObject*, int, int, TEditorType& AEditor) { AEditor = type; };
    form.Show();
    QApplication::processEvents();
    grid->SetRow(rows / 2);
    grid->SetCol(1);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            grid->ShowInplaceEdit();
            grid->HideInplaceEdit();
        }
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(rows) + " rows");
}

void Editors(benchmark::internal::Benchmark* bench) {
    for (const TEditorType type :
         {edSpinEdit, edComboList, edEditBtn, edUnitEditBtn, edCheckBox, edDateEdit, edTimeEdit, edButton})
        for (const int rows : {100, 100000})
            bench->Args({type, rows});
}

BENCHMARK(OpenAndClose)->Apply(Editors)->Unit(benchmark::kMillisecond);

} // namespace
