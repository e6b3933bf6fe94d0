#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The main window shown with the results table docked in it, for a checked random tree.
class ShownTable {
public:
    explicit ShownTable(int sewers) {
        FrontForm->Show();
        FrontForm->ReplaceNetwork(RandomTree(sewers));
        FrontForm->Network->CheckNetwork();
        FrontForm->ShowChildForm(TableForm);
        QApplication::processEvents();
    }
    ShownTable(const ShownTable&) = delete;
    ShownTable& operator=(const ShownTable&) = delete;

private:
    StartedWindows windows;
};

// Two columns unchecked in the chooser, as a user narrows the table.
void UncheckTwoColumns() {
    TableColumnsEditorForm->TableColumnsCheckListBox->SetChecked(TableForm->LengthColumn, false);
    TableColumnsEditorForm->TableColumnsCheckListBox->SetChecked(TableForm->GroundSlopeColumn, false);
}

// "Update Table": the settings into the network, every sewer designed and levelled, a row of
// 26 texts each, the chooser's columns hidden, and the repaint.
void UpdateTable(benchmark::State& state) {
    ShownTable table(static_cast<int>(state.range(0)));
    UncheckTwoColumns();
    for (auto _ : state) {
        if (!TableForm->UpdateTableFromNetwork())
            state.SkipWithError("the table was not updated");
        QApplication::processEvents();
    }
    SetPerSewer(state);
}
BENCHMARK(UpdateTable)->Apply(NetworkSizes);

// View > Results Table from the visual editor: the check, the design, the fill of 26 texts a row,
// the chooser's columns and the first paint of the docked table.
void ResultsTableCommand(benchmark::State& state) {
    ShownTable table(static_cast<int>(state.range(0)));
    UncheckTwoColumns();
    for (auto _ : state) {
        state.PauseTiming();
        FrontForm->ShowChildForm(VisualEditForm);
        QApplication::processEvents();
        state.ResumeTiming();
        FrontForm->ResultsTable1->Click();
        QApplication::processEvents();
    }
    if (TableForm->DataGrid1->GetRowCount() != static_cast<int>(state.range(0)) + 1)
        state.SkipWithError("the table was not filled");
    SetPerSewer(state);
}
BENCHMARK(ResultsTableCommand)->Apply(NetworkSizes);

// The fill alone, over a designed network.
void FillTable(benchmark::State& state) {
    ShownTable table(static_cast<int>(state.range(0)));
    TableForm->UpdateTableFromNetwork();
    for (auto _ : state)
        TableForm->FillTableFromNetwork();
    SetPerSewer(state);
}
BENCHMARK(FillTable)->Apply(NetworkSizes);

// The chooser's checks applied to a filled table, the other way each time, and the repaint.
void ApplyColumns(benchmark::State& state) {
    ShownTable table(static_cast<int>(state.range(0)));
    TableForm->UpdateTableFromNetwork();
    bool hidden = false;
    for (auto _ : state) {
        hidden = !hidden;
        for (const int column : {TableForm->LengthColumn, TableForm->GroundSlopeColumn})
            TableColumnsEditorForm->TableColumnsCheckListBox->SetChecked(column, !hidden);
        TableForm->ApplyColumnVisibility();
        QApplication::processEvents();
    }
    SetPerSewer(state);
}
BENCHMARK(ApplyColumns)->Apply(NetworkSizes);

// "Save table to CSV" of the filled table, two columns hidden.
void SaveTable(benchmark::State& state) {
    ShownTable table(static_cast<int>(state.range(0)));
    UncheckTwoColumns();
    TableForm->UpdateTableFromNetwork();
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("table.csv").toStdString();
    for (auto _ : state)
        TableForm->DataGrid1->SaveToCSV(file);
    SetPerSewer(state);
}
BENCHMARK(SaveTable)->Apply(NetworkSizes);

} // namespace
