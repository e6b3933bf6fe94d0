#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include "framework/Timer.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTest>

#include <string>
#include <vector>

namespace {

using FrontWindow = ProgramWindows;

TEST_F(FrontWindow, TheCommandLinesFileIsReadAtTheFirstActivationOnly) {
    FrontForm->CommandLineFile = Data("riverside.snt");
    FrontForm->FormActivate(FrontForm);
    ASSERT_NE(FrontForm->Network, nullptr);
    EXPECT_EQ(FrontForm->Network->Sewers.size(), 3u);
    EXPECT_EQ(FrontForm->NetworkFileName, Data("riverside.snt"));
    EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Riverside scheme");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(FrontForm->CurrentChildForm, VisualEditForm);
    EXPECT_TRUE(Responder().Asked.empty());

    // The about box closing activates the main window again: nothing is read again.
    const SimpleSewerNetwork* read = FrontForm->Network;
    FrontForm->Network->Name = "Edited";
    FrontForm->FormActivate(FrontForm);
    EXPECT_EQ(FrontForm->Network, read);
    EXPECT_EQ(FrontForm->Network->Name, "Edited");
}

// A file that cannot be read is told once and leaves no network and no name to save over it.
TEST_F(FrontWindow, AnUnreadableCommandLineFileLeavesNoNetwork) {
    FrontForm->CommandLineFile = Path("missing.snt");
    FrontForm->FormActivate(FrontForm);
    EXPECT_EQ(Asked(), Texts{MessageLine("Error while reading network",
                                         "Could not open the file " + Path("missing.snt").str(),
                                         MB_OK | MB_ICONEXCLAMATION)});
    EXPECT_EQ(FrontForm->Network, nullptr);
    EXPECT_EQ(FrontForm->NetworkFileName, "");
    EXPECT_EQ(FrontForm->CurrentChildForm, VisualEditForm);
}

// The docked window fills the panel at every size, covers and hides the one docked before, and
// closing it leaves it for its owner to free.
TEST_F(FrontWindow, DockedWindowsFillThePanel) {
    FrontForm->Show();
    EXPECT_EQ(FrontForm->CurrentChildForm, VisualEditForm);
    const auto fillsPanel = [](const TForm* docked) {
        return docked->Left() == 0 && docked->Top() == 0 &&
               docked->Width() == FrontForm->FormPanel->ClientWidth() &&
               docked->Height() == FrontForm->FormPanel->ClientHeight();
    };
    EXPECT_TRUE(fillsPanel(VisualEditForm));
    const struct { int width, height; } sizes[] = {{1000, 760}, {640, 480}, {870, 650}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.width);
        FrontForm->SetBounds(FrontForm->Left(), FrontForm->Top(), size.width, size.height);
        EXPECT_TRUE(fillsPanel(VisualEditForm));
        EXPECT_EQ(FrontForm->FormPanel->ClientWidth(), size.width);
    }

    FrontForm->ShowChildForm(DataEntryForm);
    EXPECT_TRUE(fillsPanel(DataEntryForm));
    EXPECT_TRUE(DataEntryForm->View()->isVisible());
    EXPECT_FALSE(VisualEditForm->GetVisible());
    EXPECT_EQ(DataEntryForm->Parent(), FrontForm->FormPanel);

    const QPointer<QWidget> view = DataEntryForm->View();
    TCloseAction action = caHide;
    FrontForm->FormClose(FrontForm, action);
    QApplication::processEvents();
    EXPECT_EQ(FrontForm->CurrentChildForm, nullptr);
    EXPECT_FALSE(DataEntryForm->GetVisible());
    EXPECT_FALSE(view.isNull());
    FrontForm->Hide();
}

