#include "reports/Costings.h"

#include "controls/EditedBox.h"
#include "network/WindowLayout.h"

namespace {

// The chart is saved as an SVG picture, the program's metafile.
const AnsiString CostFilesFilter =
    "Costings Matrix (*.csv)|*.csv|Metafiles (*.svg)|*.svg|All files (*.*)|*.*";

TTabSheet* NewPage(TComponent* owner, TPageControl* pages, const AnsiString& caption) {
    auto* page = new TTabSheet(owner);
    page->SetPageControl(pages);
    page->SetCaption(caption);
    return page;
}

TPanel* NewPanel(TComponent* owner, TWinControl* parent, TAlign align, int height) {
    auto* panel = new TPanel(owner);
    panel->SetParent(parent);
    panel->SetBounds(0, 0, 200, height);
    panel->SetAlign(align);
    panel->SetBevelOuter(bvNone);
    return panel;
}

// The heading of a page, large and bold at the top of its panel.
TLabel* NewHeading(TComponent* owner, TPanel* panel, const AnsiString& caption, TColor color = clWindowText) {
    TLabel* label = NewLabel(owner, panel, 8, 6);
    label->Font.SetSize(12);
    label->Font.SetStyle(fsBold);
    label->Font.SetColor(color);
    label->SetCaption(caption);
    return label;
}

TButton* NewButton(TComponent* owner, TWinControl* parent, int left, int top, int width,
                   const AnsiString& caption) {
    auto* button = new TButton(owner);
    button->SetParent(parent);
    button->SetBounds(left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

TDataGrid* NewGrid(TComponent* owner, TWinControl* parent, int columns, int rows, int fixedRows,
                   int fixedCols, bool editable) {
    auto* grid = new TDataGrid(owner);
    grid->SetParent(parent);
    grid->SetAlign(alClient);
    grid->SetColCount(columns);
    grid->SetRowCount(rows);
    grid->SetFixedRows(fixedRows);
    grid->SetFixedCols(fixedCols);
    grid->SetOptions(grid->GetOptions() | goColSizing | (editable ? goEditing : 0u));
    // Typed costs and rates go in one after another down their column: Enter moves on to the
    // cell below.
    grid->Navigation->AdvanceOnEnter = editable;
    grid->Navigation->AdvanceDirection = adTopBottom;
    return grid;
}

// Two pages on the left, "Pipes" and "Junction Boxes", filling the rest of parent.
TPageControl* NewPipesAndBoxes(TComponent* owner, TWinControl* parent, TTabSheet*& pipes, TTabSheet*& boxes) {
    auto* pages = new TPageControl(owner);
    pages->SetParent(parent);
    pages->SetAlign(alClient);
    pages->SetTabPosition(tpLeft);
    pipes = NewPage(owner, pages, "Pipes");
    boxes = NewPage(owner, pages, "Junction Boxes");
    return pages;
}

void SetHeaders(TDataGrid* grid, std::initializer_list<const char*> texts) {
    TStringList headers;
    for (const char* text : texts)
        headers.Add(text);
    grid->SetColumnHeaders(headers);
}

} // namespace

TCostingsForm* CostingsForm = nullptr;

TCostingsForm::TCostingsForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 870, 560);
    SetCaption("Drenvala Costings");
    CostingsPageControl = new TPageControl(this);
    CostingsPageControl->SetParent(this);
    CostingsPageControl->SetAlign(alClient);
    CostingsPageControl->SetTabPosition(tpBottom);
    CostingsPageControl->SetTabWidth(120);
    CostingsPageControl->OnChange = [this](TObject* sender) { CostingsPageControlChange(sender); };
    UnitResourceTabSheet = NewPage(this, CostingsPageControl, "Uint resource costs");
    UsageRatesTabSheet = NewPage(this, CostingsPageControl, "Usage Rates");
    NetworkCostsTabSheet = NewPage(this, CostingsPageControl, "Network Costs");
    CostMatrixTabSheet = NewPage(this, CostingsPageControl, "Complete Cost Matrix");
    BOQTabSheet = NewPage(this, CostingsPageControl, "Bill of Quantities");
    ChartTabSheet = NewPage(this, CostingsPageControl, "Chart");
    BuildUnitResourcePage();
    BuildUsageRatesPage();
    BuildNetworkCostsPage();
    BuildCostMatrixPage();
    BuildBOQPage();
    BuildChartPage();

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->Filter = CostFilesFilter;
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->Filter = CostFilesFilter;
    SaveDialog1->Options |= ofOverwritePrompt;
    CostingsMatrixDataGrid->Delimiter = ',';
    CommandsLeaveEditedBoxFirst(*this, [this] { return ::LeaveEditedBox(*this); });
    EndLayout();
}

