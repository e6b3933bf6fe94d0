#pragma once

#include "controls/ShownNumber.h"
#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/CommonDialogs.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"
#include "grid/Datagrid.h"
#include "grid/Dgprev.h"
#include "grid/DgprevSettings.h"
#include "reports/BatchData.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class Sewer;
class SimpleSewerNetwork;

// The results table, docked in the main window: the network's design settings, and a grid of
// one row of 26 results per sewer that every update designs the whole network into. The network
// editors read its water use per person and persons per house when they apply a population.
class TTableForm : public TForm {
public:
    explicit TTableForm(TComponent* Owner);

    // The boxes into the main window's network: all of them, or none when a box holds no number
    // (the conversion error is raised). A box still holding the text it last showed for the
    // network's present value, given or taken, leaves that value, which the box may show rounded;
    // a setting that changes raises OnSettingsChange.
    void SettingsToNetwork();
    // The main window's network's settings into the boxes.
    void SettingsFromNetwork();
    // A setting the user changed since the network last took the settings or gave them: all of
    // them into the network, as SettingsToNetwork puts them. Saves call it, so that the file
    // holds what the window shows.
    void EditedSettingsToNetwork();
    // The water use per person InitialLCDTypedEdit or FinalLCDTypedEdit stands for, as
    // SettingsToNetwork takes it: the network's own while the box shows what it was shown.
    double WaterUse(const TTypedEdit* box) const;
    void UpdateTableFromNetworkButtonClick(TObject* Sender);
    // Designs the main window's network and fills the table with it: true when the table shows
    // the designed network, false after a message, the grid then showing what it showed before.
    bool UpdateTableFromNetwork();
    // One row per sewer of the network, in list order, below the header row; 0.
    int FillTableFromNetwork();
    // The main window's network was replaced: the rows were another network's, so only the
    // header row stays, as after an update of a network without sewers; the settings shown stand
    // as edited for it.
    void NetworkReplaced();
    // The columns the chooser's checks show, the others hidden.
    void ApplyColumnVisibility();
    void SaveToCSVButtonClick(TObject* Sender);
    void AppendToCSVButtonClick(TObject* Sender);
    // The print setup window, showing the print settings in effect with the network's title in
    // its title box.
    void PrintLayoutButtonClick(TObject* Sender);
    // The printed pages of the table, one at a time.
    void PrintPreviewButtonClick(TObject* Sender);

    // The batch mode: sewers of a data file, designed through the calculator as one chain.
    // "Load data", "Calculate", "Show calc form", "Load QELTA e.g." and "Load in to Network".
    void Button1Click(TObject* Sender);
    void CalcAllButtonClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button7Click(TObject* Sender);
    void Button9Click(TObject* Sender);
    // The settings and the sewer of the grid's row into the calculator's boxes: 0, or 1 after a
    // message when no data is loaded.
    int SettingsToDesignForm(int row);
    // The file checked whole, then shown from the grid's row 0 with its sewers kept for the
    // batch: true; or false after a message, the grid and the kept sewers as they were.
    bool LoadBatchData(const AnsiString& FileName);

    TPanel* Panel1;
    TLabel* InitialLCDLabel;
    TTypedEdit* InitialLCDTypedEdit;
    TLabel* FinalLCDLabel;
    TTypedEdit* FinalLCDTypedEdit;
    TLabel* InitialPeopleLabel;
    TTypedEdit* InitialPeopleTypedEdit;
    TLabel* FinalPeopleLabel;
    TTypedEdit* FinalPeopleTypedEdit;
    TLabel* returnLabel;
    TTypedEdit* returnTypedEdit;
    TLabel* peakLabel;
    TTypedEdit* peakTypedEdit;
    TLabel* vscLabel;
    TTypedEdit* vscTypedEdit;
    TLabel* tauLabel;
    TTypedEdit* tauTypedEdit;
    TLabel* nLabel;
    TTypedEdit* nTypedEdit;
    TLabel* MinDepthLabel;
    TTypedEdit* MinDepthTypedEdit;
    TCheckBox* FlowLimitCheckBox;
    TTypedEdit* MinQTypedEdit;
    TCheckBox* DiameterLimitCheckBox;
    TTypedEdit* MinDTypedEdit;
    TCheckBox* GroundSlopeCheckBox;
    TRadioGroup* CalcTypeRadioGroup;
    TRadioGroup* FrictionFormulaRadioGroup;
    TPanel* Panel2;
    TButton* SaveToCSVButton;
    TButton* AppendToCSVButton;
    TButton* PrintLayoutButton;
    TButton* PrintPreviewButton;
    TButton* UpdateTableFromNetworkButton;
    // The batch mode's, never shown.
    TButton* Button1;
    TButton* CalcAllButton;
    TButton* Button2;
    TButton* Button7;
    TButton* Button9;
    TDataGrid* DataGrid1;
    TSaveDialog* SaveDialog1;
    TOpenDialog* OpenDialog1;
    TGridPreviewDialog* GridPreviewDialog1;
    // Built with the window; nothing in the program runs it.
    TDataGridPrintSettingsDialog* DataGridPrintSettingsDialog1;

