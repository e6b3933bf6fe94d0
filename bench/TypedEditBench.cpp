#include "controls/Typededit.h"
#include "framework/Form.h"
#include "framework/NumberFormat.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// A window that is never shown, with a float box set up as the design window's are.
class DesignForm : public TForm {
public:
    DesignForm() : TForm(nullptr) {
        Box = new TTypedEdit(this);
        Box->SetParent(this);
        Box->ModifiedColor = clRed;
        Box->SetEditType(etFloat);
        Box->ShowModified = true;
        Box->SetPrecision(3);
        Box->SetText("0.000");
        EndLayout();
    }
    TTypedEdit* Box;
};

// The design loop's round trip: a value written into a hidden box and read back.
void SetTextGetFloat(benchmark::State& state) {
    DesignForm form;
    std::vector<AnsiString> texts;
    for (int i = 0; i < 64; ++i)
        texts.push_back(FloatToStr(0.0137 * i * i + 0.5));
    std::size_t next = 0;
    for (auto _ : state) {
        form.Box->SetText(texts[next]);
        benchmark::DoNotOptimize(form.Box->GetFloat());
        next = (next + 1) % texts.size();
    }
}
BENCHMARK(SetTextGetFloat);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
