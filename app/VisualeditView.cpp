#include "app/Visualedit.h"

#include "app/Dataentry.h"
#include "app/Front.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

TVisualEditForm* VisualEditForm = nullptr;

namespace {

// A zoom keeps the scale within these ratios to the fit's.
constexpr double FewestTimesFit = 1.0 / 1000;
constexpr double MostTimesFit = 100000;

} // namespace

TVisualEditForm::TVisualEditForm(TComponent* Owner) : TForm(Owner) {
    CreateLayout();
    PaintBox->SetCursor(crDefault);
    const double width = std::max(1, PaintBox->Width());
    const double height = std::max(1, PaintBox->Height());
    WorldXMin = 0;
    WorldXMax = 100;
    WorldYMin = 0;
    WorldYMax = 100 * height / width;
    FitScale = std::min(width / (WorldXMax - WorldXMin), height / (WorldYMax - WorldYMin));
    Scale = FitScale;
    ShowScale();
    CentreOnPaintBox();
    WorldCentreX = (WorldXMin + WorldXMax) / 2;
    WorldCentreY = (WorldYMin + WorldYMax) / 2;
    BandStartX = static_cast<int>(ScreenCentreX);
    BandStartY = static_cast<int>(ScreenCentreY);
    PaintCanvas = networkPicture.Canvas;
    LoadCaptions();
    ShowModeText();
}

TVisualEditForm::~TVisualEditForm() {
    if (VisualEditForm == this)
        VisualEditForm = nullptr;
}

SimpleSewerNetwork* TVisualEditForm::Network() const {
    return FrontForm ? FrontForm->Network : nullptr;
}

Sewer* TVisualEditForm::CurrentSewer() const {
    const SimpleSewerNetwork* network = Network();
    return network && network->PositionOf(SelectedSewer) >= 0 ? SelectedSewer : nullptr;
}

SewerNode* TVisualEditForm::CurrentJunction() const {
    const SimpleSewerNetwork* network = Network();
    return network && network->PositionOf(SelectedJunction) >= 0 ? SelectedJunction : nullptr;
}

void TVisualEditForm::MarkNetworkChanged() {
    if (DataEntryForm)
        DataEntryForm->NetworkChanged = true;
}

void TVisualEditForm::SetStatusText(int panel, const AnsiString& text) {
    if (FrontForm && panel < FrontForm->StatusBar->Panels->Count())
        FrontForm->StatusBar->Panels->Items(panel)->SetText(text);
}

void TVisualEditForm::ShowScale() {
    SetStatusText(1, LoadStr(1085) + FormatFloat("#0.0#", Scale / FitScale));
}

void TVisualEditForm::ShowModeText() {
    SetStatusText(4, Mode == 0 ? DrawModeText : Mode == 1 ? ZoomModeText : EditModeText);
}

void TVisualEditForm::ZoomModeSpeedButtonClick(TObject*) {
    Mode = 1;
    PaintBox->SetCursor(5);
    ShowModeText();
}

void TVisualEditForm::DrawModeSpeedButtonClick(TObject*) {
    Mode = 0;
    PaintBox->SetCursor(6);
    ShowModeText();
}

void TVisualEditForm::PickModeSpeedButtonClick(TObject*) {
    Mode = 2;
    PaintBox->SetCursor(crDefault);
    ShowModeText();
}

double TVisualEditForm::WorldToScreenX(double wx) const {
    return (wx - WorldCentreX) * Scale + ScreenCentreX;
}

double TVisualEditForm::WorldToScreenY(double wy) const {
    return ScreenCentreY - (wy - WorldCentreY) * Scale;
}

void TVisualEditForm::WorldToScreen(double wx, double wy, double& sx, double& sy) const {
    sx = WorldToScreenX(wx);
    sy = WorldToScreenY(wy);
}

double TVisualEditForm::ScreenToWorldX(double sx) const {
    return (sx - ScreenCentreX) / Scale + WorldCentreX;
}

double TVisualEditForm::ScreenToWorldY(double sy) const {
    return (ScreenCentreY - sy) / Scale + WorldCentreY;
}

void TVisualEditForm::ScreenToWorld(double sx, double sy, double& wx, double& wy) const {
    wx = ScreenToWorldX(sx);
    wy = ScreenToWorldY(sy);
}

void TVisualEditForm::CentreOnPaintBox() {
    ScreenCentreX = PaintBox->Width() / 2.0;
    ScreenCentreY = PaintBox->Height() / 2.0;
}

void TVisualEditForm::PaintBoxResize(TObject*) {
    CentreOnPaintBox();
}

void TVisualEditForm::CentreSpeedButtonClick(TObject*) {
    const SimpleSewerNetwork* network = Network();
    // Without junctions there is nothing to fit, and the view stays as it is.
    if (!network || network->Junctions.empty())
        return;
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    network->GetExtents(xmin, ymin, xmax, ymax);
    const double fit = 0.9 * std::min(PaintBox->Width() / (xmax - xmin), PaintBox->Height() / (ymax - ymin));
    // Junctions too far apart for a double, or a paint box of no size, give no scale to fit at.
    if (!std::isfinite(fit) || fit <= 0)
        return;
    WorldXMin = xmin;
    WorldYMin = ymin;
    WorldXMax = xmax;
    WorldYMax = ymax;
    WorldCentreX = (xmin + xmax) / 2;
    WorldCentreY = (ymin + ymax) / 2;
    CentreOnPaintBox();
    BandStartX = static_cast<int>(WorldToScreenX(WorldCentreX));
    BandStartY = static_cast<int>(WorldToScreenY(WorldCentreY));
    FitScale = fit;
    Scale = FitScale;
    ShowScale();
    PaintBox->Refresh();
}

void TVisualEditForm::ZoomAt(TMouseButton button, int x, int y) {
    DragState = 0;
    BandStartX = x;
    BandStartY = y;
    double wx = 0, wy = 0;
    ScreenToWorld(x, y, wx, wy);
    WorldCentreX = wx;
    WorldCentreY = wy;
    const double factor = button == mbLeft ? ZoomFactor : button == mbRight ? 1 / ZoomFactor : 1;
    // Beyond the limits a click still centres the view, at the scale it had.
    const double ratio = Scale * factor / FitScale;
    if (ratio >= FewestTimesFit && ratio <= MostTimesFit)
        Scale *= factor;
    ShowScale();
    PaintBox->Refresh();
}

void TVisualEditForm::ClearSelection() {
    SelectedSewer = nullptr;
    SelectedJunction = nullptr;
    // The pages show no item either, so that nothing is typed there for an item no longer chosen.
    ShowSelection();
    PaintBox->Refresh();
}

void TVisualEditForm::NetworkReplaced() {
    planIndex.Invalidate();
    SelectedSewer = nullptr;
    SelectedJunction = nullptr;
    DragEnds.clear();
    DragState = 1;
    OutlineDrawn = 0;
    SubNetsComboBox->Items.Clear();
    ShowSubnet = false;
    SubnetIndex = 0;
    ShowSubNetsCheckBox->SetChecked(false);
    ShowSelection();
}

void TVisualEditForm::SpeedButtonClick(TObject*) {
    PaintBox->Refresh();
}

// The other editor may have changed the network while this one was not showing.
void TVisualEditForm::FormShow(TObject*) {
    planIndex.Invalidate();
    ShowSelection();
}
