#pragma once

#include "app/VisualeditIndex.h"
#include "controls/ShownNumber.h"
#include "controls/Typededit.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Menus.h"
#include "framework/PageControl.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"
#include "framework/SpeedButton.h"

#include <cstdint>
#include <vector>

class Sewer;
class SewerNode;
class SimpleSewerNetwork;

// The graphical network editor, docked in the main window: the network in plan on a paint box
// (world coordinates in metres, y upwards; screen pixels, y downwards), zoomed, drawn and edited
// with the mouse, with a page for the selected sewer and one for the selected junction.
class TVisualEditForm : public TForm {
public:
    explicit TVisualEditForm(TComponent* Owner);
    ~TVisualEditForm() override;

    // The view: transform, fit, zoom, modes and the status bar.
    void LoadCaptions();
    void ZoomModeSpeedButtonClick(TObject* Sender);
    void DrawModeSpeedButtonClick(TObject* Sender);
    void PickModeSpeedButtonClick(TObject* Sender);
    void ShowModeText();
    void ScreenToWorld(double sx, double sy, double& wx, double& wy) const;
    double ScreenToWorldX(double sx) const;
    double ScreenToWorldY(double sy) const;
    void WorldToScreen(double wx, double wy, double& sx, double& sy) const;
    double WorldToScreenX(double wx) const;
    double WorldToScreenY(double wy) const;
    // Fits every junction into the view, at the paint box's size, and repaints.
    void CentreSpeedButtonClick(TObject* Sender);
    // Drops the selected sewer and junction, empties their pages and repaints.
    void ClearSelection();
    // The main window replaced or cleared the network: nothing of the old one stays selected,
    // dragged, banded, highlighted or shown on the pages.
    void NetworkReplaced();
    void SpeedButtonClick(TObject* Sender);
    // The pages show the selection as the network now has it, which the other editor may have changed.
    void FormShow(TObject* Sender);
    void PaintBoxPaint(TObject* Sender);
    void PaintBoxResize(TObject* Sender);

    // Drawing: one operation per symbol, on PaintCanvas.
    void DrawNetwork();
    void DrawSewer(Sewer* s);
    void DrawSewerName(Sewer* s);
    void DrawJunction(SewerNode* j);
    void DrawJunctionName(SewerNode* j);
    void DrawDatum(SewerNode* j);
    void DrawDrop(Sewer* s);

    // Mouse editing.
    void PaintBoxMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PaintBoxMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PaintBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void AddDrawnSewer();
    Sewer* PickSewer(double wx, double wy) const;
    SewerNode* PickJunction(double wx, double wy) const;
    SewerNode* OtherEnd(Sewer* s, SewerNode* j) const;
    void PickRadioGroupClick(TObject* Sender);
    void VEditAddJunctPopupMenuItemClick(TObject* Sender);
    void VEditDelJunctPopupMenuItemClick(TObject* Sender);
    void VEditDelSewerPopupMenuItemClick(TObject* Sender);
    void VEditAddSewerPopupMenuItemClick(TObject* Sender);

    // The pages and the network check.
    void ShowSewer(Sewer* s);
    void ShowJunction(SewerNode* j);
    void ApplySewerChangesButtonClick(TObject* Sender);
    void ApplyJunctionChangesButtonClick(TObject* Sender);
    void DeleteSewerButtonClick(TObject* Sender);
    void DeleteJunctionButtonClick(TObject* Sender);
    void DatumButtonClick(TObject* Sender);
    void PopRadioGroupClick(TObject* Sender);
    void PopRadioGroupExit(TObject* Sender);
    void SewerEditChange(TObject* Sender);
    void SewerEditExit(TObject* Sender);
    void JunctionEditChange(TObject* Sender);
    void JunctionEditExit(TObject* Sender);
    void JunctionComboBoxChange(TObject* Sender);
    void DSDropJunctionCheckBoxClick(TObject* Sender);
    void DSDropJunctionCheckBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void DSDropJunctionCheckBoxExit(TObject* Sender);
    void CheckNetworkButtonClick(TObject* Sender);
    void ShowSubnetClick(TObject* Sender);
    // Refills the sub-net list from the last check.
    void SubNetsComboBoxClick();

    TPaintBox* PaintBox;
    TPanel* Panel2;
    TLabel* ModeLabel;
    TSpeedButton* ZoomModeSpeedButton;
    TSpeedButton* DrawModeSpeedButton;
    TSpeedButton* PickModeSpeedButton;
    TRadioGroup* PickRadioGroup;
    TSpeedButton* SewerSpeedButton;
    TSpeedButton* JunctionSpeedButton;
    TSpeedButton* SewerNameSpeedButton;
    TSpeedButton* JunctionNameSpeedButton;
    TSpeedButton* DropSpeedButton;
    TSpeedButton* DatumSpeedButton;
    TSpeedButton* CentreSpeedButton;
    TComboBox* SubNetsComboBox;
    TCheckBox* ShowSubNetsCheckBox;
    TButton* CheckNetworkButton;
    TPanel* Panel1;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTabSheet* TabSheet2;
    TPopupMenu* VisualEditPopupMenu;
    TMenuItem* VEditDelJunctPopupMenuItem;
    TMenuItem* N1;
    TMenuItem* VEditDelSewerPopupMenuItem;
    TMenuItem* VEditAddJunctPopupMenuItem;
    TMenuItem* N2;
    TMenuItem* VEditAddSewerPopupMenuItem;

