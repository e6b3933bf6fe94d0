#include "reports/Table.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "network/SewerFetch.h"
#include "network/Sewernetwork.h"
#include "network/WindowLayout.h"
#include "reports/ResultFormats.h"
#include "reports/Tablecontrol.h"
#include "resources/StringTable.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <array>
#include <exception>
#include <utility>
#include <vector>

namespace {

constexpr double SecondsPerDay = 86400;

void ShowError(int textId) {
    Application->MessageBox(LoadStr(textId), LoadStr(3001), MB_OK | MB_ICONEXCLAMATION);
}

// The design tells of its own failures, a loop or levels it could not set, and may raise part
// way (a zero Manning's n): either way the network is not designed, and that is told once.
bool NetworkDesigned(SimpleSewerNetwork& network) {
    try {
        return network.DesignNetwork() == 0;
    } catch (const std::exception& error) {
        Application->HandleException(error);
        return false;
    }
}

} // namespace

std::array<TTableForm::NumberSetting, TTableForm::NumberSettingCount> TTableForm::NumberSettings() const {
    return {{{returnTypedEdit, &SimpleSewerNetwork::ReturnFactor, 100, 0.01, true},
             {peakTypedEdit, &SimpleSewerNetwork::PeakFlowFactor, 1, 1, false},
             {nTypedEdit, &SimpleSewerNetwork::ManningN, 1, 1, false},
             {tauTypedEdit, &SimpleSewerNetwork::MinimumTau, 1, 1, false},
             {vscTypedEdit, &SimpleSewerNetwork::MinimumSelfCleaningVel, 1, 1, false},
             {MinDepthTypedEdit, &SimpleSewerNetwork::MinimumSewerCover, 1, 1, false},
             {MinDTypedEdit, &SimpleSewerNetwork::MinimumDiameter, 1000, 0.001, true},
             {MinQTypedEdit, &SimpleSewerNetwork::MinimumDischarge, 1000, 0.001, false},
             {InitialLCDTypedEdit, &SimpleSewerNetwork::InitialLCD, 1, 1, true},
             {FinalLCDTypedEdit, &SimpleSewerNetwork::FinalLCD, 1, 1, true}}};
}

void TTableForm::SettingsToNetwork() {
    SimpleSewerNetwork* network = Network();
    if (!network)
        return;
    // Every box is read before the network changes: a box that is no number changes nothing.
    const auto settings = NumberSettings();
    std::array<double, NumberSettingCount> values{};
    for (std::size_t i = 0; i < settings.size(); ++i)
        values[i] = SettingValue(settings[i], shownSettings[i], *network);

    bool changed = false;
    const auto set = [&changed](auto& field, auto value) {
        if (field == value)
            return;
        field = value;
        changed = true;
    };
    for (std::size_t i = 0; i < settings.size(); ++i) {
        set(network->*settings[i].Field, values[i]);
        // The box's text now stands for the value the network took from it.
        shownSettings[i].Shown(*settings[i].Box, values[i]);
    }
    set(network->FrictionFormula, FrictionFormulaRadioGroup->GetItemIndex());
    set(network->UseMinimumTauCalc, CalcTypeRadioGroup->GetItemIndex() != 0);
    set(network->UseDiameterLimiting, DiameterLimitCheckBox->GetChecked());
    set(network->UseDischargeLimiting, FlowLimitCheckBox->GetChecked());
    set(network->UseGroundSlopeLimiting, GroundSlopeCheckBox->GetChecked());
    settingsEdited = false;
    if (changed && OnSettingsChange)
        OnSettingsChange(this);
}

void TTableForm::EditedSettingsToNetwork() {
    if (settingsEdited)
        SettingsToNetwork();
}

void TTableForm::SettingTyped(TObject*) {
    if (!showingSettings)
        settingTyped = true;
}

void TTableForm::SettingBoxExit(TObject* Sender) {
    if (!std::exchange(settingTyped, false))
        return;
    const SimpleSewerNetwork* network = Network();
    const auto settings = NumberSettings();
    for (std::size_t i = 0; i < settings.size(); ++i)
        if (settings[i].Box == Sender &&
            (!network || !shownSettings[i].Untouched(*settings[i].Box, network->*settings[i].Field)))
            SettingEdited();
}