void TCostingsForm::BuildUnitResourcePage() {
    UnitResourceHeadingPanel = NewPanel(this, UnitResourceTabSheet, alTop, 64);
    UnitResourceHeadingLabel = NewHeading(this, UnitResourceHeadingPanel, "Unit Resource Costs", clMaroon);
    UnitResourceNoteLabel = NewLabel(this, UnitResourceHeadingPanel, 8, 30);
    UnitResourceNoteLabel->SetWordWrap(true);
    UnitResourceNoteLabel->SetAutoSize(false);
    UnitResourceNoteLabel->SetBounds(8, 30, 760, 30);
    // "&&" shows as one "&".
    UnitResourceNoteLabel->SetCaption("A comprehensive list of the resources required (materials, labour && "
                                      "plant) to carry out all the activities and tasks to develop the "
                                      "sanitation scheme");

    AllowancesPanel = NewPanel(this, UnitResourceTabSheet, alBottom, 116);
    LoadCSVButton = NewButton(this, AllowancesPanel, 8, 8, 169, "Load Cost Matrix (CSV)");
    LoadCSVButton->OnClick = [this](TObject* sender) { LoadCSVButtonClick(sender); };
    // Trench allowances in one column, junction-box sizes in the next, each box right of its label.
    const auto allowance = [this](int left, int row, TLabel*& label, const AnsiString& caption,
                                  const AnsiString& text) {
        const int top = 8 + row * 26;
        label = NewLabel(this, AllowancesPanel, left, top + 3);
        label->SetCaption(caption);
        TTypedEdit* edit = NewTypedEdit(this, AllowancesPanel, left + 186, top, etFloat, 1, text);
        edit->SetWidth(57);
        return edit;
    };
    TrenchWidthAllowanceTypedEdit =
        allowance(200, 0, TrenchWidthAllowanceLabel, "Trench width allowance (m)", "0.6");
    BeddingVolumeAllowanceTypedEdit =
        allowance(200, 1, BeddingVolumeAllowanceLabel, "Bedding Volume allowance (m)", "0.1");
    ProtectionAllowanceTypedEdit =
        allowance(200, 2, ProtectionAllowanceLabel, "Protection allowance (m)", "0.3");
    JBoxBaseHeightTypedEdit = allowance(470, 0, JBoxBaseHeightLabel, "Junction box base height (m)", "0.1");
    JBoxWidthTypedEdit = allowance(470, 1, JBoxWidthLabel, "Junction box width (m)", "0.6");
    JBoxBredthTypedEdit = allowance(470, 2, JBoxBredthLabel, "Junction box bredth (m)", "0.6");
    JBoxExcavationAllowanceTypedEdit =
        allowance(470, 3, JBoxExcavationAllowanceLabel, "Excavation allowance (m)", "0.3");

    UnitResDataGrid = NewGrid(this, UnitResourceTabSheet, 5, 39, 1, 0, true);
}

void TCostingsForm::BuildUsageRatesPage() {
    UsageRatesHeadingPanel = NewPanel(this, UsageRatesTabSheet, alTop, 36);
    UsageRatesHeadingLabel =
        NewHeading(this, UsageRatesHeadingPanel, "Usage Rates for Pipe Laying and Junction Box Constrcution");
    UsageRatesPageControl = NewPipesAndBoxes(this, UsageRatesTabSheet, UsageRpTabSheet, UsageRjTabSheet);
    UsageRpDataGrid = NewGrid(this, UsageRpTabSheet, 7, 39, 4, 0, true);
    UsageRjDataGrid = NewGrid(this, UsageRjTabSheet, 7, 39, 4, 0, true);
    for (TDataGrid* grid : {UsageRpDataGrid, UsageRjDataGrid}) {
        grid->SetDefaultColWidth(100);
        grid->SetColWidths(0, 150);
    }
}

void TCostingsForm::BuildNetworkCostsPage() {
    NetworkCostsHeadingPanel = NewPanel(this, NetworkCostsTabSheet, alTop, 36);
    NetworkCostsHeadingLabel = NewHeading(this, NetworkCostsHeadingPanel, "Network Costs (take off)");
    NetworkCostsPageControl =
        NewPipesAndBoxes(this, NetworkCostsTabSheet, NetworkCostPipeTabSheet, NetworkCostJunctionTabSheet);
    NetworkCostPipeDataGrid = NewGrid(this, NetworkCostPipeTabSheet, 12, 2, 1, 1, true);
    NetworkCostJunctionDataGrid = NewGrid(this, NetworkCostJunctionTabSheet, 12, 2, 1, 1, true);
    SetHeaders(NetworkCostJunctionDataGrid,
               {"Junction Name", "Depth to invert (m)", "Depth (m)", "Length (m)", "Bredth (m)",
                "Volume of box (m³)", "Volume of Excavation (m³)", "Base volume (m³)", "Structure area (m²)",
                "Cover area (m²)", "Backfill (m³)", "Spoil (m³)"});
    // The headers are long: they wrap in a taller header row.
    for (TDataGrid* grid : {NetworkCostPipeDataGrid, NetworkCostJunctionDataGrid}) {
        grid->SetWordWrap(true);
        grid->SetDefaultColWidth(80);
        grid->SetRowHeights(0, 36);
    }
    // Its longest header takes two lines only at this width.
    NetworkCostJunctionDataGrid->SetColWidths(jcExcavation, 104);
    NetworkCostPipeDataGrid->OnGetCellColor = [this](TObject* sender, int row, int col, TGridDrawState state,
                                                     TBrush* brush, TFont* font) {
        NetworkCostPipeDataGridGetCellColor(sender, row, col, state, brush, font);
    };
    NetworkCostJunctionDataGrid->OnGetCellColor = [this](TObject* sender, int row, int col,
                                                         TGridDrawState state, TBrush* brush, TFont* font) {
        NetworkCostJunctionDataGridGetCellColor(sender, row, col, state, brush, font);
    };
}

