// The print settings window's layout: four pages of group boxes beside the miniature, OK and
// Cancel below.
#include "grid/DgprevSettings.h"

#include "controls/EditedBox.h"
#include "framework/PlaceControl.h"

#include <initializer_list>

namespace {

// The pages are as wide as their four tabs side by side; boxes and the lists in them fill the width.
constexpr int PagesWidth = 364;
constexpr int BoxWidth = PagesWidth - 16;
constexpr int InnerWidth = BoxWidth - 32;
constexpr int FieldWidth = BoxWidth - 96;

constexpr const char* IniFilter = "INI files (*.ini)|*.ini|All files (*.*)|*.*";
const std::initializer_list<const char*> Positions = {
    "(none)", "Top Left", "Top Right", "Top Center", "Bottom Left", "Bottom Right", "Bottom Center"};

TGroupBox* Group(TComponent* owner, TWinControl* page, const char* caption, int top, int height) {
    auto* box = Place<TGroupBox>(owner, page, 8, top, BoxWidth, height);
    box->SetCaption(caption);
    return box;
}

void Caption(TComponent* owner, TWinControl* parent, const char* text, int left, int top) {
    auto* label = Place<TLabel>(owner, parent, left, top + 3, 0, 0);
    label->SetCaption(text);
}

TComboBox* List(TComponent* owner, TWinControl* parent, int left, int top, int width,
                std::initializer_list<const char*> items) {
    auto* box = Place<TComboBox>(owner, parent, left, top, width, 21);
    box->Style = csDropDownList;
    for (const char* item : items)
        box->Items.Add(item);
    return box;
}

TCheckBox* Check(TComponent* owner, TWinControl* parent, const char* caption, int top) {
    auto* box = Place<TCheckBox>(owner, parent, 16, top, InnerWidth, 17);
    box->SetCaption(caption);
    return box;
}

TButton* Push(TComponent* owner, TWinControl* parent, const char* caption, int top) {
    auto* button = Place<TButton>(owner, parent, 16, top, InnerWidth, 23);
    button->SetCaption(caption);
    return button;
}

TTabSheet* Page(TComponent* owner, TPageControl* pages, const char* caption) {
    auto* page = new TTabSheet(owner);
    page->SetPageControl(pages);
    page->SetCaption(caption);
    return page;
}

} // namespace

TDataGridPrintSettingsForm::TDataGridPrintSettingsForm(TComponent* Owner) : TForm(Owner) {
    SetCaption("Print Settings");
    SetBorderStyle(bsDialog);
    SetClientSize(PagesWidth + PreviewWidth, 387);
    Position = poScreenCenter;

    ButtonPanel = new TPanel(this);
    ButtonPanel->SetParent(this);
    ButtonPanel->SetHeight(41);
    ButtonPanel->SetAlign(alBottom);
    ButtonPanel->SetBevelOuter(bvNone);
    OKButton = Place<TButton>(this, ButtonPanel, 224, 8, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->Default = true;
    OKButton->ModalResult = mrOk;
    CancelButton = Place<TButton>(this, ButtonPanel, 315, 8, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->Cancel = true;
    CancelButton->ModalResult = mrCancel;

    PageControl = new TPageControl(this);
    PageControl->SetParent(this);
    PageControl->SetWidth(PagesWidth);
    PageControl->SetAlign(alLeft);
    GeneralTabSheet = Page(this, PageControl, "General");
    HeadersTabSheet = Page(this, PageControl, "Headers / Footers");
    MarginsTabSheet = Page(this, PageControl, "Margins");
    TabSheet1 = Page(this, PageControl, "Preferences");
    MakeGeneralPage();
    MakeHeadersPage();
    MakeMarginsPage();
    MakePreferencesPage();
    PageControl->SetActivePage(HeadersTabSheet);

    PreviewPanel = new TPanel(this);
    PreviewPanel->SetParent(this);
    PreviewPanel->SetAlign(alClient);
    PreviewPanel->SetBevelOuter(bvLowered);
    PreviewPanel->SetColor(clWindow);
    PreviewPaintBox = new TPaintBox(this);
    PreviewPaintBox->SetParent(PreviewPanel);
    PreviewPaintBox->SetAlign(alClient);
    PreviewPaintBox->OnPaint = [this](TObject* sender) { PreviewPaintBoxPaint(sender); };

    FontDialog = new TFontDialog(this);
    OpenDialog1 = new TOpenDialog(this);
    SaveDialog1 = new TSaveDialog(this);
    for (TOpenDialog* dialog : {OpenDialog1, static_cast<TOpenDialog*>(SaveDialog1)}) {
        dialog->Filter = IniFilter;
        dialog->Options = ofHideReadOnly | ofNoChangeDir | ofEnableSizing;
    }
    OnShow = [this](TObject*) { UpdatePreviewer(); };
    // Cancel drops the settings, so it closes whatever a length holds.
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(*this); }, {CancelButton});
    EndLayout();
}

