#pragma once

#include "app/AboutUnit.h"
#include "app/Dataentry.h"
#include "app/Datum.h"
#include "app/Front.h"
#include "app/Visualedit.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"
#include "reports/Costings.h"
#include "reports/Printcontrol.h"
#include "reports/Table.h"
#include "reports/Tablecontrol.h"

// Hands make the global pointer of every window the program makes at start-up, in that order;
// the first is the main window. The windows find one another through these pointers, so the
// order is the one place that says which exist.
template <class Make> void ForEachStartupWindow(Make&& make) {
    make(FrontForm);
    make(SewerMainForm);
    make(VisualEditForm);
    make(DataEntryForm);
    make(SectionPropsForm);
    make(TableForm);
    make(TableColumnsEditorForm);
    make(AboutBox);
    make(DatumForm);
    make(PrintSetupForm);
    make(MinimumGradientForm);
    make(CostingsForm);
}

// Hands the windows made at start-up the hooks by which a lower window tells a higher one what
// it did; run once all of them exist.
void ConnectStartupWindows();

// The program's windows as its start-up leaves them (without the splash), made and freed
// together: what tests and benchmarks drive.
class StartedWindows {
public:
    StartedWindows();
    ~StartedWindows();
    StartedWindows(const StartedWindows&) = delete;
    StartedWindows& operator=(const StartedWindows&) = delete;

private:
    TComponent owner{nullptr};
};
