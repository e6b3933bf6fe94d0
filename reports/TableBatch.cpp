#include "reports/Table.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "network/NetworkNames.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "network/WindowLayout.h"
#include "reports/ResultFormats.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <unordered_set>

namespace {

constexpr const char* ExampleDataFile = "qelta_eg1_data.csv";
// What a cell needs beside its text, so that a word-wrapping cell keeps it on one line.
constexpr int CellPadding = 12;

void ShowRefusal(const AnsiString& text) {
    Application->MessageBox(text, LoadStr(3001), MB_OK | MB_ICONEXCLAMATION);
}

// A limited result followed by the same result without the limit.
AnsiString WithUnlimited(const AnsiString& limited, const AnsiString& unlimited) {
    return limited + "  (" + unlimited + ")";
}

// Why the network file could not hold the sewers' names, naming the first line at fault; else empty.
AnsiString NameRefusal(const std::vector<BatchRow>& rows) {
    std::unordered_set<std::string> sewers;
    for (const BatchRow& row : rows) {
        const AnsiString line = "The network was not made: line " + IntToStr(row.Line);
        for (const auto& [what, name] :
             {std::pair{"the sewer", &row.Name}, std::pair{"the upstream junction", &row.USJunction},
              std::pair{"the downstream junction", &row.DSJunction}})
            if (NameFaultOf(name->view()) != nfNone)
                return line + " names " + what + " \"" + *name +
                       "\": a sewer or junction name is one word, without blanks, and does not begin with "
                       "\"#\".";
        if (!sewers.insert(row.Name.str()).second)
            return line + " names the sewer \"" + row.Name + "\" a second time.";
    }
    return {};
}

// The number a settings box holds. The box itself takes an empty text for 0; the batch, like the
// table's update, stops at it with the conversion error.
double SettingNumber(const TTypedEdit* box) {
    const AnsiString text = box->GetText();
    return text.Trim().IsEmpty() ? StrToFloat(text) : BoxNumber(box);
}

} // namespace

void TTableForm::Button1Click(TObject*) {
    OpenDialog1->FilterIndex = 1;
    if (OpenDialog1->Execute())
        LoadBatchData(OpenDialog1->FileName);
}

void TTableForm::Button7Click(TObject*) {
    const AnsiString file = std::filesystem::exists(ExampleDataFile)
                                ? AnsiString(ExampleDataFile)
                                : Application->ExeDir() + ExampleDataFile;
    if (LoadBatchData(file))
        CalcAllButtonClick(this);
}

bool TTableForm::LoadBatchData(const AnsiString& FileName) {
    BatchData data;
    try {
        data = ReadBatchFile(FileName);
    } catch (const Exception& refusal) {
        ShowRefusal(refusal.Message);
        return false;
    }
    {
        const GridUpdateLock lock(*DataGrid1);
        DataGrid1->Clear();
        int columns = DataGrid1->ColumnHeaders.Count();
        for (const auto& record : data.Records)
            columns = std::max(columns, static_cast<int>(record.size()));
        SetRealColCount(columns);
        // An empty table keeps an empty row below its header, as the window starts.
        DataGrid1->SetRowCount(std::max(2, static_cast<int>(data.Records.size())));
        DataGrid1->SetFixedRows(1);
        for (std::size_t r = 0; r < data.Records.size(); ++r)
            for (std::size_t c = 0; c < data.Records[r].size(); ++c)
                DataGrid1->SetCellEx(static_cast<int>(c), static_cast<int>(r), data.Records[r][c]);
    }
    batchRows = std::move(data.Rows);
    batchDataShown = true;
    return true;
}

void TTableForm::LeaveBatchData() {
    if (!batchDataShown)
        return;
    batchRows.clear();
    batchDataShown = false;
    SetRealColCount(DataGrid1->ColumnHeaders.Count());
    DataGrid1->ShowColumnHeaders();
    for (const int column : BatchPairColumns())
        if (!DataGrid1->IsHiddenColumn(column))
            DataGrid1->SetColWidths(DataGrid1->DisplColIndex(column), DataGrid1->GetDefaultColWidth());
}

void TTableForm::SetRealColCount(int count) {
    // The grid counts the columns it shows; the chooser's hidden ones stand among them.
    int hidden = 0;
    for (int column = 0; column < count; ++column)
        if (DataGrid1->IsHiddenColumn(column))
            ++hidden;
    DataGrid1->SetColCount(count - hidden);
}

bool TTableForm::NoBatchData() const {
    if (!batchRows.empty())
        return false;
    Application->MessageBox("The table holds no sewer data. Load a data file first.", LoadStr(3020),
                            MB_OK | MB_ICONINFORMATION);
    return true;
}

