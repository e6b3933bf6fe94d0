#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"
#include "framework/FileBytes.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

namespace {

// A data file of a chain of sewers of the given count, each 20-80 m, 0-400 houses, 0-5000
// l/day, the ground falling 0.05-1.5 m a sewer.
std::string ChainData(int sewers) {
    std::string text = "Sewer,Length (m),Houses\r\n";
    double ground = 10000;
    for (int i = 0; i < sewers; ++i) {
        const double fall = 0.05 + (i * 37 % 146) * 0.01;
        const std::string name = std::to_string(i);
        text += "S" + name + "," + std::to_string(20 + i * 13 % 61) + "," + std::to_string(i * 17 % 401) +
                ",," + std::to_string(i * 251 % 5001) + ",,,,,,J" + name + ",J" + std::to_string(i + 1) +
                "," + std::to_string(ground) + "," + std::to_string(ground - fall) + "\r\n";
        ground -= fall;
    }
    return text;
}

// "Calculate" over the kept sewers of a loaded file, the results table docked and shown: every
// sewer through the calculator, 14 texts a row written under the grid's update lock, and the
// repaint.
void CalculateBatch(benchmark::State& state) {
    StartedWindows windows;
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("chain.csv").toStdString();
    WriteFileBytes(file, ChainData(static_cast<int>(state.range(0))));
    FrontForm->Show();
    FrontForm->ShowChildForm(TableForm);
    if (!TableForm->LoadBatchData(file))
        state.SkipWithError("the data was not loaded");
    QApplication::processEvents();
    for (auto _ : state) {
        TableForm->CalcAllButtonClick(nullptr);
        QApplication::processEvents();
    }
    SetPerSewer(state);
}
BENCHMARK(CalculateBatch)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
