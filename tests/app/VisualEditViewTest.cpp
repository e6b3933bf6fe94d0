#include "tests/app/VisualEditor.h"
#include "tests/support/AnsiStringPrinter.h"

#include <cmath>

namespace {

using VisualEditView = VisualEditor;

AnsiString StatusText(int panel) {
    return FrontForm->StatusBar->Panels->Items(panel)->GetText();
}

// sx = (wx - 50) x 4 + 200, sy = 150 - (wy - 20) x 4, and back.
TEST_F(VisualEditView, TheTransformMapsWorldToScreenAndBack) {
    VisualEditForm->WorldCentreX = 50;
    VisualEditForm->WorldCentreY = 20;
    VisualEditForm->Scale = 4;
    const struct {
        double wx, wy, sx, sy;
    } rows[] = {{50, 20, 200, 150}, {60, 25, 240, 130}, {0, 0, 0, 230}, {-12.5, 57.5, -50, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.wx);
        double sx = 0, sy = 0, wx = 0, wy = 0;
        VisualEditForm->WorldToScreen(row.wx, row.wy, sx, sy);
        EXPECT_DOUBLE_EQ(sx, row.sx);
        EXPECT_DOUBLE_EQ(sy, row.sy);
        VisualEditForm->ScreenToWorld(row.sx, row.sy, wx, wy);
        EXPECT_DOUBLE_EQ(wx, row.wx);
        EXPECT_DOUBLE_EQ(wy, row.wy);
    }
}

// Each mode sets its cursor and status text; every move shows the pointer's world point with at
// most one decimal, in every mode.
TEST_F(VisualEditView, ModesSetTheirCursorAndTheStatusBarFollowsThePointer) {
    UseView();
    const struct {
        TSpeedButton* button;
        int mode;
        TCursor cursor;
        const char* text;
    } modes[] = {{VisualEditForm->ZoomModeSpeedButton, 1, 5, "Zoom Mode"},
                 {VisualEditForm->DrawModeSpeedButton, 0, 6, "Draw Mode"},
                 {VisualEditForm->PickModeSpeedButton, 2, crDefault, "Edit Mode"}};
    const struct {
        int x, y;
        const char* statusX;
        const char* statusY;
    } moves[] = {{323, 100, "X: 12.3", "Y: 5"},
                 {200, 150, "X: 0", "Y: 0"},
                 {61, 289, "X: -13.9", "Y: -13.9"},
                 {325, 150, "X: 12.5", "Y: 0"}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.text);
        mode.button->ViewClicked();
        EXPECT_TRUE(mode.button->GetDown());
        EXPECT_EQ(VisualEditForm->Mode, mode.mode);
        EXPECT_EQ(VisualEditForm->PaintBox->GetCursor(), mode.cursor);
        EXPECT_EQ(StatusText(4), mode.text);
        for (const auto& move : moves) {
            SCOPED_TRACE(move.statusX);
            Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, move.x, move.y);
            EXPECT_EQ(StatusText(2), move.statusX);
            EXPECT_EQ(StatusText(3), move.statusY);
        }
    }
    EXPECT_FALSE(VisualEditForm->ZoomModeSpeedButton->GetDown());
}

// Three left clicks: 1.1^3 = 1.331; after a fit one right click: 1 / 1.1 = 0.909. The clicked
// point moves to the screen centre.
TEST_F(VisualEditView, ZoomClicksScaleAboutTheClickedPoint) {
    UseView();
    VisualEditForm->ZoomModeSpeedButton->ViewClicked();
    const struct {
        Qt::MouseButton button;
        const char* scale;
    } clicks[] = {{Qt::LeftButton, "Scale: 1.1"},
                  {Qt::LeftButton, "Scale: 1.21"},
                  {Qt::LeftButton, "Scale: 1.33"},
                  {Qt::MiddleButton, "Scale: 1.33"}};
    for (const auto& click : clicks) {
        Press(200, 150, click.button);
        Release(200, 150, click.button);
        EXPECT_EQ(StatusText(1), click.scale);
    }
    // (250, 100) is world (5 / 1.331, 50 / 1.331) at 13.31 pixels a metre.
    Press(250, 100, Qt::MiddleButton);
    MoveHeld(280, 120);
    Release(280, 120, Qt::MiddleButton);
    EXPECT_NEAR(VisualEditForm->WorldCentreX, 50 / 13.31, 1e-9);
    EXPECT_NEAR(VisualEditForm->WorldCentreY, 50 / 13.31, 1e-9);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 0);
    EXPECT_EQ(VisualEditForm->DragState, 1);

    SimpleSewerNetwork& network = NewNetwork();
    network.SetJunction("J0", 0, 0, 0);
    network.SetJunction("J1", 0, 10, 10);
    VisualEditForm->CentreSpeedButton->ViewClicked();
    EXPECT_EQ(StatusText(1), "Scale: 1.0");
    Press(10, 10, Qt::RightButton);
    Release(10, 10, Qt::RightButton);
    EXPECT_EQ(StatusText(1), "Scale: 0.91");
}