TTableForm::BatchSettings TTableForm::ReadBatchSettings() const {
    BatchSettings settings{};
    settings.InitialPeople = SettingNumber(InitialPeopleTypedEdit);
    settings.FinalPeople = SettingNumber(FinalPeopleTypedEdit);
    settings.InitialLCD = SettingNumber(InitialLCDTypedEdit);
    settings.FinalLCD = SettingNumber(FinalLCDTypedEdit);
    settings.Return = SettingNumber(returnTypedEdit);
    settings.Peak = SettingNumber(peakTypedEdit);
    settings.Vsc = SettingNumber(vscTypedEdit);
    settings.Tau = SettingNumber(tauTypedEdit);
    settings.N = SettingNumber(nTypedEdit);
    settings.MinQ = SettingNumber(MinQTypedEdit);
    settings.MinD = SettingNumber(MinDTypedEdit);
    settings.Friction = FrictionFormulaRadioGroup->GetItemIndex();
    settings.Sizing = CalcTypeRadioGroup->GetItemIndex();
    settings.FlowLimit = FlowLimitCheckBox->GetChecked();
    settings.DiameterLimit = DiameterLimitCheckBox->GetChecked();
    settings.GroundSlopeLimit = GroundSlopeCheckBox->GetChecked();
    return settings;
}

void TTableForm::BatchSettingsToDesignForm(const BatchSettings& settings) {
    TSewerMainForm& form = *SewerMainForm;
    SetWholeNumber(form.InitialLCDTypedEdit, settings.InitialLCD);
    SetWholeNumber(form.FinalLCDTypedEdit, settings.FinalLCD);
    SetWholeNumber(form.returnTypedEdit, settings.Return);
    SetNumber(form.peakTypedEdit, settings.Peak);
    SetNumber(form.vscTypedEdit, settings.Vsc);
    SetNumber(form.tauTypedEdit, settings.Tau);
    SetNumber(form.nTypedEdit, settings.N);
    form.FrictionFormulaRadioGroup->SetItemIndex(settings.Friction);
    form.FlowLimitCheckBox->SetChecked(settings.FlowLimit);
    SetNumber(form.MinQTypedEdit, settings.MinQ);
    form.DiameterLimitCheckBox->SetChecked(settings.DiameterLimit);
    SetWholeNumber(form.MinDTypedEdit, settings.MinD);
    form.GroundSlopeCheckBox->SetChecked(settings.GroundSlopeLimit);
    form.SizingRadioGroup->SetItemIndex(settings.Sizing);
}

void TTableForm::BatchRowToDesignForm(const BatchRow& row, const BatchSettings& settings) {
    TSewerMainForm& form = *SewerMainForm;
    SetWholeNumber(form.IPopTypedEdit, settings.InitialPeople * row.Houses);
    SetWholeNumber(form.FPopTypedEdit, settings.FinalPeople * row.Houses);
    SetWholeNumber(form.InitialSuplementaryFlowTypedEdit, row.SupplementaryFlow);
    SetWholeNumber(form.FinalSuplementaryFlowTypedEdit, row.SupplementaryFlow);
    // Each row is designed on its own: whatever the last design left there would flow into it.
    SetNumber(form.InitialUSFlowTypedEdit, 0);
    SetNumber(form.FinalUSFlowTypedEdit, 0);
    SetNumber(form.GroundSlopeTypedEdit, (row.Zu - row.Zd) / row.Length);
}

int TTableForm::SettingsToDesignForm(int row) {
    if (NoBatchData())
        return 1;
    const BatchSettings settings = ReadBatchSettings();
    BatchSettingsToDesignForm(settings);
    const int last = static_cast<int>(batchRows.size());
    BatchRowToDesignForm(batchRows[static_cast<std::size_t>(std::clamp(row, 1, last) - 1)], settings);
    return 0;
}

void TTableForm::CalcAllButtonClick(TObject*) {
    if (NoBatchData())
        return;
    const BatchSettings settings = ReadBatchSettings();
    const double minDepth = SettingNumber(MinDepthTypedEdit);
    BatchSettingsToDesignForm(settings);
    const GridUpdateLock lock(*DataGrid1);
    double lu = batchRows.front().Zu - minDepth;
    for (std::size_t i = 0; i < batchRows.size(); ++i) {
        BatchRowToDesignForm(batchRows[i], settings);
        SewerMainForm->CalcSewerButtonClick(this);
        // The next sewer starts at this one's downstream invert, as the table shows it.
        lu = StrToFloat(WriteBatchResults(static_cast<int>(i) + 1, batchRows[i], lu));
    }
    FitBatchColumns();
}

void TTableForm::FitBatchColumns() {
    for (const int column : BatchPairColumns()) {
        if (DataGrid1->IsHiddenColumn(column))
            continue;
        // The texts of a column differ little but in length: the longest is the widest.
        int longest = 1;
        for (int row = 2; row <= static_cast<int>(batchRows.size()); ++row)
            if (DataGrid1->GetCellEx(column, row).Length() > DataGrid1->GetCellEx(column, longest).Length())
                longest = row;
        const int display = DataGrid1->DisplColIndex(column);
        const int width = DataGrid1->GetCellTextSize(column, longest).x + CellPadding;
        if (width > DataGrid1->GetColWidths(display))
            DataGrid1->SetColWidths(display, width);
    }
}

