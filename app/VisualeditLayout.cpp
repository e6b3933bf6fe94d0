#include "app/Visualedit.h"

#include "app/VisualeditGlyphs.h"
#include "controls/EditedBox.h"
#include "resources/StringTable.h"

namespace {

constexpr int BoxLeft = 154;
constexpr int BoxWidth = 78;
constexpr int RowHeight = 26;

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, 32, 13);
    return label;
}

TSpeedButton* NewSpeedButton(TComponent* owner, TWinControl* parent, int left, int groupIndex,
                             ToolGlyph glyph) {
    auto* button = new TSpeedButton(owner);
    button->SetParent(parent);
    button->SetBounds(left, 5, 23, 22);
    button->SetGroupIndex(groupIndex);
    button->SetGlyph(*MakeToolGlyph(glyph));
    button->ShowHint = true;
    return button;
}

TButton* NewButton(TComponent* owner, TWinControl* parent, int left, int top, int width) {
    auto* button = new TButton(owner);
    button->SetParent(parent);
    button->SetBounds(left, top, width, 25);
    return button;
}

TCheckBox* NewCheckBox(TComponent* owner, TWinControl* parent, int left, int top, int width) {
    auto* box = new TCheckBox(owner);
    box->SetParent(parent);
    box->SetBounds(left, top, width, 17);
    return box;
}

TComboBox* NewDropDownList(TComponent* owner, TWinControl* parent, int left, int top, int width) {
    auto* box = new TComboBox(owner);
    box->SetParent(parent);
    box->SetBounds(left, top, width, 21);
    box->Style = csDropDownList;
    return box;
}

TMenuItem* NewMenuItem(TPopupMenu* menu, TComponent* owner, const AnsiString& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    menu->Items->Add(item);
    return item;
}

TTypedEdit* NewPageEdit(TComponent* owner, TWinControl* parent, int top, TTypedEditType type,
                        std::int16_t precision, const AnsiString& text) {
    auto* edit = new TTypedEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(BoxLeft, top, BoxWidth, 21);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetText(text);
    edit->ShowModified = true;
    edit->ModifiedColor = clRed;
    return edit;
}

} // namespace

void TVisualEditForm::CreateLayout() {
    SetBounds(0, 0, 790, 500);
    // The paint box shows the window's colour.
    SetColor(clWindow);

    Panel2 = new TPanel(this);
    Panel2->SetParent(this);
    Panel2->SetHeight(33);
    Panel2->SetAlign(alTop);
    Panel2->SetColor(clBtnFace);
    CreateToolPanel();

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetWidth(247);
    Panel1->SetAlign(alRight);
    Panel1->SetColor(clBtnFace);
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(Panel1);
    PageControl1->SetAlign(alClient);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetTabVisible(false);
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->SetTabVisible(false);
    CreateSewerPage();
    CreateJunctionPage();

    VisualEditPopupMenu = new TPopupMenu(this);
    VisualEditPopupMenu->AutoPopup = false;
    VEditDelJunctPopupMenuItem = NewMenuItem(VisualEditPopupMenu, this, "Delete Junction");
    N1 = NewMenuItem(VisualEditPopupMenu, this, "-");
    VEditDelSewerPopupMenuItem = NewMenuItem(VisualEditPopupMenu, this, "Delete Sewer");
    VEditAddJunctPopupMenuItem = NewMenuItem(VisualEditPopupMenu, this, "Add Junction");
    N2 = NewMenuItem(VisualEditPopupMenu, this, "-");
    VEditAddSewerPopupMenuItem = NewMenuItem(VisualEditPopupMenu, this, "Add Sewer");
    VEditDelJunctPopupMenuItem->OnClick = [this](TObject* sender) {
        VEditDelJunctPopupMenuItemClick(sender);
    };
    VEditDelSewerPopupMenuItem->OnClick = [this](TObject* sender) {
        VEditDelSewerPopupMenuItemClick(sender);
    };
    VEditAddJunctPopupMenuItem->OnClick = [this](TObject* sender) {
        VEditAddJunctPopupMenuItemClick(sender);
    };
    VEditAddSewerPopupMenuItem->OnClick = [this](TObject* sender) {
        VEditAddSewerPopupMenuItemClick(sender);
    };

    OnShow = [this](TObject* sender) { FormShow(sender); };

    PaintBox = new TPaintBox(this);
    PaintBox->SetParent(this);
    PaintBox->SetAlign(alClient);
    PaintBox->PopupMenu = VisualEditPopupMenu;
    PaintBox->SetCursor(crCross);
    PaintBox->OnPaint = [this](TObject* sender) { PaintBoxPaint(sender); };
    PaintBox->OnResize = [this](TObject* sender) { PaintBoxResize(sender); };
    PaintBox->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        PaintBoxMouseDown(sender, button, shift, x, y);
    };
    PaintBox->OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
        PaintBoxMouseMove(sender, shift, x, y);
    };
    PaintBox->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        PaintBoxMouseUp(sender, button, shift, x, y);
    };
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(); });
    EndLayout();
}

