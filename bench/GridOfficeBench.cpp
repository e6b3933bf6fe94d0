#include "bench/support/GridFileBench.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_SaveToXLS(benchmark::State& state) {
    TimeWrite(state, &TDataGrid::SaveToXLS, "t.xlsx");
}

// The grid written again over the sheet of a workbook it wrote before.
void BM_SaveToXLSSheet(benchmark::State& state) {
    const auto grid = ResultsLikeGrid(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("t.xlsx").toStdString();
    grid->SaveToXLS(file);
    for (auto _ : state)
        grid->SaveToXLSSheet(file, "Sheet1");
    state.counters["rows"] = static_cast<double>(state.range(0));
}

// A sheet of state.range(0) rows of 10 numbers and names, the way another program leaves it.
AnsiString LargeSheet(const QTemporaryDir& dir, int rows) {
    const AnsiString file = dir.filePath("large.xlsx").toStdString();
    TDataGrid grid(nullptr);
    grid.SetColCount(10);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 10; ++c)
            grid.SetCellEx(c, r, c % 3 ? FloatToStrF(r * 0.37 + c, ffFixed, 7, 3) : "N" + IntToStr(r + c));
    grid.SaveToXLS(file);
    return file;
}

// A few cells written into that sheet, against reading it: the write should cost a small
// multiple of the read.
void BM_SaveFewCellsIntoLargeSheet(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = LargeSheet(dir, static_cast<int>(state.range(0)));
    TDataGrid few(nullptr);
    few.SetColCount(3);
    few.SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            few.SetCellEx(c, r, "w" + IntToStr(r * 3 + c));
    for (auto _ : state)
        few.SaveToXLSSheet(file, "Sheet1");
    state.counters["rows"] = static_cast<double>(state.range(0));
}

void BM_LoadLargeSheet(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = LargeSheet(dir, static_cast<int>(state.range(0)));
    TDataGrid grid(nullptr);
    for (auto _ : state)
        grid.LoadFromXLS(file);
    state.counters["rows"] = static_cast<double>(state.range(0));
}

void BM_SaveToDOC(benchmark::State& state) {
    TimeWrite(state, &TDataGrid::SaveToDOC, "t.docx");
}

void BM_LoadFromXLS(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("t.xlsx").toStdString();
    ResultsLikeGrid(static_cast<int>(state.range(0)))->SaveToXLS(file);
    TDataGrid grid(nullptr);
    for (auto _ : state)
        grid.LoadFromXLS(file);
    state.counters["rows"] = static_cast<double>(state.range(0));
}

// A query of every row of a table of state.range(0) pipes.
void BM_LoadFromMDBSQL(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath("pipes.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-fill");
        db.setDatabaseName(file);
        db.open();
        QSqlQuery query(db);
        query.exec("CREATE TABLE Pipes (Name TEXT, Diameter INTEGER, Roughness REAL, Material TEXT)");
        db.transaction();
        query.prepare("INSERT INTO Pipes VALUES (?, ?, ?, ?)");
        for (int i = 0; i < state.range(0); ++i) {
            query.addBindValue(QString("S%1").arg(i));
            query.addBindValue(150 + i % 7 * 75);
            query.addBindValue(0.6 + i % 3 * 0.3);
            query.addBindValue(i % 2 ? "Clay" : "PVC");
            query.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-fill");
    TDataGrid grid(nullptr);
    for (auto _ : state)
        grid.LoadFromMDBSQL(file.toStdString(), "SELECT * FROM Pipes");
    state.counters["rows"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_SaveToXLS)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToXLSSheet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromXLS)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFewCellsIntoLargeSheet)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeSheet)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToDOC)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMDBSQL)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