AnsiString TTableForm::WriteBatchResults(int row, const BatchRow& sewer, double lu) {
    const SewerDesignResult& design = SewerMainForm->Design;
    const auto cell = [this, row](int column, const AnsiString& text) {
        DataGrid1->SetCellEx(column, row, text);
    };
    const double fall = sewer.Length * design.DesignGradient;
    const double ld = lu - fall;
    const AnsiString ldText = F3(ld);
    // Flows in l/s.
    cell(BatchSewageFlowColumn, F2((design.FinalRawFlow - design.InitialInfiltrationFlow) * 1000));
    cell(BatchSupplementaryFlowColumn, F2(design.InitialInfiltrationFlow * 1000));
    cell(BatchDesignFlowColumn,
         WithUnlimited(F1(design.FinalDesignFlow * 1000), F2(design.FinalRawFlow * 1000)));
    cell(BatchFallColumn, F3(fall));
    cell(USInvertColumn, F3(lu));
    cell(DSInvertColumn, ldText);
    // Depths to the invert, without the pipe.
    cell(USDepthColumn, F3(sewer.Zu - lu));
    cell(DSDepthColumn, F3(sewer.Zd - ld));
    cell(GradientColumn, WithUnlimited(F3(design.DesignGradient), F3(design.DesignFlowGradient)));
    cell(DiameterColumn, WithUnlimited(F3(design.ChosenPipeDiameter), F3(design.DesignDiameter)));
    cell(InitialdDColumn, F3(design.InitialdD));
    cell(FinaldDColumn, F3(design.FinaldD));
    cell(InitialVelocityColumn, F3(design.InitialVelocity));
    cell(FinalVelocityColumn, F3(design.FinalVelocity));
    return ldText;
}

void TTableForm::Button2Click(TObject*) {
    if (SettingsToDesignForm(DataGrid1->GetRow()) != 0)
        return;
    SewerMainForm->CalcSewerButtonClick(this);
    // Docked as the main window docks it: shown on its own, it would stay over the next docked window.
    if (ShowDocked)
        ShowDocked(SewerMainForm);
}

std::unique_ptr<SimpleSewerNetwork> TTableForm::BatchToNetwork() const {
    // Only the boxes the network is made from, each read before anything is made.
    const int friction = FrictionFormulaRadioGroup->GetItemIndex();
    const double n = SettingNumber(nTypedEdit);
    const bool tauSizing = CalcTypeRadioGroup->GetItemIndex() == 1;
    const bool diameterLimit = DiameterLimitCheckBox->GetChecked();
    const double minD = diameterLimit ? SettingNumber(MinDTypedEdit) : 0;
    const bool groundSlopeLimit = GroundSlopeCheckBox->GetChecked();
    const int initialPeople = StrToInt(InitialPeopleTypedEdit->GetText());
    const int finalPeople = StrToInt(FinalPeopleTypedEdit->GetText());
    const double initialLCD = SettingNumber(InitialLCDTypedEdit);
    const double finalLCD = SettingNumber(FinalLCDTypedEdit);
    if (const AnsiString refusal = NameRefusal(batchRows); !refusal.IsEmpty()) {
        ShowRefusal(refusal);
        return nullptr;
    }
    auto network = std::make_unique<SimpleSewerNetwork>();
    network->ReturnFactor = 0.85;
    network->PeakFlowFactor = 1.8;
    network->FrictionFormula = friction;
    network->ManningN = n;
    network->UseMinimumTauCalc = tauSizing;
    if (tauSizing)
        network->MinimumTau = 1.0;
    else
        network->MinimumSelfCleaningVel = 0.5;
    network->MinimumSewerCover = 0.4;
    network->UseDiameterLimiting = diameterLimit;
    if (diameterLimit)
        network->MinimumDiameter = minD * 0.001;
    network->UseDischargeLimiting = true;
    network->MinimumDischarge = 0.0015;
    network->UseGroundSlopeLimiting = groundSlopeLimit;
    for (const BatchRow& row : batchRows) {
        network->AddSewer(row.Name, row.USJunction, row.DSJunction, row.Length);
        // A network sewer's supplementary flow is per metre of its length.
        const double infiltration = row.SupplementaryFlow / row.Length;
        network->SetSewerHouses(row.Name, infiltration, infiltration, row.Houses, row.Houses, initialPeople,
                                finalPeople, initialLCD, finalLCD);
    }
    network->ClearDesignedFlags();
    if (network->BuildConnections() != 0) {
        ShowMessage(LoadStr(3057));
        return nullptr;
    }
    return network;
}

void TTableForm::Button9Click(TObject*) {
    if (NoBatchData())
        return;
    std::unique_ptr<SimpleSewerNetwork> network = BatchToNetwork();
    if (!network || !TakeNetwork || !TakeNetwork(std::move(network)))
        return;
    // The data gives no datum, so the design stops at the levels and says so.
    if (Network()->DesignNetwork() != 0)
        ShowMessage(LoadStr(3058));
}