    // A design setting changed, in the network or typed in the window: an edit not yet saved.
    TNotifyEvent OnSettingsChange;
    // The open network (null while there is none), which the main window hands down: the reports
    // sit below it.
    std::function<SimpleSewerNetwork*()> NetworkSource;
    SimpleSewerNetwork* Network() const { return NetworkSource ? NetworkSource() : nullptr; }
    // The network's title as the network editor shows it, for the title line of the print.
    std::function<AnsiString()> TitleSource;
    AnsiString Title() const { return TitleSource ? TitleSource() : AnsiString(); }
    // The main window takes a network made from the batch data, after offering to save its own:
    // false when it kept its own.
    std::function<bool(std::unique_ptr<SimpleSewerNetwork>)> TakeNetwork;
    // The main window docks a working window.
    std::function<void(TForm*)> ShowDocked;

    // The grid column of each result; other windows read the grid through them.
    const int SewerColumn = 0;
    const int LengthColumn = 1;
    const int InitialUSFlowColumn = 2;
    const int InitialInfiltrationColumn = 3;
    const int InitialFlowColumn = 4;
    const int InitialTotalFlowColumn = 5;
    const int FinalUSFlowColumn = 6;
    const int FinalInfiltrationColumn = 7;
    const int FinalFlowColumn = 8;
    const int FinalTotalFlowColumn = 9;
    const int USJunctionColumn = 10;
    const int DSJunctionColumn = 11;
    const int USGroundLevelColumn = 12;
    const int DSGroundLevelColumn = 13;
    const int GroundSlopeColumn = 14;
    const int USInvertColumn = 15;
    const int DSInvertColumn = 16;
    const int GradientColumn = 17;
    const int DiameterColumn = 18;
    const int ChosenDiameterColumn = 19;
    const int InitialdDColumn = 20;
    const int FinaldDColumn = 21;
    const int InitialVelocityColumn = 22;
    const int FinalVelocityColumn = 23;
    const int USDepthColumn = 24;
    const int DSDepthColumn = 25;
    // The batch data's own columns.
    const int BatchHousesColumn = BatchColumns::Houses;
    const int BatchSewageFlowColumn = 3;
    const int BatchSupplementaryFlowColumn = BatchColumns::SupplementaryFlow;
    const int BatchDesignFlowColumn = 5;
    // Beside the ground levels it is worked out from, where the results show the ground slope.
    const int BatchFallColumn = 14;

private:
    // A network setting held in a box, which shows it multiplied by ToBox, in whole numbers or
    // to the box's decimals.
    struct NumberSetting {
        TTypedEdit* Box;
        double SimpleSewerNetwork::*Field;
        double ToBox;
        double FromBox;
        bool Whole;
    };
    static constexpr std::size_t NumberSettingCount = 10;
    static constexpr int ResultColumns = 26;

    void LoadCaptions();
    // A setting the user typed counts once its box is left showing other than the network's
    // value; a check box or choice once it differs from the network's.
    void SettingTyped(TObject* Sender);
    void SettingBoxExit(TObject* Sender);
    void ChoiceClick(TObject* Sender);
    void SettingEdited();
    std::array<NumberSetting, NumberSettingCount> NumberSettings() const;
    // The value the setting's box stands for in the network's units.
    static double SettingValue(const NumberSetting& setting, const ShownNumber& shown,
                               const SimpleSewerNetwork& network);
    // The sewer's results into the row, one text a column.
    void FillRow(int row, Sewer& s, const SimpleSewerNetwork& network);
    // Asks for a file and writes the table to it, or at its end.
    void SaveTable(bool append);

    // The batch's settings, every box read before any row is designed.
    struct BatchSettings {
        double InitialPeople, FinalPeople, InitialLCD, FinalLCD, Return, Peak, Vsc, Tau, N, MinQ, MinD;
        int Friction, Sizing;
        bool FlowLimit, DiameterLimit, GroundSlopeLimit;
    };
    BatchSettings ReadBatchSettings() const;
    static void BatchSettingsToDesignForm(const BatchSettings& settings);
    static void BatchRowToDesignForm(const BatchRow& row, const BatchSettings& settings);
    // Tells that no data is loaded, when none is: true then.
    bool NoBatchData() const;
    // The calculator's results for the sewer of grid row row, which starts at invert level lu:
    // the downstream invert level as written.
    AnsiString WriteBatchResults(int row, const BatchRow& sewer, double lu);
    // A network of the kept sewers, or null after a message.
    std::unique_ptr<SimpleSewerNetwork> BatchToNetwork() const;
    // The grid's columns made count in all, the chooser's hidden ones among them.
    void SetRealColCount(int count);
    // The results' headers and columns back in place of the batch data, and the kept sewers gone.
    void LeaveBatchData();
    // The columns of a result beside the same result unlimited, which the layout's width cuts.
    std::array<int, 3> BatchPairColumns() const {
        return {BatchDesignFlowColumn, GradientColumn, DiameterColumn};
    }
    // Those columns widened to their texts.
    void FitBatchColumns();

    // In the order of NumberSettings; empty texts until a network's settings are shown or taken.
    std::array<ShownNumber, NumberSettingCount> shownSettings{};
    // SettingsFromNetwork is filling the settings, which is no edit.
    bool showingSettings = false;
    // A setting's box was typed in since it was last left.
    bool settingTyped = false;
    // A setting was changed since the network last took the settings or gave them.
    bool settingsEdited = false;
    // The sewers of the last batch load, while its data fills the grid.
    std::vector<BatchRow> batchRows;
    bool batchDataShown = false;
};

extern TTableForm* TableForm;
