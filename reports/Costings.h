#pragma once

#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/Chart.h"
#include "framework/CommonDialogs.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "grid/Datagrid.h"

#include <optional>
#include <span>
#include <vector>

class SimpleSewerNetwork;

// The costings window, docked in the main window. A cost matrix read from a rates file holds unit
// costs and usage rates of resources; the take-off turns the designed network (read from the
// results table) into trench and junction-box quantities, which the matrix prices into costs per
// resource and activity, a bill of quantities and a bar chart.
//
// Where things stand in the matrix: CostingsMatrix.h.
class TCostingsForm : public TForm {
public:
    explicit TCostingsForm(TComponent* Owner);

    // The matrix and the grids through which the user edits it (Costings.cpp).

    // Loads the rates file beside the program; when that fails, says so and changes nothing.
    void LoadDefaultCostingRates();
    void LoadCSVButtonClick(TObject* Sender);
    // Whether a matrix has been loaded, from the rates file or the user's, since start-up.
    bool MatrixLoaded() const { return matrixLoaded; }
    void FillUnitResourceGrid();
    void FillUsageRateGrids();
    // Raises, naming the cell, when the edited unit costs and usage rates would stop the pricing,
    // the bill or the chart; the matrix then stays as it was.
    void CheckEditedMatrix() const;
    // The edited unit costs and usage rates back into the matrix.
    void StoreUnitCosts();
    void StoreUsageRates();
    // Tabs 2-5 design, take off and price the network again; 4 and 5 also build the bill or the
    // chart.
    void CostingsPageControlChange(TObject* Sender);
    // The network was replaced or cleared: nothing of the network before stays to be shown or
    // saved; the take-off grids and the bill keep their headers, the matrix its rates.
    void NetworkReplaced();

    // The take-off (CostingsTakeOff.cpp).

    // Designs the network through the results table and takes it off: true when the take-off grids
    // hold the network, false after a message, the grids then as they were.
    bool CalculateNetworkCosts();
    // The take-off of a filled results grid and the network's junctions.
    void TakeOff(TDataGrid& table, const SimpleSewerNetwork& network);
    // The largest depth of a sewer end at a junction of the last take-off's network, as its results
    // grid gave them; 0 for a junction no sewer uses.
    double JunctionDepth(const AnsiString& name) const;

    // Pricing and the bill (CostingsPricing.cpp).

    void CalculateCostMatrix();
    // The take-off's totals into the quantities row.
    void StoreQuantities();
    void CalculateResourceCosts();
    void BuildBillColumns();
    void BuildBillOfQuantities();
    // Empties the matrix cells the last pricing wrote from the network's quantities.
    void ForgetPricing();
    // Empties the costs and bill figures the last pricing wrote into one resource row.
    void ForgetRowPricing(int ARow);

    // Chart, colours and exports (CostingsChart.cpp).

    // Eleven bars: the total cost of chosen resource rows.
    void RefillChart();
    void CostingsMatrixDataGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                            TBrush* ABrush, TFont* AFont);
    void NetworkCostPipeDataGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                             TBrush* ABrush, TFont* AFont);
    void NetworkCostJunctionDataGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                                 TBrush* ABrush, TFont* AFont);
    void SaveCostingMatrixButtonClick(TObject* Sender);
    void SaveBOQButtonClick(TObject* Sender);
    void SaveCostingsChartToWMFButtonClick(TObject* Sender);
    void CopyCostingsChartToClipboardButtonClick(TObject* Sender);

    TPageControl* CostingsPageControl;
    TTabSheet* UnitResourceTabSheet;
    TTabSheet* UsageRatesTabSheet;
    TTabSheet* NetworkCostsTabSheet;
    TTabSheet* CostMatrixTabSheet;
    TTabSheet* BOQTabSheet;
    TTabSheet* ChartTabSheet;

    TPanel* UnitResourceHeadingPanel;
    TLabel* UnitResourceHeadingLabel;
    TLabel* UnitResourceNoteLabel;
    TDataGrid* UnitResDataGrid;
    TPanel* AllowancesPanel;
    TButton* LoadCSVButton;
    TLabel* TrenchWidthAllowanceLabel;
    TTypedEdit* TrenchWidthAllowanceTypedEdit;
    TLabel* BeddingVolumeAllowanceLabel;
    TTypedEdit* BeddingVolumeAllowanceTypedEdit;
    TLabel* ProtectionAllowanceLabel;
    TTypedEdit* ProtectionAllowanceTypedEdit;
    TLabel* JBoxBaseHeightLabel;
    TTypedEdit* JBoxBaseHeightTypedEdit;
    TLabel* JBoxWidthLabel;
    TTypedEdit* JBoxWidthTypedEdit;
    TLabel* JBoxBredthLabel;
    TTypedEdit* JBoxBredthTypedEdit;
    TLabel* JBoxExcavationAllowanceLabel;
    TTypedEdit* JBoxExcavationAllowanceTypedEdit;

    TPanel* UsageRatesHeadingPanel;
    TLabel* UsageRatesHeadingLabel;
    TPageControl* UsageRatesPageControl;
    TTabSheet* UsageRpTabSheet;
    TTabSheet* UsageRjTabSheet;
    TDataGrid* UsageRpDataGrid;
    TDataGrid* UsageRjDataGrid;

    TPanel* NetworkCostsHeadingPanel;
    TLabel* NetworkCostsHeadingLabel;
    TPageControl* NetworkCostsPageControl;
    TTabSheet* NetworkCostPipeTabSheet;
    TTabSheet* NetworkCostJunctionTabSheet;
    TDataGrid* NetworkCostPipeDataGrid;
    TDataGrid* NetworkCostJunctionDataGrid;

    TPanel* CostMatrixHeadingPanel;
    TLabel* CostMatrixHeadingLabel;
    TButton* SaveCostingMatrixButton;
    TDataGrid* CostingsMatrixDataGrid;

    TPanel* BOQHeadingPanel;
    TLabel* BOQHeadingLabel;
    TButton* SaveBOQButton;
    TDataGrid* BOQDataGrid;

    TChart* CostingsChart;
    TBarSeries* Series1;
    TPanel* ChartButtonsPanel;
    TButton* CopyCostingsChartToClipboardButton;
    TButton* SaveCostingsChartToWMFButton;

    TOpenDialog* OpenDialog1;
    TSaveDialog* SaveDialog1;

