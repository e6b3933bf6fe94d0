// The grid's print settings window: controls filled from the settings and written back at every
// change, the miniature, the fonts, the units and the INI file.
#include "grid/DgprevSettings.h"

#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/Dgprev.h"

#include <QFileInfo>

#include <cmath>
#include <memory>

namespace {

constexpr const char* IniSection = "PRINTSETTINGS";

// Sets the flag for as long as it lives.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag(flag) { flag = true; }
    ~ScopedFlag() { flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag;
};

// The item of an ordinal; none for a value the list has no item for.
void ShowOrdinal(TComboBox& box, int ordinal) {
    box.SetItemIndex(ordinal >= 0 && ordinal < box.Items.Count() ? ordinal : -1);
}

// A box without a chosen item leaves the field as it was.
template <class Enumeration> void TakeOrdinal(const TComboBox& box, Enumeration& field) {
    if (box.GetItemIndex() >= 0)
        field = static_cast<Enumeration>(box.GetItemIndex());
}

// A length as a spin edit shows it: two decimals of the unit.
AnsiString LengthText(int tenths, int tenthsPerUnit) {
    return FloatToStrF(static_cast<double>(tenths) / tenthsPerUnit, ffFixed, 15, 2);
}

} // namespace

void AssignPrinterSettings(const TPrintSettings& Source, TPrintSettings& Dest) {
    Dest.Borders = Source.Borders;
    Dest.BorderStyle = Source.BorderStyle;
    Dest.Centered = Source.Centered;
    Dest.ColumnSpacing = Source.ColumnSpacing;
    Dest.Date = Source.Date;
    Dest.DateFormat = Source.DateFormat;
    Dest.FitToPage = Source.FitToPage;
    Dest.FixedHeight = Source.FixedHeight;
    Dest.FixedWidth = Source.FixedWidth;
    Dest.Font.Assign(Source.Font);
    Dest.FooterFont.Assign(Source.FooterFont);
    Dest.FooterSize = Source.FooterSize;
    Dest.HeaderFont.Assign(Source.HeaderFont);
    Dest.HeaderSize = Source.HeaderSize;
    Dest.JobName = Source.JobName;
    Dest.LeftSize = Source.LeftSize;
    Dest.NoAutoSize = Source.NoAutoSize;
    Dest.Orientation = Source.Orientation;
    Dest.PageNr = Source.PageNr;
    Dest.PageNumSep = Source.PageNumSep;
    Dest.PagePrefix = Source.PagePrefix;
    Dest.PageSuffix = Source.PageSuffix;
    Dest.PrintGraphics = Source.PrintGraphics;
    Dest.RepeatFixedCols = Source.RepeatFixedCols;
    Dest.RepeatFixedRows = Source.RepeatFixedRows;
    Dest.RightSize = Source.RightSize;
    Dest.RowSpacing = Source.RowSpacing;
    Dest.Time = Source.Time;
    Dest.Title = Source.Title;
    Dest.TitleLines.Assign(Source.TitleLines);
    Dest.TitleSpacing = Source.TitleSpacing;
    Dest.TitleText = Source.TitleText;
    Dest.UseFixedHeight = Source.UseFixedHeight;
    Dest.UseFixedWidth = Source.UseFixedWidth;
}

void TDataGridPrintSettingsForm::SetGrid(TDataGrid* value) {
    WatchGrid(*this, grid, value);
}

void TDataGridPrintSettingsForm::Notification(TComponent* AComponent, TOperation Operation) {
    ForgetGrid(grid, AComponent, Operation);
    TForm::Notification(AComponent, Operation);
}

std::array<TTypedSpinEdit*, 7> TDataGridPrintSettingsForm::Lengths() const {
    return {TopMarginSpinEdit,  LeftMarginSpinEdit,    RightMarginSpinEdit, BottomMarginSpinEdit,
            RowSpacingSpinEdit, ColumnSpacingSpinEdit, TitleMarginSpinEdit};
}

