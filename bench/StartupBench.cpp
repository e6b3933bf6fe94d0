#include "app/AboutUnit.h"
#include "app/Dataentry.h"
#include "app/Datum.h"
#include "app/Front.h"
#include "app/Visualedit.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"
#include "reports/Printcontrol.h"
#include "reports/Table.h"
#include "reports/Tablecontrol.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// From nothing to the main window shown with the design window docked: the splash, every window
// of the start-up, the first activation and the events that paint them.
void Startup(benchmark::State& state) {
    for (auto _ : state) {
        TComponent owner(nullptr);
        AboutBox = new TAboutBox(nullptr);
        AboutBox->Show();
        QApplication::processEvents();
        FrontForm = new TFrontForm(&owner);
        SewerMainForm = new TSewerMainForm(&owner);
        VisualEditForm = new TVisualEditForm(&owner);
        DataEntryForm = new TDataEntryForm(&owner);
        SectionPropsForm = new TSectionPropsForm(&owner);
        TableForm = new TTableForm(&owner);
        TableColumnsEditorForm = new TTableColumnsEditorForm(&owner);
        AboutBox = new TAboutBox(&owner);
        DatumForm = new TDatumForm(&owner);
        PrintSetupForm = new TPrintSetupForm(&owner);
        MinimumGradientForm = new TMinimumGradientForm(&owner);
        FrontForm->Show();
        QApplication::processEvents();
        state.PauseTiming();
        while (!owner.Components().empty())
            delete owner.Components().back();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(Startup)->Unit(benchmark::kMillisecond);

} // namespace
