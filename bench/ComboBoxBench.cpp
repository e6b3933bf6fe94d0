#include "framework/ComboBox.h"
#include "framework/Form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <string>

namespace {

// Items added one by one to a shown combo box, then shown once the event loop turns, as a
// window filling a list of junctions does.
void FillShownComboBox(benchmark::State& state) {
    TForm form(nullptr);
    auto* box = new TComboBox(&form);
    box->SetParent(&form);
    form.Show();
    QApplication::processEvents();
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        box->Items.Clear();
        for (int i = 0; i < count; ++i)
            box->Items.Add(std::string("J").append(std::to_string(i)));
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(FillShownComboBox)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
