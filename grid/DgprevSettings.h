#pragma once

#include "controls/Typedspin.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/CommonDialogs.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/PageControl.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "grid/GridSettings.h"

#include <array>

class TDataGrid;

enum TPrintSettingsOption : unsigned {
    psBorders = 1u << 0,
    psGeneral = 1u << 1,
    psFonts = 1u << 2,
    psDateTime = 1u << 3,
    psTitle = 1u << 4,
    psPages = 1u << 5,
    psMargins = 1u << 6,
    psSpacing = 1u << 7,
    psOrientation = 1u << 8,
    psSaveSettings = 1u << 9
};
using TPrintSettingsOptions = unsigned;
constexpr TPrintSettingsOptions AllPrintSettingsOptions = (1u << 10) - 1;

enum TPrintDimensions { pdmm, pdinch };

// Copies every setting of Source into Dest, the fonts and title lines into Dest's own.
void AssignPrinterSettings(const TPrintSettings& Source, TPrintSettings& Dest);

// The print settings of a grid on four pages, with a miniature of the first printed page beside
// them. Every change goes into the grid's settings at once.
class TDataGridPrintSettingsForm : public TForm {
public:
    explicit TDataGridPrintSettingsForm(TComponent* Owner);

    // Settings to controls, and controls to settings followed by the miniature.
    void UpdateControls();
    void UpdatePreviewer();
    // The seven lengths in the chosen unit.
    void UpdateDimensions();
    void SetGrid(TDataGrid* value);
    TDataGrid* GetGrid() const { return grid; }
    // The miniature shows, and the window widens for it.
    void SetShowPreview(bool value);

    void BorderComboBoxChange(TObject* Sender);
    void DatePositionComboBoxChange(TObject* Sender);
    void TitlePositionComboBoxChange(TObject* Sender);
    void PagesPositionComboBoxChange(TObject* Sender);
    void BorderStyleComboBoxChange(TObject* Sender);
    void RowSpacingSpinEditChange(TObject* Sender);
    void HeaderFontButtonClick(TObject* Sender);
    void FooterFontButtonClick(TObject* Sender);
    void TableFontButtonClick(TObject* Sender);
    void dimr1Click(TObject* Sender);
    void LoadSettingsClick(TObject* Sender);
    void SaveSettingsClick(TObject* Sender);
    void PreviewPaintBoxPaint(TObject* Sender);

    TPageControl* PageControl;
    TTabSheet* GeneralTabSheet;
    TTabSheet* HeadersTabSheet;
    TTabSheet* MarginsTabSheet;
    TTabSheet* TabSheet1;
    TGroupBox* BordersGroupBox;
    TComboBox* BorderComboBox;
    TComboBox* BorderStyleComboBox;
    TGroupBox* GeneralGroupBox;
    TComboBox* FitToPageComboBox;
    TCheckBox* AutoSizeCheckBox;
    TCheckBox* CenterCheckBox;
    TCheckBox* RepeatRowsCheckBox;
    TCheckBox* RepeatColumnsCheckBox;
    TCheckBox* printgraphicscheckbox;
    TGroupBox* FontGroupBox;
    TButton* HeaderFontButton;
    TButton* FooterFontButton;
    TButton* TableFontButton;
    TGroupBox* DateTimeGroupBox;
    TEdit* DateFormatEdit;
    TComboBox* DatePositionComboBox;
    TComboBox* TimePositionComboBox;
    TGroupBox* TitleGroupBox;
    TMemo* TitleMemo;
    TComboBox* TitlePositionComboBox;
    TGroupBox* PageNumbersGroupBox;
    TEdit* PagesPrefixEdit;
    TEdit* PagesSeparatorEdit;
    TEdit* PagesSuffixEdit;
    TComboBox* PagesPositionComboBox;
    TGroupBox* MarginsGroupBox;
    TTypedSpinEdit* TopMarginSpinEdit;
    TTypedSpinEdit* LeftMarginSpinEdit;
    TTypedSpinEdit* RightMarginSpinEdit;
    TTypedSpinEdit* BottomMarginSpinEdit;
    TRadioButton* dimr1;
    TRadioButton* dimr2;
    TGroupBox* OrientationGroupBox;
    TComboBox* OrientationComboBox;
    TGroupBox* SpacingGroupBox;
    TTypedSpinEdit* RowSpacingSpinEdit;
    TTypedSpinEdit* ColumnSpacingSpinEdit;
    TTypedSpinEdit* TitleMarginSpinEdit;
    // The unit each length shows in.
    std::array<TLabel*, 7> dim;
    TGroupBox* FileGroupBox;
    TButton* LoadSettings;
    TButton* SaveSettings;
    TPanel* PreviewPanel;
    TPaintBox* PreviewPaintBox;
    TPanel* ButtonPanel;
    TButton* OKButton;
    TButton* CancelButton;
    TFontDialog* FontDialog;
    TOpenDialog* OpenDialog1;
    TSaveDialog* SaveDialog1;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataGridPrintSettingsDialog;

    // The layout (DgprevSettingsLayout.cpp).
    void MakeGeneralPage();
    void MakeHeadersPage();
    void MakeMarginsPage();
    void MakePreferencesPage();
    // The seven lengths in field order: top, left, right, bottom margin, row, column, title spacing.
    std::array<TTypedSpinEdit*, 7> Lengths() const;
    std::array<int*, 7> LengthFields() const;
    // Tenths of a millimetre per unit shown.
    int TenthsPerUnit() const;
    void ChooseFont(TFont& font);
    // The INI file a file dialog chose, ".ini" added to a name without an extension while the INI
    // filter is chosen.
    static AnsiString IniFileName(const TOpenDialog& dialog);

    bool updatingControls = false;
    bool showPreview = true;
    bool writingSettings = false;
    TDataGrid* grid = nullptr;
};

// Edits a grid's print settings in a tabbed window and keeps them only when it is closed with OK.
class TDataGridPrintSettingsDialog : public TCommonDialog {
public:
    explicit TDataGridPrintSettingsDialog(TComponent* AOwner);
    ~TDataGridPrintSettingsDialog() override;

    // Raises "The dialog does not have a grid component." without a grid. OK keeps the window's
    // settings; otherwise the grid gets its old ones back. The grid's FastPreview is left as it
    // was found.
    bool Execute() override;

    TDataGrid* GetGrid() const { return grid; }
    void SetGrid(TDataGrid* value);
    TPrintSettingsOptions GetOptions() const { return options; }
    // Each option's group box enabled with its controls; pages after the first hidden unless a
    // group box on them is enabled.
    void SetOptions(TPrintSettingsOptions value);
    bool GetPrintPreview() const { return printPreview; }
    void SetPrintPreview(bool value);
    TPrintDimensions GetPrintDimensions() const { return printDimensions; }
    void SetPrintDimensions(TPrintDimensions value);

    TDataGridPrintSettingsForm* const Form;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TDataGrid* grid = nullptr;
    TPrintSettingsOptions options = AllPrintSettingsOptions;
    bool printPreview = true;
    TPrintDimensions printDimensions = pdmm;
};
