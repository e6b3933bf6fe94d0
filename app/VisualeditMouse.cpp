#include "app/Visualedit.h"

#include "app/Front.h"
#include "controls/EditedBox.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

#include <QApplication>
#include <QWidget>

#include <cstdlib>
#include <memory>

namespace {

// A press this close to a junction's point, in pixels, takes hold of it (its square and a margin).
constexpr int GripMargin = 3;

} // namespace

void TVisualEditForm::PaintBoxMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    // A gesture whose release never came (a message box took it) ends here, or the next release
    // would finish it for whatever this press selects.
    EndGesture();
    switch (Mode) {
    case 0:
        if (Button != mbLeft)
            return;
        DragState = 0;
        BandStartX = LastX = X;
        BandStartY = LastY = Y;
        return;
    case 1:
        ZoomAt(Button, X, Y);
        return;
    default:
        EditPress(Button, X, Y);
    }
}

void TVisualEditForm::EditPress(TMouseButton button, int x, int y) {
    // What was typed on a page is applied to the item it was typed for, before another is picked.
    if (!LeaveEditedBox())
        return;
    if (Network()) {
        double wx = 0, wy = 0;
        ScreenToWorld(x, y, wx, wy);
        ShowPickedPage();
        if (PickingJunctions()) {
            SelectedJunction = PickJunction(wx, wy);
            ShowJunction(SelectedJunction);
        } else {
            SelectedSewer = PickSewer(wx, wy);
            ShowSewer(SelectedSewer);
        }
        if (button == mbLeft) {
            BandStartX = LastX = pressX = x;
            BandStartY = LastY = pressY = y;
            OutlineDrawn = 0;
            if (PickingJunctions())
                StartJunctionDrag(x, y);
            else
                DragState = 1;
        }
        PaintBox->Refresh();
    }
    // The menu's command runs after the pick, as a command the menu posted would.
    if (button == mbRight) {
        LastX = x;
        LastY = y;
        PopupAt(x, y);
    }
}

// Only a press on the junction's square takes hold of it; a press elsewhere just selects.
void TVisualEditForm::StartJunctionDrag(int x, int y) {
    SimpleSewerNetwork* network = Network();
    SewerNode* junction = CurrentJunction();
    if (!junction || network->PackSewers() <= 0)
        return;
    const double sx = WorldToScreenX(junction->X);
    const double sy = WorldToScreenY(junction->Y);
    const double grip = JunctionBoxSize / 2 + GripMargin;
    if (std::abs(sx - x) > grip || std::abs(sy - y) > grip)
        return;
    DragState = 2;
    // Edits since the last rebuild leave the links stale.
    network->BuildConnections();
    DragEnds.clear();
    for (Sewer* s : junction->ConnectedSewers)
        if (SewerNode* end = OtherEnd(s, junction))
            DragEnds.push_back(end);
    BandStartX = static_cast<int>(sx);
    BandStartY = static_cast<int>(sy);
}

void TVisualEditForm::PopupAt(int x, int y) {
    const QPoint at = PaintBox->View()->mapToGlobal(QPoint(x, y));
    VisualEditPopupMenu->Popup(at.x(), at.y());
}

bool TVisualEditForm::LeaveEditedBox() {
    return ::LeaveEditedBox(*this);
}

void TVisualEditForm::PaintBoxMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    double wx = 0, wy = 0;
    ScreenToWorld(X, Y, wx, wy);
    SetStatusText(2, "X: " + FormatFloat("#0.#", wx));
    SetStatusText(3, "Y: " + FormatFloat("#0.#", wy));
    LastX = X;
    LastY = Y;
    // A band or drag lasts while the left button is held; no outline follows a pointer let go of.
    if (DragState != 1 && !Shift.Contains(ssLeft)) {
        EndGesture();
        return;
    }
    if (Mode == 0 && DragState == 0) {
        OutlineDrawn = 1;
        RepaintOutline();
    } else if (Mode == 2 && DragState == 2 && (OutlineDrawn || PastDragDistance(pressX, pressY, X, Y))) {
        OutlineDrawn = 1;
        RepaintOutline();
    }
}

bool TVisualEditForm::PastDragDistance(int fromX, int fromY, int x, int y) {
    return std::abs(x - fromX) + std::abs(y - fromY) >= QApplication::startDragDistance();
}

