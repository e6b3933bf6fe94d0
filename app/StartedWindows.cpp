#include "app/StartedWindows.h"

#include "network/Sewernetwork.h"

#include <memory>
#include <type_traits>
#include <utility>

void ConnectStartupWindows() {
    // The results table writes design settings into the network, which the save prompts guard.
    TableForm->OnSettingsChange = [](TObject*) { DataEntryForm->NetworkChanged = true; };
    // The results table and the costings report on the main window's network, under the title
    // the network editor shows.
    TableForm->NetworkSource = [] { return FrontForm->Network; };
    TableForm->TitleSource = [] { return DataEntryForm->TitleEdit->GetText(); };
    // The batch mode hands the main window the network it makes, and docks the calculator.
    TableForm->TakeNetwork = [](std::unique_ptr<SimpleSewerNetwork> network) {
        return FrontForm->TakeNetwork(std::move(network));
    };
    TableForm->ShowDocked = [](TForm* form) { FrontForm->ShowChildForm(form); };
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