void TVisualEditForm::CreateToolPanel() {
    ModeLabel = NewLabel(this, Panel2, 6, 10);
    ZoomModeSpeedButton = NewSpeedButton(this, Panel2, 44, 1, ToolGlyph::Zoom);
    DrawModeSpeedButton = NewSpeedButton(this, Panel2, 67, 1, ToolGlyph::Draw);
    PickModeSpeedButton = NewSpeedButton(this, Panel2, 90, 1, ToolGlyph::Pick);
    PickModeSpeedButton->SetDown(true);
    ZoomModeSpeedButton->OnClick = [this](TObject* sender) { ZoomModeSpeedButtonClick(sender); };
    DrawModeSpeedButton->OnClick = [this](TObject* sender) { DrawModeSpeedButtonClick(sender); };
    PickModeSpeedButton->OnClick = [this](TObject* sender) { PickModeSpeedButtonClick(sender); };

    PickRadioGroup = new TRadioGroup(this);
    PickRadioGroup->SetParent(Panel2);
    PickRadioGroup->SetBounds(120, 0, 150, 33);
    PickRadioGroup->SetColumns(2);
    PickRadioGroup->OnClick = [this](TObject* sender) { PickRadioGroupClick(sender); };

    const std::pair<TSpeedButton**, ToolGlyph> toggles[] = {
        {&SewerSpeedButton, ToolGlyph::Sewer},         {&JunctionSpeedButton, ToolGlyph::Junction},
        {&SewerNameSpeedButton, ToolGlyph::SewerName}, {&JunctionNameSpeedButton, ToolGlyph::JunctionName},
        {&DropSpeedButton, ToolGlyph::Drop},           {&DatumSpeedButton, ToolGlyph::Datum}};
    int left = 278;
    int group = 2;
    for (const auto& [button, glyph] : toggles) {
        *button = NewSpeedButton(this, Panel2, left, group++, glyph);
        (*button)->SetAllowAllUp(true);
        (*button)->SetDown(true);
        (*button)->OnClick = [this](TObject* sender) { SpeedButtonClick(sender); };
        left += 23;
    }
    CentreSpeedButton = NewSpeedButton(this, Panel2, 422, 0, ToolGlyph::Centre);
    CentreSpeedButton->OnClick = [this](TObject* sender) { CentreSpeedButtonClick(sender); };

    SubNetsComboBox = NewDropDownList(this, Panel2, 454, 6, 90);
    SubNetsComboBox->OnChange = [this](TObject* sender) { ShowSubnetClick(sender); };
    ShowSubNetsCheckBox = NewCheckBox(this, Panel2, 550, 8, 56);
    ShowSubNetsCheckBox->OnClick = [this](TObject* sender) { ShowSubnetClick(sender); };
    CheckNetworkButton = NewButton(this, Panel2, 610, 4, 97);
    CheckNetworkButton->OnClick = [this](TObject* sender) { CheckNetworkButtonClick(sender); };
}