// A menu click leaves the focus in the box being edited: the box is left, and its edit applied,
// before the command acts.
TEST_F(FrontWindow, ACommandLeavesTheBoxBeingEditedFirst) {
    FrontForm->Show();
    FrontForm->View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrontForm->View()));
    FrontForm->ShowChildForm(DataEntryForm);
    DataEntryForm->TitleEdit->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(DataEntryForm->TitleEdit->Focused());
    std::vector<std::string> events;
    DataEntryForm->TitleEdit->OnExit = [&](TObject*) { events.push_back("exit"); };
    Responder().Answer(IDNO);

    FrontForm->SaveNetwork1->Click();
    FrontForm->SaveformtoClipboard1->Click();
    DataEntryForm->TitleEdit->SetFocus();
    QApplication::processEvents();
    bool mayClose = true;
    FrontForm->FormCloseQuery(FrontForm, mayClose);
    events.push_back(Responder().Asked.back().Text.str());

    EXPECT_EQ(events, (std::vector<std::string>{"exit", "exit", "Do you really want to quit?"}));
    EXPECT_FALSE(mayClose);
    FrontForm->Hide();
}

// Links left stale by editing would hide the flow coming from upstream.
TEST_F(FrontWindow, TheCalculatorDesignsTheFirstSewerOnFreshLinks) {
    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    network.AddSewer("S1", "J2", "J3", 50);
    network.AddSewer("S2", "J1", "J2", 40);
    // S2, never designed, brings 1,000 and 2,000 persons' peaked flow into J2: 1000 × 100 l × 0.85
    // × 1.8 / 86400 s = 1.77 l/s at first and 3.54 l/s at last.
    network.SetSewerPopulation("S2", 0, 0, 1000, 2000, 100, 100);

    FrontForm->Calculationform1->Click();
    EXPECT_EQ(FrontForm->CurrentChildForm, SewerMainForm);
    EXPECT_TRUE(network.Sewers[0]->Designed);
    EXPECT_FALSE(network.Sewers[1]->Designed);
    // The flows S2 hands down are worked out beside it: it keeps the none it held.
    const Sewer& above = *network.Sewers[1];
    EXPECT_EQ((std::vector<double>{above.InitialTotalQ, above.FinalTotalQ, above.InitialRawFlow,
                                   above.FinalRawFlow}),
              std::vector<double>(4, 0.0));
    EXPECT_EQ(SewerMainForm->InitialUSFlowTypedEdit->GetText(), "1.8");
    EXPECT_EQ(SewerMainForm->FinalUSFlowTypedEdit->GetText(), "3.5");

    // No sewer to design: the calculator is docked as it stands.
    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    FrontForm->ShowChildForm(DataEntryForm);
    Responder().Clear();
    FrontForm->ShowCalculationFormButton->Click();
    EXPECT_EQ(FrontForm->CurrentChildForm, SewerMainForm);
    EXPECT_TRUE(Responder().Asked.empty());
}

// A fault in the design, met from the menu, is shown once and leaves the window docked before.
TEST_F(FrontWindow, TheCalculatorsFaultReachesTheApplicationsMessage) {
    Read(Data("riverside.snt"));
    FrontForm->Network->FrictionFormula = 0;
    FrontForm->Network->ManningN = 0;
    FrontForm->ShowChildForm(DataEntryForm);
    Responder().Clear();
    FrontForm->Calculationform1->Action()->trigger();
    EXPECT_EQ(Asked(), Texts{"Drenvala: Floating point division by zero (16)"});
    EXPECT_EQ(FrontForm->CurrentChildForm, DataEntryForm);
}

// The splash made before the main window is hidden and freed two seconds after the main window's
// creation, while the about box proper lives on.
TEST_F(FrontWindow, TheSplashGoesAfterTwoSeconds) {
    TearDown();
    TComponent owner(nullptr);
    AboutBox = new TAboutBox(nullptr);
    const QPointer<QWidget> splash = AboutBox->View();
    AboutBox->Show();
    FrontForm = new TFrontForm(&owner);
    AboutBox = new TAboutBox(&owner);
    TTimer* timer = nullptr;
    for (TComponent* component : FrontForm->Components())
        if (auto* found = dynamic_cast<TTimer*>(component))
            timer = found;
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetInterval(), 2000u);
    EXPECT_FALSE(splash.isNull());
    timer->OnTimer(timer);
    EXPECT_TRUE(splash.isNull());
    EXPECT_FALSE(timer->GetEnabled());
    EXPECT_EQ(AboutBox->GetCaption(), "About");
    delete AboutBox;
    delete FrontForm;
    AboutBox = nullptr;
    FrontForm = nullptr;
}

} // namespace
