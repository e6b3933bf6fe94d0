#include "network/Sewermainform.h"

#include "resources/StringTable.h"

namespace {

constexpr int RowHeight = 26;
constexpr int EditHeight = 21;

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, 32, 13);
    return label;
}

// An unsigned, left-aligned box; its type before its decimals before its text.
TTypedEdit* NewTypedEdit(TComponent* owner, TWinControl* parent, int left, int top, TTypedEditType type,
                         std::int16_t precision, const AnsiString& text) {
    auto* edit = new TTypedEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(left, top, 90, EditHeight);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetText(text);
    edit->TabStop = true;
    return edit;
}

TEdit* NewResultEdit(TComponent* owner, TWinControl* parent, int left, int top, int width) {
    auto* edit = new TEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, EditHeight);
    edit->SetReadOnly(true);
    return edit;
}

// A label whose text each design run rewrites: a fixed size spares it the text measuring.
TLabel* NewResultLabel(TComponent* owner, TWinControl* parent, int left, int top) {
    TLabel* label = NewLabel(owner, parent, left, top);
    label->SetAutoSize(false);
    label->SetWidth(190);
    label->SetVisible(false);
    return label;
}

TPanel* NewPanel(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* panel = new TPanel(owner);
    panel->SetParent(parent);
    panel->SetBounds(left, top, width, height);
    return panel;
}

TCheckBox* NewLimitCheckBox(TComponent* owner, TWinControl* parent, int top) {
    auto* box = new TCheckBox(owner);
    box->SetParent(parent);
    box->SetBounds(8, top, 210, 17);
    box->SetAlignment(taLeftJustify);
    box->SetChecked(true);
    return box;
}

} // namespace