void TVisualEditForm::CreateSewerPage() {
    TTabSheet* page = TabSheet1;
    const auto sewerBox = [&](TLabel*& label, int row, TTypedEditType type, std::int16_t precision,
                              const AnsiString& text) {
        const int top = 8 + row * RowHeight;
        label = NewLabel(this, page, 6, top + 4);
        TTypedEdit* edit = NewPageEdit(this, page, top, type, precision, text);
        edit->OnChange = [this](TObject* sender) { SewerEditChange(sender); };
        edit->OnExit = [this](TObject* sender) { SewerEditExit(sender); };
        return edit;
    };
    SewerNameTypedEdit = sewerBox(SewerNameLabel, 0, etString, 0, "");
    LengthTypedEdit = sewerBox(LengthLabel, 1, etFloat, 2, "0.00");
    USJunctionLabel = NewLabel(this, page, 6, 8 + 2 * RowHeight + 4);
    USJunctionComboBox = NewDropDownList(this, page, BoxLeft, 8 + 2 * RowHeight, BoxWidth);
    DSJunctionLabel = NewLabel(this, page, 6, 8 + 3 * RowHeight + 4);
    DSJunctionComboBox = NewDropDownList(this, page, BoxLeft, 8 + 3 * RowHeight, BoxWidth);
    // Both lists show the one list of the network's junction names.
    USJunctionComboBox->SetSharedItems(&junctionNames);
    DSJunctionComboBox->SetSharedItems(&junctionNames);
    USJunctionComboBox->OnChange = [this](TObject* sender) { JunctionComboBoxChange(sender); };
    DSJunctionComboBox->OnChange = [this](TObject* sender) { JunctionComboBoxChange(sender); };
    DatumButton = NewButton(this, page, 6, 8 + 4 * RowHeight, 226);
    DatumButton->OnClick = [this](TObject* sender) { DatumButtonClick(sender); };
    DSDropJunctionCheckBox = NewCheckBox(this, page, 6, 12 + 5 * RowHeight, 226);
    DSDropJunctionCheckBox->OnClick = [this](TObject* sender) { DSDropJunctionCheckBoxClick(sender); };
    DSDropJunctionCheckBox->OnExit = [this](TObject* sender) { DSDropJunctionCheckBoxExit(sender); };
    DSDropJunctionCheckBox->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                               int y) {
        DSDropJunctionCheckBoxMouseUp(sender, button, shift, x, y);
    };
    InitialInfiltrationTypedEdit = sewerBox(InitialInfiltrationLabel, 6, etFloat, 2, "0.00");
    FinalInfiltrationTypedEdit = sewerBox(FinalInfiltrationLabel, 7, etFloat, 2, "0.00");

    PopulationLabel = NewLabel(this, page, 6, 12 + 8 * RowHeight);
    PopulationLabel->Font.SetColor(clGreen);
    PopulationLabel->Font.SetStyle(fsBold);
    PopRadioGroup = new TRadioGroup(this);
    PopRadioGroup->SetParent(page);
    PopRadioGroup->SetBounds(6, 30 + 8 * RowHeight, 226, 40);
    PopRadioGroup->SetColumns(2);
    PopRadioGroup->OnClick = [this](TObject* sender) { PopRadioGroupClick(sender); };
    PopRadioGroup->OnExit = [this](TObject* sender) { PopRadioGroupExit(sender); };
    const int popTop = 30 + 8 * RowHeight + 48;
    InitPopLabel = NewLabel(this, page, 6, popTop + 4);
    InitialPopTypedEdit = NewPageEdit(this, page, popTop, etNumeric, 0, "0");
    FinalPopLabel = NewLabel(this, page, 6, popTop + RowHeight + 4);
    FinalPopTypedEdit = NewPageEdit(this, page, popTop + RowHeight, etNumeric, 0, "0");
    for (TTypedEdit* edit : {InitialPopTypedEdit, FinalPopTypedEdit}) {
        edit->OnChange = [this](TObject* sender) { SewerEditChange(sender); };
        edit->OnExit = [this](TObject* sender) { SewerEditExit(sender); };
    }
    const int buttonTop = popTop + 2 * RowHeight + 12;
    DeleteSewerButton = NewButton(this, page, 6, buttonTop, 108);
    DeleteSewerButton->OnClick = [this](TObject* sender) { DeleteSewerButtonClick(sender); };
    ApplySewerChangesButton = NewButton(this, page, 124, buttonTop, 108);
    ApplySewerChangesButton->OnClick = [this](TObject* sender) { ApplySewerChangesButtonClick(sender); };
}