// The scale stays between a thousandth and a hundred thousand times the fit; a click beyond
// keeps it and still centres the view.
TEST_F(VisualEditView, ZoomStopsAtItsLimits) {
    UseView();
    VisualEditForm->ZoomModeSpeedButton->ViewClicked();
    for (int i = 0; i < 200; ++i) {
        Press(201, 150);
        Release(201, 150);
    }
    // 1.1^120 = 92,709 is the last step below 100,000.
    EXPECT_NEAR(VisualEditForm->Scale / VisualEditForm->FitScale, std::pow(1.1, 120), 1e-6);
    EXPECT_EQ(StatusText(1), "Scale: 92709.07");
    EXPECT_TRUE(std::isfinite(VisualEditForm->WorldCentreX));
    for (int i = 0; i < 300; ++i) {
        Press(200, 150, Qt::RightButton);
        Release(200, 150, Qt::RightButton);
    }
    // 1.1^-72 = 0.00103 is the last step above 0.001.
    EXPECT_NEAR(VisualEditForm->Scale / VisualEditForm->FitScale, std::pow(1.1, -72), 1e-12);
    // Drawing at either limit raises nothing.
    NewNetwork().AddSewerAt("S0", "J0", "J1", 0, 0, 1e6, -1e6);
    VisualEditForm->Scale = VisualEditForm->FitScale * 1e5;
    Shown();
    EXPECT_TRUE(Responder().Asked.empty());
}

// Junctions (0, 0), (100, 0), (100, 50) in a 400 x 300 box: 0.9 x min(400 / 100, 300 / 50) = 3.6
// pixels a metre about (50, 25). Junctions on one point fit their 1 m square.
TEST_F(VisualEditView, TheFitTakesEveryJunctionAtThePaintBoxsSize) {
    UseView();
    VisualEditForm->CentreSpeedButtonClick(nullptr);
    EXPECT_EQ(VisualEditForm->Scale, 10);

    SimpleSewerNetwork& network = NewNetwork();
    VisualEditForm->CentreSpeedButtonClick(nullptr);
    EXPECT_EQ(VisualEditForm->Scale, 10);
    EXPECT_EQ(VisualEditForm->WorldCentreX, 0);

    network.AddSewerAt("S0", "J0", "J1", 0, 0, 100, 0);
    network.SetJunction("J2", 0, 100, 50);
    VisualEditForm->Scale = 20;
    VisualEditForm->CentreSpeedButtonClick(nullptr);
    EXPECT_DOUBLE_EQ(VisualEditForm->Scale, 3.6);
    EXPECT_DOUBLE_EQ(VisualEditForm->FitScale, 3.6);
    EXPECT_EQ(VisualEditForm->WorldCentreX, 50);
    EXPECT_EQ(VisualEditForm->WorldCentreY, 25);
    EXPECT_EQ(VisualEditForm->WorldXMax, 100);
    EXPECT_EQ(StatusText(1), "Scale: 1.0");

    // A wider window: the network is centred on the new middle, 0.9 x min(600 / 100, 300 / 50).
    VisualEditForm->SetBounds(0, 0, 847, 333);
    VisualEditForm->CentreSpeedButtonClick(nullptr);
    EXPECT_EQ(VisualEditForm->ScreenCentreX, 300);
    EXPECT_DOUBLE_EQ(VisualEditForm->Scale, 5.4);
    double sx = 0, sy = 0;
    VisualEditForm->WorldToScreen(50, 25, sx, sy);
    EXPECT_EQ(sx, 300);
    EXPECT_EQ(sy, 150);

    SimpleSewerNetwork& point = NewNetwork();
    point.SetJunction("J0", 0, 3, 4);
    point.SetJunction("J1", 0, 3, 4);
    VisualEditForm->CentreSpeedButtonClick(nullptr);
    EXPECT_EQ(VisualEditForm->WorldXMin, 3);
    EXPECT_EQ(VisualEditForm->WorldXMax, 4);
    EXPECT_EQ(VisualEditForm->WorldYMax, 5);
    EXPECT_DOUBLE_EQ(VisualEditForm->Scale, 270);
}

// Riverside's junctions span (10, 10) to (60, 60): a read centres (35, 35) and fits them in; the
// editor takes the calculator's place. Clear leaves S0 from J_up (10, 10) to J_down, 10 m at 45
// degrees, fitted about (13.54, 13.54).
TEST_F(VisualEditView, ReadingAndClearingFitTheView) {
    FrontForm->ShowChildForm(SewerMainForm);
    UseView();
    Read(Data("riverside.snt"));
    EXPECT_EQ(FrontForm->CurrentChildForm, VisualEditForm);
    EXPECT_DOUBLE_EQ(VisualEditForm->WorldCentreX, 35);
    EXPECT_DOUBLE_EQ(VisualEditForm->WorldCentreY, 35);
    EXPECT_EQ(StatusText(1), "Scale: 1.0");
    const double width = VisualEditForm->PaintBox->Width();
    const double height = VisualEditForm->PaintBox->Height();
    for (const SewerNode* j : FrontForm->Network->Junctions) {
        double sx = 0, sy = 0;
        VisualEditForm->WorldToScreen(j->X, j->Y, sx, sy);
        EXPECT_TRUE(sx >= 0.05 * width - 1e-9 && sx <= 0.95 * width + 1e-9) << j->Name.str();
        EXPECT_TRUE(sy >= 0.05 * height - 1e-9 && sy <= 0.95 * height + 1e-9) << j->Name.str();
    }

    VisualEditForm->SelectedJunction = FrontForm->Network->Junctions[1];
    FrontForm->Removehighlights1->Click();
    EXPECT_EQ(VisualEditForm->SelectedJunction, nullptr);

    VisualEditForm->SelectedSewer = FrontForm->Network->Sewers[0];
    FrontForm->ClearNetwork1->Click();
    EXPECT_EQ(VisualEditForm->SelectedSewer, nullptr);
    EXPECT_NEAR(VisualEditForm->WorldCentreX, 10 + 5 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(VisualEditForm->WorldCentreY, 10 + 5 * std::sqrt(0.5), 1e-9);
    EXPECT_EQ(StatusText(1), "Scale: 1.0");
}

} // namespace