void TCostingsForm::BuildCostMatrixPage() {
    CostMatrixHeadingPanel = NewPanel(this, CostMatrixTabSheet, alTop, 36);
    CostMatrixHeadingLabel = NewHeading(this, CostMatrixHeadingPanel, "Full Costings Matrix");
    SaveCostingMatrixButton = NewButton(this, CostMatrixHeadingPanel, 300, 6, 100, "Save to CSV");
    SaveCostingMatrixButton->OnClick = [this](TObject* sender) { SaveCostingMatrixButtonClick(sender); };
    CostingsMatrixDataGrid = NewGrid(this, CostMatrixTabSheet, 40, 167, 1, 0, false);
    CostingsMatrixDataGrid->SetDefaultColWidth(80);
    CostingsMatrixDataGrid->OnGetCellColor = [this](TObject* sender, int row, int col, TGridDrawState state,
                                                    TBrush* brush, TFont* font) {
        CostingsMatrixDataGridGetCellColor(sender, row, col, state, brush, font);
    };
}

void TCostingsForm::BuildBOQPage() {
    BOQHeadingPanel = NewPanel(this, BOQTabSheet, alTop, 36);
    BOQHeadingLabel = NewHeading(this, BOQHeadingPanel, "Bill of Quantites");
    SaveBOQButton = NewButton(this, BOQHeadingPanel, 300, 6, 100, "Save to CSV");
    SaveBOQButton->OnClick = [this](TObject* sender) { SaveBOQButtonClick(sender); };
    BOQDataGrid = NewGrid(this, BOQTabSheet, 5, 5, 1, 0, false);
    SetHeaders(BOQDataGrid, {"Description", "Unit", "Quantity", "Rate", "Amount"});
    BOQDataGrid->SetDefaultColWidth(100);
    BOQDataGrid->SetColWidths(0, 200);
}

void TCostingsForm::BuildChartPage() {
    ChartButtonsPanel = NewPanel(this, ChartTabSheet, alBottom, 41);
    CopyCostingsChartToClipboardButton =
        NewButton(this, ChartButtonsPanel, 8, 8, 161, "Copy Chart to Clipboard");
    CopyCostingsChartToClipboardButton->OnClick = [this](TObject* sender) {
        CopyCostingsChartToClipboardButtonClick(sender);
    };
    SaveCostingsChartToWMFButton = NewButton(this, ChartButtonsPanel, 176, 8, 161, "Save Chart to WMF");
    SaveCostingsChartToWMFButton->OnClick = [this](TObject* sender) {
        SaveCostingsChartToWMFButtonClick(sender);
    };

    CostingsChart = new TChart(this);
    CostingsChart->SetParent(ChartTabSheet);
    CostingsChart->SetAlign(alClient);
    CostingsChart->Title.Text = "Drenvala network cost components";
    CostingsChart->Title.Font.SetName("Arial");
    CostingsChart->Title.Font.SetStyle(fsBold);
    CostingsChart->Title.Font.SetColor(clBlue);
    CostingsChart->BottomAxis.Title.Text = "Resources";
    CostingsChart->LeftAxis.Title.Text = "Total Resource Cost";
    for (TChartAxis* axis : {&CostingsChart->BottomAxis, &CostingsChart->LeftAxis}) {
        axis->Title.Font.SetName("Arial");
        axis->Title.Font.SetStyle(fsBold);
        axis->Title.Font.SetColor(clBlack);
    }
    CostingsChart->Legend.TextStyle = ltsRightValue;

    Series1 = new TBarSeries(this);
    Series1->Title = "TotalCost";
    Series1->SeriesColor = clRed;
    Series1->ColorEachPoint = true;
    Series1->Marks.Visible = true;
    Series1->Marks.Style = smsValue;
    Series1->Marks.ArrowLength = 20;
    CostingsChart->AddSeries(Series1);
}