void TSewerMainForm::CreateLayout() {
    SetBounds(0, 0, 770, 540);

    DesignFactorsPanel = NewPanel(this, this, 8, 8, 366, 524);
    TWinControl* factors = DesignFactorsPanel;
    Label32 = NewLabel(this, factors, 8, 6);
    // Label11 shares the first row with Label33, which names the population box.
    int top = 30;
    Label11 = NewLabel(this, factors, 8, top + 3);
    Label33 = NewLabel(this, factors, 8, top + 3);
    IPopTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "6000");
    top += RowHeight;
    Label30 = NewLabel(this, factors, 8, top + 3);
    InitialLCDTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "100");
    top += RowHeight;
    Label = NewLabel(this, factors, 8, top + 3);
    FPopTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "11000");
    top += RowHeight;
    Label13 = NewLabel(this, factors, 8, top + 3);
    FinalLCDTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "100");
    top += RowHeight;
    Label36 = NewLabel(this, factors, 8, top + 3);
    InitialSuplementaryFlowTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "0");
    top += RowHeight;
    Label35 = NewLabel(this, factors, 8, top + 3);
    FinalSuplementaryFlowTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "0");
    top += RowHeight;
    Label37 = NewLabel(this, factors, 8, top + 3);
    InitialUSFlowTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 1, "0.0");
    top += RowHeight;
    Label38 = NewLabel(this, factors, 8, top + 3);
    FinalUSFlowTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 1, "0.0");
    top += RowHeight;
    Label14 = NewLabel(this, factors, 8, top + 3);
    returnTypedEdit = NewTypedEdit(this, factors, 260, top, etNumeric, 0, "85");
    top += RowHeight;
    Label15 = NewLabel(this, factors, 8, top + 3);
    peakTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 2, "1.80");
    top += RowHeight;
    Label12 = NewLabel(this, factors, 8, top + 3);
    vscTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 2, "0.50");
    top += RowHeight;
    Label16 = NewLabel(this, factors, 8, top + 3);
    tauTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 2, "1.00");
    top += RowHeight;
    Label17 = NewLabel(this, factors, 8, top + 3);
    nTypedEdit = NewTypedEdit(this, factors, 260, top, etFloat, 4, "0.0130");

    FrictionFormulaRadioGroup = new TRadioGroup(this);
    FrictionFormulaRadioGroup->SetParent(factors);
    FrictionFormulaRadioGroup->SetBounds(8, 372, 350, 42);
    FrictionFormulaRadioGroup->SetColumns(3);

    LimitsPanel = NewPanel(this, factors, 8, 420, 350, 98);
    LimitsPanel->SetBevelOuter(bvLowered);
    Label31 = NewLabel(this, LimitsPanel, 8, 4);
    FlowLimitCheckBox = NewLimitCheckBox(this, LimitsPanel, 24);
    MinQTypedEdit = NewTypedEdit(this, LimitsPanel, 252, 22, etFloat, 2, "1.50");
    DiameterLimitCheckBox = NewLimitCheckBox(this, LimitsPanel, 24 + RowHeight);
    MinDTypedEdit = NewTypedEdit(this, LimitsPanel, 252, 22 + RowHeight, etNumeric, 0, "100");
    GroundSlopeCheckBox = NewLimitCheckBox(this, LimitsPanel, 24 + 2 * RowHeight);
    GroundSlopeTypedEdit = NewTypedEdit(this, LimitsPanel, 252, 22 + 2 * RowHeight, etFloat, 4, "0.0000");
    FlowLimitCheckBox->OnClick = [this](TObject* sender) { FlowLimitCheckBoxClick(sender); };
    DiameterLimitCheckBox->OnClick = [this](TObject* sender) { DiameterLimitCheckBoxClick(sender); };
    GroundSlopeCheckBox->OnClick = [this](TObject* sender) { GroundSlopeCheckBoxClick(sender); };

    ColebrookWhiteCheckBox = new TCheckBox(this);
    ColebrookWhiteCheckBox->SetParent(factors);
    ColebrookWhiteCheckBox->SetBounds(8, 350, 120, 17);
    ColebrookWhiteCheckBox->SetVisible(false);

    SolutionPanel = NewPanel(this, this, 382, 8, 380, 524);
    TWinControl* solution = SolutionPanel;
    Label29 = NewLabel(this, solution, 8, 6);
    Label18 = NewLabel(this, solution, 8, 33);
    QinitialEdit = NewResultEdit(this, solution, 110, 30, 80);
    ManningLabel = NewResultLabel(this, solution, 198, 33);
    Label19 = NewLabel(this, solution, 8, 59);
    QfinalEdit = NewResultEdit(this, solution, 110, 56, 80);
    ManningLabel2 = NewResultLabel(this, solution, 198, 59);

    Label25 = NewLabel(this, solution, 8, 88);
    Label20 = NewLabel(this, solution, 8, 111);
    IminVscEdit = NewResultEdit(this, solution, 70, 108, 100);
    Label24 = NewLabel(this, solution, 8, 137);
    GradVscEdit = NewResultEdit(this, solution, 70, 134, 100);
    Label22 = NewLabel(this, solution, 8, 163);
    DVscEdit = NewResultEdit(this, solution, 70, 160, 100);
    MinGradLabel = NewResultLabel(this, solution, 8, 188);

    Label26 = NewLabel(this, solution, 192, 88);
    Label21 = NewLabel(this, solution, 192, 111);
    IminTauEdit = NewResultEdit(this, solution, 254, 108, 100);
    Label27 = NewLabel(this, solution, 192, 137);
    GradTauEdit = NewResultEdit(this, solution, 254, 134, 100);
    Label23 = NewLabel(this, solution, 192, 163);
    DTauEdit = NewResultEdit(this, solution, 254, 160, 100);

    Label34 = NewLabel(this, solution, 8, 220);
    Label34->SetWordWrap(true);
    Label34->SetBounds(8, 220, 170, 30);
    SizingRadioGroup = new TRadioGroup(this);
    SizingRadioGroup->SetParent(solution);
    SizingRadioGroup->SetBounds(186, 208, 186, 44);
    SizingRadioGroup->SetColumns(3);

    PipeCheckPanel = NewPanel(this, solution, 8, 260, 364, 210);
    TWinControl* pipes = PipeCheckPanel;
    Label2 = NewLabel(this, pipes, 8, 6);
    Label3 = NewLabel(this, pipes, 8, 31);
    PipeComboBox = new TComboBox(this);
    PipeComboBox->SetParent(pipes);
    PipeComboBox->SetBounds(130, 28, 80, EditHeight);
    PipeComboBox->Style = csDropDownList;
    PipeComboBox->OnChange = [this](TObject* sender) { PipeComboBoxChange(sender); };
    const auto pipeRow = [&](TLabel*& label, TEdit*& edit, int left, int row) {
        label = NewLabel(this, pipes, left, 63 + row * RowHeight);
        edit = NewResultEdit(this, pipes, left + 122, 60 + row * RowHeight, 52);
    };
    pipeRow(Label4, InitialdDVscEdit, 8, 0);
    pipeRow(Label6, FinaldDVscEdit, 8, 1);
    pipeRow(Label8, InitialVelVscEdit, 8, 2);
    pipeRow(Label9, FinalVelVscEdit, 8, 3);
    pipeRow(Label5, InitialdDTauEdit, 186, 0);
    pipeRow(Label7, FinaldDTauEdit, 186, 1);
    pipeRow(Label10, InitialVelTauEdit, 186, 2);
    pipeRow(Label28, FinalVelTauEdit, 186, 3);

    CalcSewerButton = new TButton(this);
    CalcSewerButton->SetParent(solution);
    CalcSewerButton->SetBounds(8, 482, 200, 30);
    CalcSewerButton->TabOrder = 0;
    CalcSewerButton->OnClick = [this](TObject* sender) { CalcSewerButtonClick(sender); };

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetParent(solution);
    GroupBox1->SetBounds(216, 472, 156, 46);
    GroupBox1->SetVisible(false);
    SectionPropertiesButton = new TButton(this);
    SectionPropertiesButton->SetParent(GroupBox1);
    SectionPropertiesButton->SetBounds(8, 16, 140, 25);
    SectionPropertiesButton->OnClick = [this](TObject* sender) { SectionPropertiesButtonClick(sender); };
}