private:
    // The columns of the take-off grids.
    enum PipeColumn {
        pcSewer,
        pcLength,
        pcDiameter,
        pcUSDepth,
        pcDSDepth,
        pcTrenchWidth,
        pcExcavation,
        pcBedding,
        pcProtected,
        pcProtection,
        pcBackfill,
        pcSpoil,
        PipeColumns
    };
    enum JunctionColumn {
        jcName,
        jcDepthToInvert,
        jcDepth,
        jcLength,
        jcBredth,
        jcBoxVolume,
        jcExcavation,
        jcBase,
        jcStructure,
        jcCover,
        jcBackfill,
        jcSpoil,
        JunctionColumns
    };
    // The columns whose totals the take-off writes, and the pricing reads.
    static constexpr int PipeTotalColumns[] = {pcLength,     pcExcavation, pcBedding,
                                               pcProtection, pcBackfill,   pcSpoil};
    static constexpr int JunctionTotalColumns[] = {jcExcavation, jcBase,     jcStructure,
                                                   jcCover,      jcBackfill, jcSpoil};
    // The pipe grid and its totals, with the deepest sewer end at each junction; then the junction
    // grid and its totals.
    void TakeOffSewers(const TDataGrid& table, const SimpleSewerNetwork& network);
    void TakeOffJunctions(const SimpleSewerNetwork& network);
    // A computed quantity or cost as the grids show it.
    static AnsiString FixedText(double value);
    // A cost the pricing writes on a matrix row; raises for one too large to write as a number.
    AnsiString CostText(double value, int ARow) const;

    // The layout (CostingsLayout.cpp).
    void BuildUnitResourcePage();
    void BuildUsageRatesPage();
    void BuildNetworkCostsPage();
    void BuildCostMatrixPage();
    void BuildBOQPage();
    void BuildChartPage();

    // Reads a matrix file into a grid of its own and, once all of it is read, makes it the matrix.
    void LoadCostMatrix(const AnsiString& FileName);
    // The matrix made at least as large as pricing addresses.
    void EnlargeMatrix();
    // A matrix cell's text; empty beyond the matrix.
    AnsiString MatrixCell(int ACol, int ARow) const;
    // A number of the matrix.
    double MatrixNumber(int ACol, int ARow) const;
    // The text the unit-cost or usage-rate grids hold for a matrix cell that they give back to the
    // matrix; none for another cell.
    std::optional<AnsiString> EditedText(int ACol, int ARow) const;
    // Whether storing the edits takes back the pricing of a resource row: its unit cost emptied
    // since it was priced.
    bool LosesPricing(int ARow) const;
    // A matrix cell's text once the edits are stored.
    AnsiString StoredText(int ACol, int ARow) const;
    // A total of a take-off grid's totals row, in one of the columns, yellow with bold red text.
    void MarkTotal(const TDataGrid& grid, std::span<const int> columns, int ARow, int ACol, TBrush* ABrush,
                   TFont* AFont) const;
    // Writes the bill of every resource row into grid from column first on (description, unit,
    // quantity, rate, amount), and the total amount into the totals row.
    void WriteBill(TDataGrid& grid, int first);
    // Asks for the file a save command writes, offering the command's last one and its filter;
    // on OK lastName holds the chosen file.
    bool AskSaveName(AnsiString& lastName, int filterIndex);

    // The take-off's reading of the results grid, and the allowances at its run, in metres.
    int SewerColumn = 0;
    int LengthColumn = 0;
    int USJunctionColumn = 0;
    int DSJunctionColumn = 0;
    int ChosenDiameterColumn = 0;
    int USDepthColumn = 0;
    int DSDepthColumn = 0;
    double TrenchWidthAllowance = 0;
    double BeddingVolumeAllowance = 0;
    double ProtectionAllowance = 0;
    double JBoxBaseHeight = 0;
    double JBoxWidth = 0;
    double JBoxBredth = 0;
    double JBoxExcavationAllowance = 0;
    // The largest sewer-end depth at each junction of the last take-off, by the junction's place in
    // the network's list.
    std::vector<double> deepestEnds;
    bool matrixLoaded = false;
    // The matrix holds a pricing of the network's quantities.
    bool priced = false;
    // Each save command offers the file it last wrote, never another command's.
    AnsiString matrixFileName;
    AnsiString billFileName;
    AnsiString chartFileName;
    // The take-off grids' last rows are totals, coloured, once a take-off has written them.
    bool takenOff = false;
};

extern TCostingsForm* CostingsForm;

// The rates file the program reads from its own folder.
constexpr const char* DefaultCostingRatesFile = "default-costing-rates.csv";