void TDataGridPrintSettingsForm::MakeGeneralPage() {
    auto changed = [this](TObject* sender) { BorderStyleComboBoxChange(sender); };
    BordersGroupBox = Group(this, GeneralTabSheet, "Borders:", 4, 72);
    BorderComboBox = List(this, BordersGroupBox, 16, 18, InnerWidth,
                          {"(none)", "Single", "Double", "Vertical", "Horizontal", "Around",
                           "Around Vertical", "Around Horizontal"});
    BorderComboBox->OnChange = [this](TObject* sender) { BorderComboBoxChange(sender); };
    BorderStyleComboBox = List(this, BordersGroupBox, 16, 44, InnerWidth,
                               {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "(none)"});
    BorderStyleComboBox->OnChange = changed;

    GeneralGroupBox = Group(this, GeneralTabSheet, "General:", 80, 134);
    FitToPageComboBox =
        List(this, GeneralGroupBox, 16, 18, InnerWidth, {"Never", "Grow to Fit", "Shrink to Fit", "Always"});
    FitToPageComboBox->OnChange = changed;
    AutoSizeCheckBox = Check(this, GeneralGroupBox, "&AutoSize Columns", 44);
    CenterCheckBox = Check(this, GeneralGroupBox, "&Center on Page", 62);
    RepeatRowsCheckBox = Check(this, GeneralGroupBox, "Repeat Fixed Ro&ws", 80);
    RepeatColumnsCheckBox = Check(this, GeneralGroupBox, "Repeat Fi&xed Columns", 98);
    printgraphicscheckbox = Check(this, GeneralGroupBox, "Print graphics", 116);
    for (TCheckBox* box :
         {AutoSizeCheckBox, CenterCheckBox, RepeatRowsCheckBox, RepeatColumnsCheckBox, printgraphicscheckbox})
        box->OnClick = changed;

    FontGroupBox = Group(this, GeneralTabSheet, "Fonts:", 218, 100);
    HeaderFontButton = Push(this, FontGroupBox, "Select the Header Font", 18);
    HeaderFontButton->OnClick = [this](TObject* sender) { HeaderFontButtonClick(sender); };
    FooterFontButton = Push(this, FontGroupBox, "Select the Footer Font", 44);
    FooterFontButton->OnClick = [this](TObject* sender) { FooterFontButtonClick(sender); };
    TableFontButton = Push(this, FontGroupBox, "Select the Table Font", 70);
    TableFontButton->OnClick = [this](TObject* sender) { TableFontButtonClick(sender); };
}

void TDataGridPrintSettingsForm::MakeHeadersPage() {
    auto changed = [this](TObject* sender) { BorderStyleComboBoxChange(sender); };
    DateTimeGroupBox = Group(this, HeadersTabSheet, "Date / Time:", 4, 98);
    Caption(this, DateTimeGroupBox, "Format:", 16, 18);
    DateFormatEdit = Place<TEdit>(this, DateTimeGroupBox, 80, 18, FieldWidth, 21);
    DateFormatEdit->OnChange = changed;
    Caption(this, DateTimeGroupBox, "Date:", 16, 44);
    DatePositionComboBox = List(this, DateTimeGroupBox, 80, 44, FieldWidth, Positions);
    DatePositionComboBox->OnChange = [this](TObject* sender) { DatePositionComboBoxChange(sender); };
    Caption(this, DateTimeGroupBox, "Time:", 16, 70);
    TimePositionComboBox = List(this, DateTimeGroupBox, 80, 70, FieldWidth, Positions);
    TimePositionComboBox->OnChange = changed;

    TitleGroupBox = Group(this, HeadersTabSheet, "Title:", 106, 104);
    TitleMemo = Place<TMemo>(this, TitleGroupBox, 16, 18, InnerWidth, 50);
    TitleMemo->OnChange = changed;
    Caption(this, TitleGroupBox, "Position:", 16, 74);
    TitlePositionComboBox = List(this, TitleGroupBox, 80, 74, FieldWidth, Positions);
    TitlePositionComboBox->OnChange = [this](TObject* sender) { TitlePositionComboBoxChange(sender); };

    PageNumbersGroupBox = Group(this, HeadersTabSheet, "Page Numbers:", 214, 100);
    Caption(this, PageNumbersGroupBox, "Prefix:", 16, 18);
    PagesPrefixEdit = Place<TEdit>(this, PageNumbersGroupBox, 80, 18, 50, 21);
    Caption(this, PageNumbersGroupBox, "Suffix:", 140, 18);
    PagesSuffixEdit = Place<TEdit>(this, PageNumbersGroupBox, 183, 18, 50, 21);
    Caption(this, PageNumbersGroupBox, "Separator:", 16, 44);
    PagesSeparatorEdit = Place<TEdit>(this, PageNumbersGroupBox, 80, 44, 50, 21);
    for (TEdit* edit : {PagesPrefixEdit, PagesSuffixEdit, PagesSeparatorEdit})
        edit->OnChange = changed;
    Caption(this, PageNumbersGroupBox, "Position:", 16, 70);
    PagesPositionComboBox = List(this, PageNumbersGroupBox, 80, 70, FieldWidth, Positions);
    PagesPositionComboBox->OnChange = [this](TObject* sender) { PagesPositionComboBoxChange(sender); };
}