    TLabel* SewerNameLabel;
    TTypedEdit* SewerNameTypedEdit;
    TLabel* LengthLabel;
    TTypedEdit* LengthTypedEdit;
    TLabel* USJunctionLabel;
    TComboBox* USJunctionComboBox;
    TLabel* DSJunctionLabel;
    TComboBox* DSJunctionComboBox;
    TButton* DatumButton;
    TCheckBox* DSDropJunctionCheckBox;
    TLabel* InitialInfiltrationLabel;
    TTypedEdit* InitialInfiltrationTypedEdit;
    TLabel* FinalInfiltrationLabel;
    TTypedEdit* FinalInfiltrationTypedEdit;
    TLabel* PopulationLabel;
    TRadioGroup* PopRadioGroup;
    TLabel* InitPopLabel;
    TTypedEdit* InitialPopTypedEdit;
    TLabel* FinalPopLabel;
    TTypedEdit* FinalPopTypedEdit;
    TButton* DeleteSewerButton;
    TButton* ApplySewerChangesButton;
    TLabel* JunctionNameLabel;
    TTypedEdit* JunctionNameTypedEdit;
    TLabel* GroundLevelLabel;
    TTypedEdit* GroundLevelTypedEdit;
    TButton* DeleteJunctionButton;
    TButton* ApplyJunctionChangesButton;

    // 0 draw, 1 zoom, 2 edit.
    std::uint8_t Mode = 2;
    // 0 a rubber band is drawn, 1 idle, 2 a junction is dragged.
    std::uint8_t DragState = 1;
    TColor BandColor = clGray;
    TColor SewerColor = clBlue;
    TColor JunctionColor = clMaroon;
    TColor DatumColor = clYellow;
    TColor DatumFillColor = clRed;
    // Pixels per metre now, and at the last fit (the status bar's 100 %).
    double Scale = 1;
    double FitScale = 1;
    double ZoomFactor = 1.1;
    double WorldXMin = 0, WorldXMax = 100, WorldYMin = 0, WorldYMax = 100;
    // The world centre is drawn at the screen centre.
    double ScreenCentreX = 0, ScreenCentreY = 0;
    double WorldCentreX = 0, WorldCentreY = 0;
    // The canvas the network's picture is drawn on.
    TCanvas* PaintCanvas;
    // The pointer's last place on the paint box, which is also the band's moving end.
    int LastX = 0, LastY = 0;
    int BandStartX = 0, BandStartY = 0;
    // 1 while a band or drag outline shows over the network.
    int OutlineDrawn = 0;
    int JunctionBoxSize = 8;
    // The junctions at the far ends of the dragged junction's sewers.
    std::vector<SewerNode*> DragEnds;
    SewerNode* SelectedJunction = nullptr;
    Sewer* SelectedSewer = nullptr;
    // A page box was edited since the last apply (both pages).
    bool EditChanged = false;
    // The drop box was turned, by the mouse or the keyboard, since the last apply.
    bool DropJunctionChanged = false;
    int SubnetIndex = 0;
    bool ShowSubnet = false;
    AnsiString DrawModeText, EditModeText, ZoomModeText;

private:
    void CreateLayout();
    void CreateToolPanel();
    void CreateSewerPage();
    void CreateJunctionPage();

    SimpleSewerNetwork* Network() const;
    // The selection, or null where it no longer stands in the network (deleted by either editor).
    Sewer* CurrentSewer() const;
    SewerNode* CurrentJunction() const;
    // The picked junction's page or sewer's page, as the pick choice says.
    bool PickingJunctions() const;
    void ShowSelection();
    // The pages of no sewer and no junction: a deleted one is no longer shown.
    void EmptySewerPage();
    void EmptyJunctionPage();
    void ShowPickedPage();
    void MarkNetworkChanged();
    void SetStatusText(int panel, const AnsiString& text);
    void ShowScale();
    // The screen centre is the middle of the paint box, at whatever size it has.
    void CentreOnPaintBox();

    // Paints the band or drag outline again over the network's picture as it stands.
    void RepaintOutline();
    void DrawOutline(TCanvas& canvas);
    // Draws the network's picture again, at the paint box's size.
    void RenderNetworkPicture();
    // Whether a sewer's line and a point's symbol of the given reach come into the view.
    bool LineInView(double x1, double y1, double x2, double y2) const;
    bool PointInView(double sx, double sy, double reach) const;
    bool TextInView(double sx, double sy, const AnsiString& text) const;

    void ZoomAt(TMouseButton button, int x, int y);
    void EditPress(TMouseButton button, int x, int y);
    void StartJunctionDrag(int x, int y);
    // Whether the pointer went from the first point to the second further than a click's jitter.
    static bool PastDragDistance(int fromX, int fromY, int x, int y);
    void EndGesture();
    void PopupAt(int x, int y);
    // A box of a page that has the focus is left, so that its exit applies what was typed: false
    // when it cannot be left.
    bool LeaveEditedBox();

    TBitmap networkPicture;
    bool outlineOnly = false;
    // Draws a name with its top-left corner at (x, y), as the picture's canvas writes a text; the
    // canvas's pen stays where it was, as no drawing of the picture starts from it.
    void DrawName(int x, int y, const AnsiString& name);
    // The painter the picture is drawn with, while it is, on which names are written directly.
    struct NamePainter;
    NamePainter* namePainter = nullptr;
    // A name's height, and a width no character of it reaches, on the picture's canvas.
    int nameHeight = 0;
    int nameCharacterWidth = 0;
    // Where the network's sewers and junctions lie, for drawing a part of it and for picks.
    mutable PlanIndex planIndex;
    // Where the last left press was, for the drag distance.
    int pressX = 0, pressY = 0;
    // The page boxes are being filled from the network, which is not an edit.
    bool filling = false;
    // What the number boxes were filled with.
    ShownNumber shownLength, shownInitialInfiltration, shownFinalInfiltration, shownGroundLevel;
    TSharedComboItems junctionNames;
};

extern TVisualEditForm* VisualEditForm;