std::array<int*, 7> TDataGridPrintSettingsForm::LengthFields() const {
    TPrintSettings& s = *grid->PrintSettings;
    return {&s.HeaderSize, &s.LeftSize,      &s.RightSize,   &s.FooterSize,
            &s.RowSpacing, &s.ColumnSpacing, &s.TitleSpacing};
}

int TDataGridPrintSettingsForm::TenthsPerUnit() const {
    return dimr2->GetChecked() ? 254 : 10;
}

void TDataGridPrintSettingsForm::UpdateControls() {
    if (!grid)
        return;
    const ScopedFlag updating(updatingControls);
    TPrintSettings& s = *grid->PrintSettings;
    ShowOrdinal(*BorderComboBox, s.Borders);
    ShowOrdinal(*BorderStyleComboBox, s.BorderStyle);
    ShowOrdinal(*FitToPageComboBox, s.FitToPage);
    ShowOrdinal(*DatePositionComboBox, s.Date);
    ShowOrdinal(*TimePositionComboBox, s.Time);
    ShowOrdinal(*TitlePositionComboBox, s.Title);
    ShowOrdinal(*PagesPositionComboBox, s.PageNr);
    ShowOrdinal(*OrientationComboBox, s.Orientation);
    CenterCheckBox->SetChecked(s.Centered);
    AutoSizeCheckBox->SetChecked(!s.NoAutoSize);
    RepeatRowsCheckBox->SetChecked(s.RepeatFixedRows);
    RepeatColumnsCheckBox->SetChecked(s.RepeatFixedCols);
    printgraphicscheckbox->SetChecked(s.PrintGraphics);
    DateFormatEdit->SetText(s.DateFormat);
    PagesPrefixEdit->SetText(s.PagePrefix);
    PagesSeparatorEdit->SetText(s.PageNumSep);
    PagesSuffixEdit->SetText(s.PageSuffix);
    if (!s.TitleText.IsEmpty()) {
        s.TitleLines.Add(s.TitleText);
        s.TitleText = "";
    }
    TitleMemo->Lines.Assign(s.TitleLines);
    UpdateDimensions();
    BorderComboBoxChange(BorderComboBox);
    DatePositionComboBoxChange(DatePositionComboBox);
    TitlePositionComboBoxChange(TitlePositionComboBox);
    PagesPositionComboBoxChange(PagesPositionComboBox);
}

void TDataGridPrintSettingsForm::UpdateDimensions() {
    if (!grid)
        return;
    const ScopedFlag writing(writingSettings);
    const auto spins = Lengths();
    const auto fields = LengthFields();
    for (std::size_t i = 0; i < spins.size(); ++i)
        spins[i]->SetFloatValue(static_cast<double>(*fields[i]) / TenthsPerUnit());
}

void TDataGridPrintSettingsForm::UpdatePreviewer() {
    if (updatingControls || !grid)
        return;
    {
        const ScopedFlag writing(writingSettings);
        TPrintSettings& s = *grid->PrintSettings;
        TakeOrdinal(*BorderComboBox, s.Borders);
        TakeOrdinal(*BorderStyleComboBox, s.BorderStyle);
        TakeOrdinal(*FitToPageComboBox, s.FitToPage);
        TakeOrdinal(*DatePositionComboBox, s.Date);
        TakeOrdinal(*TimePositionComboBox, s.Time);
        TakeOrdinal(*TitlePositionComboBox, s.Title);
        TakeOrdinal(*PagesPositionComboBox, s.PageNr);
        TakeOrdinal(*OrientationComboBox, s.Orientation);
        s.Centered = CenterCheckBox->GetChecked();
        s.NoAutoSize = !AutoSizeCheckBox->GetChecked();
        s.RepeatFixedRows = RepeatRowsCheckBox->GetChecked();
        s.RepeatFixedCols = RepeatColumnsCheckBox->GetChecked();
        s.PrintGraphics = printgraphicscheckbox->GetChecked();
        s.DateFormat = DateFormatEdit->GetText();
        s.PagePrefix = PagesPrefixEdit->GetText();
        s.PageNumSep = PagesSeparatorEdit->GetText();
        s.PageSuffix = PagesSuffixEdit->GetText();
        s.TitleLines.Assign(TitleMemo->Lines);
        // A length still showing what it was stays as it was: two decimals of an inch hold no
        // tenth of a millimetre exactly. So does one whose text is no number yet, which would
        // read as the least length.
        const auto spins = Lengths();
        const auto fields = LengthFields();
        const int unit = TenthsPerUnit();
        for (std::size_t i = 0; i < spins.size(); ++i)
            if (spins[i]->ReadsValue() && spins[i]->GetWindowText() != LengthText(*fields[i], unit))
                *fields[i] = static_cast<int>(std::nearbyint(spins[i]->GetFloatValue() * unit));
    }
    if (showPreview)
        PreviewPaintBox->Repaint();
}