void TDataGridPrintSettingsForm::MakeMarginsPage() {
    auto length = [this](TWinControl* parent, const char* caption, int top, int maxValue) {
        Caption(this, parent, caption, 16, top);
        auto* spin = Place<TTypedSpinEdit>(this, parent, 80, top, 90, 21);
        spin->SetSpinType(sptFloat);
        spin->SetPrecision(2);
        spin->IncrementFloat = 0.1;
        spin->MinValue = 0;
        spin->MaxValue = maxValue;
        spin->MaxFloatValue = 100.0;
        spin->SetDirection(spVertical);
        spin->ReturnIsTab = true;
        spin->SetSpinFlat(true);
        spin->OnChange = [this](TObject* sender) { RowSpacingSpinEditChange(sender); };
        return spin;
    };
    std::size_t unit = 0;
    auto unitLabel = [&](TWinControl* parent, int top) {
        dim[unit] = Place<TLabel>(this, parent, 178, top + 3, 0, 0);
        dim[unit++]->SetCaption("mm");
    };
    MarginsGroupBox = Group(this, MarginsTabSheet, "Margins:", 4, 146);
    TopMarginSpinEdit = length(MarginsGroupBox, "Top:", 18, 500);
    unitLabel(MarginsGroupBox, 18);
    LeftMarginSpinEdit = length(MarginsGroupBox, "Left:", 44, 500);
    unitLabel(MarginsGroupBox, 44);
    RightMarginSpinEdit = length(MarginsGroupBox, "Right:", 70, 500);
    unitLabel(MarginsGroupBox, 70);
    BottomMarginSpinEdit = length(MarginsGroupBox, "Bottom:", 96, 500);
    unitLabel(MarginsGroupBox, 96);
    dimr1 = Place<TRadioButton>(this, MarginsGroupBox, 80, 122, 60, 17);
    dimr1->SetCaption("mm");
    dimr1->SetChecked(true);
    dimr2 = Place<TRadioButton>(this, MarginsGroupBox, 150, 122, 60, 17);
    dimr2->SetCaption("inch");
    for (TRadioButton* button : {dimr1, dimr2})
        button->OnClick = [this](TObject* sender) { dimr1Click(sender); };

    OrientationGroupBox = Group(this, MarginsTabSheet, "Orientation:", 154, 50);
    OrientationComboBox = List(this, OrientationGroupBox, 16, 18, InnerWidth, {"Portrait", "Landscape"});
    OrientationComboBox->OnChange = [this](TObject* sender) { BorderStyleComboBoxChange(sender); };

    SpacingGroupBox = Group(this, MarginsTabSheet, "Spacing:", 208, 98);
    RowSpacingSpinEdit = length(SpacingGroupBox, "Rows:", 18, 100);
    unitLabel(SpacingGroupBox, 18);
    ColumnSpacingSpinEdit = length(SpacingGroupBox, "Columns:", 44, 100);
    unitLabel(SpacingGroupBox, 44);
    TitleMarginSpinEdit = length(SpacingGroupBox, "Title:", 70, 100);
    unitLabel(SpacingGroupBox, 70);
}

void TDataGridPrintSettingsForm::MakePreferencesPage() {
    FileGroupBox = Group(this, TabSheet1, "Save settings", 4, 80);
    LoadSettings = Push(this, FileGroupBox, "&Load settings", 20);
    LoadSettings->OnClick = [this](TObject* sender) { LoadSettingsClick(sender); };
    SaveSettings = Push(this, FileGroupBox, "&Save settings", 48);
    SaveSettings->OnClick = [this](TObject* sender) { SaveSettingsClick(sender); };
}