void TVisualEditForm::PaintBoxMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    SimpleSewerNetwork* network = Network();
    if (Mode == 0 && Button == mbLeft && DragState == 0 && OutlineDrawn) {
        // A band no longer than a jittered click draws nothing.
        if (PastDragDistance(BandStartX, BandStartY, LastX, LastY)) {
            AddDrawnSewer();
            Network()->BuildConnections();
        }
    } else if (Mode == 2 && DragState == 2 && OutlineDrawn && network && network->PackSewers() >= 1) {
        if (SewerNode* junction = CurrentJunction()) {
            ScreenToWorld(X, Y, junction->X, junction->Y);
            planIndex.Invalidate();
            MarkNetworkChanged();
        }
    }
    EndGesture();
}

void TVisualEditForm::EndGesture() {
    const bool outlined = OutlineDrawn != 0;
    DragState = 1;
    OutlineDrawn = 0;
    DragEnds.clear();
    if (outlined)
        PaintBox->Refresh();
}

void TVisualEditForm::AddDrawnSewer() {
    MarkNetworkChanged();
    if (!Network())
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *Network();
    int n = 0;
    while (network.SewerIndex("S" + IntToStr(n)) >= 0)
        ++n;
    int up = 0;
    while (network.JunctionIndex("J" + IntToStr(up)) >= 0)
        ++up;
    int down = up + 1;
    while (network.JunctionIndex("J" + IntToStr(down)) >= 0)
        ++down;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ScreenToWorld(BandStartX, BandStartY, x1, y1);
    ScreenToWorld(LastX, LastY, x2, y2);
    network.AddSewerAt("S" + IntToStr(n), "J" + IntToStr(up), "J" + IntToStr(down), x1, y1, x2, y2);
    planIndex.Invalidate();
}

// The network's nearest sewer and junction, found through the plan's index.
Sewer* TVisualEditForm::PickSewer(double wx, double wy) const {
    const SimpleSewerNetwork* network = Network();
    if (!network)
        return nullptr;
    planIndex.Follow(*network);
    return planIndex.NearestSewer(*network, wx, wy);
}

SewerNode* TVisualEditForm::PickJunction(double wx, double wy) const {
    const SimpleSewerNetwork* network = Network();
    if (!network)
        return nullptr;
    planIndex.Follow(*network);
    return planIndex.NearestJunction(*network, wx, wy);
}

SewerNode* TVisualEditForm::OtherEnd(Sewer* s, SewerNode* j) const {
    return s->UpstreamNode != j ? s->UpstreamNode : s->DownstreamNode;
}

bool TVisualEditForm::PickingJunctions() const {
    return PickRadioGroup->GetItemIndex() == 1;
}

void TVisualEditForm::ShowPickedPage() {
    PageControl1->SetActivePage(PickingJunctions() ? TabSheet2 : TabSheet1);
}

void TVisualEditForm::PickRadioGroupClick(TObject*) {
    ShowPickedPage();
    const bool junctions = PickingJunctions();
    VEditDelJunctPopupMenuItem->SetVisible(junctions);
    N1->SetVisible(junctions);
    VEditAddJunctPopupMenuItem->SetVisible(junctions);
    VEditDelSewerPopupMenuItem->SetVisible(!junctions);
    N2->SetVisible(!junctions);
    VEditAddSewerPopupMenuItem->SetVisible(!junctions);
}

void TVisualEditForm::VEditAddJunctPopupMenuItemClick(TObject*) {
    if (!Network())
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *Network();
    int n = 0;
    while (network.JunctionIndex("J" + IntToStr(n)) >= 0)
        ++n;
    double wx = 0, wy = 0;
    ScreenToWorld(LastX, LastY, wx, wy);
    network.SetJunction("J" + IntToStr(n), 0.0, wx, wy);
    planIndex.Invalidate();
    MarkNetworkChanged();
    PaintBox->Refresh();
}

void TVisualEditForm::VEditDelJunctPopupMenuItemClick(TObject* Sender) {
    DeleteJunctionButtonClick(Sender);
}

void TVisualEditForm::VEditDelSewerPopupMenuItemClick(TObject* Sender) {
    DeleteSewerButtonClick(Sender);
}

// Sewers are added by drawing them.
void TVisualEditForm::VEditAddSewerPopupMenuItemClick(TObject* Sender) {
    DrawModeSpeedButton->SetDown(true);
    DrawModeSpeedButtonClick(Sender);
}