void TDataGridPrintSettingsForm::SetShowPreview(bool value) {
    showPreview = value;
    PreviewPanel->SetVisible(value);
    SetClientSize(PageControl->Width() + (value ? PreviewWidth : 0), ClientHeight());
    OKButton->SetLeft(static_cast<int>(std::nearbyint(Width() / 2.0 - OKButton->Width() - 8)));
    CancelButton->SetLeft(static_cast<int>(std::nearbyint(Width() / 2.0 + 8)));
}

void TDataGridPrintSettingsForm::BorderComboBoxChange(TObject*) {
    BorderStyleComboBox->SetEnabled(BorderComboBox->GetItemIndex() > 0);
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::DatePositionComboBoxChange(TObject*) {
    DateFormatEdit->SetEnabled(DatePositionComboBox->GetItemIndex() > 0);
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::TitlePositionComboBoxChange(TObject*) {
    TitleMemo->SetEnabled(TitlePositionComboBox->GetItemIndex() > 0);
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::PagesPositionComboBoxChange(TObject*) {
    const bool numbered = PagesPositionComboBox->GetItemIndex() > 0;
    for (TEdit* edit : {PagesPrefixEdit, PagesSeparatorEdit, PagesSuffixEdit})
        edit->SetEnabled(numbered);
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::BorderStyleComboBoxChange(TObject*) {
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::RowSpacingSpinEditChange(TObject* Sender) {
    if (writingSettings)
        return;
    const auto* spin = static_cast<TTypedSpinEdit*>(Sender);
    if (!spin->GetWindowText().IsEmpty() && spin->GetFloatValue() < spin->MaxValue)
        UpdatePreviewer();
}

void TDataGridPrintSettingsForm::ChooseFont(TFont& font) {
    FontDialog->Font.Assign(font);
    if (!FontDialog->Execute())
        return;
    font.Assign(FontDialog->Font);
    UpdatePreviewer();
}

void TDataGridPrintSettingsForm::HeaderFontButtonClick(TObject*) {
    if (grid)
        ChooseFont(grid->PrintSettings->HeaderFont);
}

void TDataGridPrintSettingsForm::FooterFontButtonClick(TObject*) {
    if (grid)
        ChooseFont(grid->PrintSettings->FooterFont);
}

void TDataGridPrintSettingsForm::TableFontButtonClick(TObject*) {
    if (grid)
        ChooseFont(grid->PrintSettings->Font);
}

void TDataGridPrintSettingsForm::dimr1Click(TObject*) {
    UpdateDimensions();
    for (TLabel* label : dim)
        label->SetCaption(dimr2->GetChecked() ? "inch" : "mm");
}

AnsiString TDataGridPrintSettingsForm::IniFileName(const TOpenDialog& dialog) {
    const QString name = QString::fromStdString(dialog.FileName.str());
    if (!QFileInfo(name).fileName().contains('.') && dialog.FilterIndex == 1)
        return dialog.FileName + ".ini";
    return dialog.FileName;
}

void TDataGridPrintSettingsForm::LoadSettingsClick(TObject*) {
    if (!grid || !OpenDialog1->Execute())
        return;
    grid->LoadPrintSettings(IniFileName(*OpenDialog1), IniSection);
    UpdateControls();
    UpdatePreviewer();
    PreviewPaintBox->Invalidate();
}

void TDataGridPrintSettingsForm::SaveSettingsClick(TObject*) {
    if (grid && SaveDialog1->Execute())
        grid->SavePrintSettings(IniFileName(*SaveDialog1), IniSection);
}

void TDataGridPrintSettingsForm::PreviewPaintBoxPaint(TObject*) {
    if (updatingControls || !grid)
        return;
    TCanvas& canvas = *PreviewPaintBox->Canvas;
    canvas.Brush = TBrush{clWhite, bsSolid};
    canvas.FillRect(PreviewPaintBox->ClientRect());
    grid->FastPreview = true;
    grid->SetPreviewPage(1);
    grid->PrintPreview(&canvas, PreviewPaintBox->ClientRect());
}

TDataGridPrintSettingsDialog::TDataGridPrintSettingsDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), Form(new TDataGridPrintSettingsForm(this)) {
    SetPrintPreview(true);
}

TDataGridPrintSettingsDialog::~TDataGridPrintSettingsDialog() = default;

void TDataGridPrintSettingsDialog::SetGrid(TDataGrid* value) {
    WatchGrid(*this, grid, value);
}

void TDataGridPrintSettingsDialog::Notification(TComponent* AComponent, TOperation Operation) {
    ForgetGrid(grid, AComponent, Operation);
    TCommonDialog::Notification(AComponent, Operation);
}

void TDataGridPrintSettingsDialog::SetOptions(TPrintSettingsOptions value) {
    options = value;
    const std::pair<TPrintSettingsOption, TGroupBox*> boxes[] = {{psBorders, Form->BordersGroupBox},
                                                                 {psGeneral, Form->GeneralGroupBox},
                                                                 {psFonts, Form->FontGroupBox},
                                                                 {psDateTime, Form->DateTimeGroupBox},
                                                                 {psTitle, Form->TitleGroupBox},
                                                                 {psPages, Form->PageNumbersGroupBox},
                                                                 {psMargins, Form->MarginsGroupBox},
                                                                 {psSpacing, Form->SpacingGroupBox},
                                                                 {psOrientation, Form->OrientationGroupBox},
                                                                 {psSaveSettings, Form->FileGroupBox}};
    for (const auto& [option, box] : boxes) {
        const bool enabled = (options & option) != 0;
        box->SetEnabled(enabled);
        for (int i = 0; i < box->ControlCount(); ++i)
            box->Controls(i)->SetEnabled(enabled);
    }
    TPageControl& pages = *Form->PageControl;
    for (int p = 1; p < pages.PageCount(); ++p) {
        TTabSheet* page = pages.Pages(p);
        bool holdsEnabled = false;
        for (const auto& [option, box] : boxes)
            holdsEnabled = holdsEnabled || (box->Parent() == page && box->GetEnabled());
        page->SetTabVisible(holdsEnabled);
    }
}

void TDataGridPrintSettingsDialog::SetPrintPreview(bool value) {
    printPreview = value;
    Form->SetShowPreview(value);
}

void TDataGridPrintSettingsDialog::SetPrintDimensions(TPrintDimensions value) {
    printDimensions = value;
    (value == pdinch ? Form->dimr2 : Form->dimr1)->SetChecked(true);
}

bool TDataGridPrintSettingsDialog::Execute() {
    if (!grid)
        throw Exception("The dialog does not have a grid component.");
    Form->showPreview = printPreview;
    Form->SetGrid(grid);
    TPrintSettings backup;
    AssignPrinterSettings(*grid->PrintSettings, backup);
    // Through the dialog's own pointer, which forgets a grid freed while the window is open.
    struct RestoreFastPreview {
        TDataGrid*& grid;
        bool fast;
        ~RestoreFastPreview() {
            if (grid)
                grid->FastPreview = fast;
        }
    } restore{grid, grid->FastPreview};
    Form->UpdateControls();
    const bool accepted = Form->ShowModal() == mrOk;
    if (!accepted && grid)
        AssignPrinterSettings(backup, *grid->PrintSettings);
    return accepted;
}