void TTableForm::ChoiceClick(TObject*) {
    if (showingSettings)
        return;
    const SimpleSewerNetwork* network = Network();
    if (!network || network->FrictionFormula != FrictionFormulaRadioGroup->GetItemIndex() ||
        network->UseMinimumTauCalc != (CalcTypeRadioGroup->GetItemIndex() != 0) ||
        network->UseDiameterLimiting != DiameterLimitCheckBox->GetChecked() ||
        network->UseDischargeLimiting != FlowLimitCheckBox->GetChecked() ||
        network->UseGroundSlopeLimiting != GroundSlopeCheckBox->GetChecked())
        SettingEdited();
}

void TTableForm::SettingEdited() {
    settingsEdited = true;
    if (Network() && OnSettingsChange)
        OnSettingsChange(this);
}

double TTableForm::SettingValue(const NumberSetting& setting, const ShownNumber& shown,
                                const SimpleSewerNetwork& network) {
    const double current = network.*setting.Field;
    return shown.Untouched(*setting.Box, current) ? current
                                                  : StrToFloat(setting.Box->GetText()) * setting.FromBox;
}

double TTableForm::WaterUse(const TTypedEdit* box) const {
    const auto settings = NumberSettings();
    const SimpleSewerNetwork* network = Network();
    for (std::size_t i = 0; i < settings.size(); ++i)
        if (settings[i].Box == box && network)
            return SettingValue(settings[i], shownSettings[i], *network);
    return StrToFloat(box->GetText());
}

void TTableForm::SettingsFromNetwork() {
    const SimpleSewerNetwork* network = Network();
    if (!network)
        return;
    const QScopedValueRollback<bool> showing(showingSettings, true);
    settingsEdited = false;
    const auto settings = NumberSettings();
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const NumberSetting& setting = settings[i];
        const double value = network->*setting.Field;
        if (setting.Whole)
            SetWholeNumber(setting.Box, value * setting.ToBox);
        else
            SetNumber(setting.Box, value * setting.ToBox);
        shownSettings[i].Shown(*setting.Box, value);
    }
    FrictionFormulaRadioGroup->SetItemIndex(std::clamp(network->FrictionFormula, -1, 2));
    CalcTypeRadioGroup->SetItemIndex(network->UseMinimumTauCalc ? 1 : 0);
    DiameterLimitCheckBox->SetChecked(network->UseDiameterLimiting);
    FlowLimitCheckBox->SetChecked(network->UseDischargeLimiting);
    GroundSlopeCheckBox->SetChecked(network->UseGroundSlopeLimiting);
}

void TTableForm::UpdateTableFromNetworkButtonClick(TObject*) {
    UpdateTableFromNetwork();
}