void TSewerMainForm::LoadCaptions() {
    SetCaption(LoadStr(1100));
    TLabel* const labels[] = {Label11, Label,        Label13,       Label15,      Label12, Label16, Label17,
                              Label18, Label19,      Label20,       Label21,      Label22, Label23, Label24,
                              Label25, Label26,      Label27,       Label2,       Label3,  Label4,  Label5,
                              Label6,  Label7,       Label8,        Label9,       Label10, Label28, Label32,
                              Label29, ManningLabel, ManningLabel2, MinGradLabel, Label30, Label33, Label34,
                              Label35, Label36,      Label37,       Label14,      Label38, Label31};
    int id = 1101;
    for (TLabel* label : labels)
        label->SetCaption(LoadStr(id++));
    CalcSewerButton->SetCaption(LoadStr(1142));
    FlowLimitCheckBox->SetCaption(LoadStr(1143));
    DiameterLimitCheckBox->SetCaption(LoadStr(1144));
    ColebrookWhiteCheckBox->SetCaption(LoadStr(1145));
    SizingRadioGroup->SetCaption(LoadStr(1146));
    GroundSlopeCheckBox->SetCaption(LoadStr(1147));
    GroupBox1->SetCaption(LoadStr(1148));
    SectionPropertiesButton->SetCaption(LoadStr(1149));
    // New items leave both groups with no choice until the user or the network makes one.
    FrictionFormulaRadioGroup->Items.Clear();
    for (int item = 1150; item <= 1152; ++item)
        FrictionFormulaRadioGroup->Items.Add(LoadStr(item));
    SizingRadioGroup->Items.Clear();
    for (int item = 1153; item <= 1155; ++item)
        SizingRadioGroup->Items.Add(LoadStr(item));
}
