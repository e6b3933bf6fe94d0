#include "app/StartedWindows.h"

#include <type_traits>

void ConnectStartupWindows() {
    // The results table writes design settings into the network, which the save prompts guard.
    TableForm->OnSettingsChange = [](TObject*) { DataEntryForm->NetworkChanged = true; };
    // The results table and the costings report on the main window's network, under the title
    // the network editor shows.
    TableForm->NetworkSource = [] { return FrontForm->Network; };
    TableForm->TitleSource = [] { return DataEntryForm->TitleEdit->GetText(); };
}

StartedWindows::StartedWindows() {
    ForEachStartupWindow(
        [this](auto*& form) { form = new std::remove_reference_t<decltype(*form)>(&owner); });
    ConnectStartupWindows();
}

StartedWindows::~StartedWindows() {
    // Last made, first freed: a window may still reach those made before it while it goes.
    while (!owner.Components().empty())
        delete owner.Components().back();
    ForEachStartupWindow([](auto*& form) { form = nullptr; });
}