bool TTableForm::UpdateTableFromNetwork() {
    SimpleSewerNetwork* network = Network();
    if (!network) {
        Application->MessageBox(LoadStr(3019), LoadStr(3020), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    network->ClearDesignedFlags();
    SettingsToNetwork();
    if (network->BuildConnections() != 0) {
        ShowError(3057);
        return false;
    }
    if (!NetworkDesigned(*network) || FillTableFromNetwork() != 0) {
        ShowError(3058);
        return false;
    }
    ApplyColumnVisibility();
    return true;
}

int TTableForm::FillTableFromNetwork() {
    const SimpleSewerNetwork& network = *Network();
    const int sewers = static_cast<int>(network.Sewers.size());
    const GridUpdateLock lock(*DataGrid1);
    LeaveBatchData();
    DataGrid1->RemoveRows(1, DataGrid1->GetRowCount() - 1);
    // Without sewers the header row stays alone, and the grid has taken its fixed row away.
    if (sewers == 0)
        return 0;
    DataGrid1->InsertRows(1, sewers);
    DataGrid1->SetFixedRows(1);
    for (std::size_t i = 0; i < network.Sewers.size(); ++i) {
        FetchSewersAhead(network.Sewers, i);
        FillRow(static_cast<int>(i) + 1, *network.Sewers[i], network);
    }
    return 0;
}

void TTableForm::NetworkReplaced() {
    // The settings shown are no longer the network's: until a network's own are shown, a save
    // takes them from the window, as a design would.
    settingsEdited = true;
    // Batch data is no network's results: the batch goes on with it.
    if (batchDataShown)
        return;
    const GridUpdateLock lock(*DataGrid1);
    DataGrid1->RemoveRows(1, DataGrid1->GetRowCount() - 1);
}

void TTableForm::FillRow(int row, Sewer& s, const SimpleSewerNetwork& network) {
    // Made for the row, which takes it whole.
    std::vector<AnsiString> texts(ResultColumns);
    const auto cell = [&texts](int column, auto&& text) {
        texts[static_cast<std::size_t>(column)] = std::forward<decltype(text)>(text);
    };
    // The totals are shown raised to the minimum flow the design raised them to; flows in l/s.
    const auto total = [&network](double flow) {
        const bool raised = network.UseDischargeLimiting && flow < network.MinimumDischarge;
        return F3((raised ? network.MinimumDischarge : flow) * 1000);
    };
    // Once for both columns: the sewers above lie anywhere in memory on a large network.
    const Sewer::Inflows above = s.FlowsFromAbove();
    const double zu = s.UpstreamNode->Z;
    const double zd = s.DownstreamNode->Z;
    const double lu = s.UpstreamEnd->Level;
    const double ld = s.DownstreamEnd->Level;
    cell(SewerColumn, s.Name);
    cell(LengthColumn, F2(s.Length));
    cell(InitialUSFlowColumn, E4(above.Initial * 1000));
    cell(InitialInfiltrationColumn, E4(s.InitialInfiltration * s.Length / SecondsPerDay));
    cell(InitialFlowColumn, E4(s.Population.InitialFlow(network.InitialLCD) * 1000));
    cell(InitialTotalFlowColumn, total(s.InitialTotalQ));
    cell(FinalUSFlowColumn, E4(above.Final * 1000));
    cell(FinalInfiltrationColumn, E4(s.FinalInfiltration * s.Length / SecondsPerDay));
    cell(FinalFlowColumn, E4(s.Population.FinalFlow(network.FinalLCD) * 1000));
    cell(FinalTotalFlowColumn, total(s.FinalTotalQ));
    cell(USJunctionColumn, s.USJunctionName);
    cell(DSJunctionColumn, s.DSJunctionName);
    cell(USGroundLevelColumn, F2(zu));
    cell(DSGroundLevelColumn, F2(zd));
    cell(GroundSlopeColumn, F3((zu - zd) / s.Length));
    cell(USInvertColumn, F3(lu));
    cell(DSInvertColumn, F3(ld));
    cell(GradientColumn, F3(s.Slope));
    cell(DiameterColumn, F3(s.CalculatedDiameter));
    cell(ChosenDiameterColumn, F3(s.ChosenDiameter));
    cell(InitialdDColumn, F3(s.InitialdD));
    cell(FinaldDColumn, F3(s.FinaldD));
    cell(InitialVelocityColumn, F3(s.InitialVelocity));
    cell(FinalVelocityColumn, F3(s.FinalVelocity));
    cell(USDepthColumn, F3(zu - lu + s.ChosenDiameter));
    cell(DSDepthColumn, F3(zd - ld + s.ChosenDiameter));
    DataGrid1->SetRowCells(row, std::move(texts));
}

void TTableForm::ApplyColumnVisibility() {
    // Hidden, the grid repaints once for all the columns.
    DataGrid1->SetVisible(false);
    const TCheckListBox& checks = *TableColumnsEditorForm->TableColumnsCheckListBox;
    for (int i = 0; i < checks.Items.Count(); ++i) {
        if (checks.GetChecked(i))
            DataGrid1->UnHideColumn(i);
        else
            DataGrid1->HideColumn(i);
    }
    DataGrid1->SetVisible(true);
}

void TTableForm::SaveToCSVButtonClick(TObject*) {
    SaveTable(false);
}

void TTableForm::AppendToCSVButtonClick(TObject*) {
    SaveTable(true);
}

void TTableForm::SaveTable(bool append) {
    SaveDialog1->FilterIndex = 1;
    // An append never replaces a file: its dialog asks nothing about replacing one.
    const unsigned options = SaveDialog1->Options;
    if (append)
        SaveDialog1->Options &= ~ofOverwritePrompt;
    const bool chosen = SaveDialog1->Execute();
    SaveDialog1->Options = options;
    if (!chosen)
        return;
    if (append)
        DataGrid1->AppendToCSV(SaveDialog1->FileName);
    else
        DataGrid1->SaveToCSV(SaveDialog1->FileName);
}
