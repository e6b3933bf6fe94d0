#include "framework/Dialogs.h"
#include "framework/Form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A message box would stop a timed run: every question is answered at once.
class SilentResponder : public DialogResponder {
public:
    int MessageBox(const MessageRequest&) override { return IDOK; }
    int ShowModal(TForm&) override { return mrCancel; }
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    SilentResponder silent;
    SetDialogResponder(&silent);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