void TVisualEditForm::CreateJunctionPage() {
    TTabSheet* page = TabSheet2;
    JunctionNameLabel = NewLabel(this, page, 6, 12);
    JunctionNameTypedEdit = NewPageEdit(this, page, 8, etString, 0, "");
    GroundLevelLabel = NewLabel(this, page, 6, 12 + RowHeight);
    GroundLevelTypedEdit = NewPageEdit(this, page, 8 + RowHeight, etFloat, 2, "0.00");
    for (TTypedEdit* edit : {JunctionNameTypedEdit, GroundLevelTypedEdit}) {
        edit->OnChange = [this](TObject* sender) { JunctionEditChange(sender); };
        edit->OnExit = [this](TObject* sender) { JunctionEditExit(sender); };
    }
    DeleteJunctionButton = NewButton(this, page, 6, 8 + 2 * RowHeight + 8, 108);
    DeleteJunctionButton->OnClick = [this](TObject* sender) { DeleteJunctionButtonClick(sender); };
    ApplyJunctionChangesButton = NewButton(this, page, 124, 8 + 2 * RowHeight + 8, 108);
    ApplyJunctionChangesButton->OnClick = [this](TObject* sender) {
        ApplyJunctionChangesButtonClick(sender);
    };
}

void TVisualEditForm::LoadCaptions() {
    SetCaption(LoadStr(1050));
    TabSheet1->SetCaption(LoadStr(1051));
    DSJunctionLabel->SetCaption(LoadStr(1052));
    USJunctionLabel->SetCaption(LoadStr(1053));
    LengthLabel->SetCaption(LoadStr(1054));
    SewerNameLabel->SetCaption(LoadStr(1055));
    InitPopLabel->SetCaption(LoadStr(1056));
    InitPopLabel->SetCaption(LoadStr(1083));
    FinalPopLabel->SetCaption(LoadStr(1057));
    FinalPopLabel->SetCaption(LoadStr(1084));
    InitialInfiltrationLabel->SetCaption(LoadStr(1058));
    FinalInfiltrationLabel->SetCaption(LoadStr(1059));
    PopulationLabel->SetCaption(LoadStr(1060));
    DSDropJunctionCheckBox->SetCaption(LoadStr(1061));
    ApplySewerChangesButton->SetCaption(LoadStr(1062));
    DatumButton->SetCaption(LoadStr(1063));
    DeleteSewerButton->SetCaption(LoadStr(1064));
    TabSheet2->SetCaption(LoadStr(1065));
    JunctionNameLabel->SetCaption(LoadStr(1066));
    GroundLevelLabel->SetCaption(LoadStr(1067));
    ApplyJunctionChangesButton->SetCaption(LoadStr(1068));
    DeleteJunctionButton->SetCaption(LoadStr(1069));
    ZoomModeSpeedButton->Hint = LoadStr(1070);
    DrawModeSpeedButton->Hint = LoadStr(1071);
    PickModeSpeedButton->Hint = LoadStr(1072);
    ModeLabel->SetCaption(LoadStr(1073));
    SewerSpeedButton->Hint = LoadStr(1074);
    JunctionSpeedButton->Hint = LoadStr(1075);
    SewerNameSpeedButton->Hint = LoadStr(1076);
    JunctionNameSpeedButton->Hint = LoadStr(1077);
    DropSpeedButton->Hint = LoadStr(1078);
    CentreSpeedButton->Hint = LoadStr(1079);
    PickRadioGroup->SetCaption(LoadStr(1080));
    PickRadioGroup->Items.Clear();
    PickRadioGroup->Items.Add(LoadStr(1086));
    PickRadioGroup->Items.Add(LoadStr(1087));
    PickRadioGroup->SetItemIndex(1);
    CheckNetworkButton->SetCaption(LoadStr(1081));
    ShowSubNetsCheckBox->SetCaption(LoadStr(1082));
    InitPopLabel->SetCaption(LoadStr(1039));
    FinalPopLabel->SetCaption(LoadStr(1041));
    InitPopLabel->SetCaption(LoadStr(1040));
    FinalPopLabel->SetCaption(LoadStr(1042));
    PopRadioGroup->Items.Clear();
    PopRadioGroup->Items.Add(LoadStr(1037));
    PopRadioGroup->Items.Add(LoadStr(1038));
    PopRadioGroup->SetItemIndex(1);
    DrawModeText = LoadStr(1088);
    EditModeText = LoadStr(1089);
    ZoomModeText = LoadStr(1090);
}
