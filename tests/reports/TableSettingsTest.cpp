#include "framework/Clipboard.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "tests/reports/ResultsTable.h"
#include "tests/support/LocaleSeparators.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <string>
#include <utility>

namespace {

using TableSettings = ResultsTable;

// The fifteen settings the window writes, in its order.
std::string Settings(const SimpleSewerNetwork& n) {
    std::string text;
    for (const double value :
         {n.ReturnFactor, n.PeakFlowFactor, static_cast<double>(n.FrictionFormula), n.ManningN,
          static_cast<double>(n.UseMinimumTauCalc), n.MinimumTau, n.MinimumSelfCleaningVel,
          n.MinimumSewerCover, static_cast<double>(n.UseDiameterLimiting), n.MinimumDiameter,
          static_cast<double>(n.UseDischargeLimiting), n.MinimumDischarge,
          static_cast<double>(n.UseGroundSlopeLimiting), n.InitialLCD, n.FinalLCD})
        text += (text.empty() ? "" : " ") + FloatToStr(value).str();
    return text;
}

// The boxes and choices in the same order.
std::string Boxes() {
    const TTableForm& t = *TableForm;
    const auto box = [](const TTypedEdit* edit) { return edit->GetText().str(); };
    const auto check = [](const TCheckBox* c) { return std::string(c->GetChecked() ? "x" : "."); };
    return box(t.returnTypedEdit) + " " + box(t.peakTypedEdit) + " " +
           std::to_string(t.FrictionFormulaRadioGroup->GetItemIndex()) + " " + box(t.nTypedEdit) + " " +
           std::to_string(t.CalcTypeRadioGroup->GetItemIndex()) + " " + box(t.tauTypedEdit) + " " +
           box(t.vscTypedEdit) + " " + box(t.MinDepthTypedEdit) + " " + check(t.DiameterLimitCheckBox) + " " +
           box(t.MinDTypedEdit) + " " + check(t.FlowLimitCheckBox) + " " + box(t.MinQTypedEdit) + " " +
           check(t.GroundSlopeCheckBox) + " " + box(t.InitialLCDTypedEdit) + " " + box(t.FinalLCDTypedEdit);
}

TEST_F(TableSettings, TheBoxesShowTheNetworksSettingsAndUntouchedGiveThemBack) {
    const LocaleSeparators point('.', ',');
    struct Case {
        const char* label;
        std::function<void(SimpleSewerNetwork&)> change;
        const char* boxes;
        const char* writtenBack;
    };
    const Case cases[] = {
        {"the constructor's defaults", [](SimpleSewerNetwork&) {},
         "85 1.80 0 0.0130 1 1.00 0.50 0.40 . 300 x 1.50 x 100 100",
         "0.85 1.8 0 0.013 1 1 0.5 0.4 0 0.3 1 0.0015 1 100 100"},
        // 85.5 % and 150.4 l a day show as the whole numbers their boxes hold; boxes left as they
        // were give back the network's own numbers.
        {"numbers that are not whole",
         [](SimpleSewerNetwork& n) {
             n.ReturnFactor = 0.855;
             n.InitialLCD = 150.4;
             n.MinimumDiameter = 0.2255;
         },
         "86 1.80 0 0.0130 1 1.00 0.50 0.40 . 226 x 1.50 x 150 100",
         "0.855 1.8 0 0.013 1 1 0.5 0.4 0 0.2255 1 0.0015 1 150.4 100"},
        {"velocity sizing, Colebrook-White, no limits",
         [](SimpleSewerNetwork& n) {
             n.UseMinimumTauCalc = false;
             n.FrictionFormula = 1;
             n.UseDischargeLimiting = false;
             n.UseGroundSlopeLimiting = false;
             n.MinimumDischarge = 0.002;
             n.ManningN = 0.012;
         },
         "85 1.80 1 0.0120 0 1.00 0.50 0.40 . 300 . 2.00 . 100 100",
         "0.85 1.8 1 0.012 0 1 0.5 0.4 0 0.3 0 0.002 0 100 100"},
        {"a friction formula beyond the choices", [](SimpleSewerNetwork& n) { n.FrictionFormula = 7; },
         "85 1.80 2 0.0130 1 1.00 0.50 0.40 . 300 x 1.50 x 100 100",
         "0.85 1.8 2 0.013 1 1 0.5 0.4 0 0.3 1 0.0015 1 100 100"},
        {"a friction formula below them", [](SimpleSewerNetwork& n) { n.FrictionFormula = -4; },
         "85 1.80 -1 0.0130 1 1.00 0.50 0.40 . 300 x 1.50 x 100 100",
         "0.85 1.8 -1 0.013 1 1 0.5 0.4 0 0.3 1 0.0015 1 100 100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SimpleSewerNetwork& n = Install(std::make_unique<SimpleSewerNetwork>());
        c.change(n);
        TableForm->SettingsFromNetwork();
        EXPECT_EQ(Boxes(), c.boxes);
        TableForm->SettingsToNetwork();
        EXPECT_EQ(Settings(n), c.writtenBack);
    }
    // The persons per house are the window's own.
    EXPECT_EQ(TableForm->InitialPeopleTypedEdit->GetText(), "5");
}

TEST_F(TableSettings, ABoxThatIsNoNumberChangesNothingInTheNetwork) {
    const TTableForm& t = *TableForm;
    for (TTypedEdit* box : {t.returnTypedEdit, t.peakTypedEdit, t.nTypedEdit, t.tauTypedEdit, t.vscTypedEdit,
                            t.MinDepthTypedEdit, t.MinDTypedEdit, t.MinQTypedEdit, t.InitialLCDTypedEdit,
                            t.FinalLCDTypedEdit}) {
        SimpleSewerNetwork& n = Install(std::make_unique<SimpleSewerNetwork>());
        const std::string before = Settings(n);
        const AnsiString text = box->GetText();
        SCOPED_TRACE(text.str());
        box->SetWindowText("");
        try {
            TableForm->SettingsToNetwork();
            ADD_FAILURE() << "no conversion error";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message, "'' is not a valid floating point value");
        }
        EXPECT_EQ(Settings(n), before);
        box->SetText(text);
    }
}

} // namespace

namespace {

// tests/data/riverside.snt holds return factor 0.8, peak 2.5, Colebrook-White, n 0.012, velocity
// sizing, tau 1.5, velocity 0.75, cover 1.2, a minimum diameter of 0.225 m, no flow limit at
// 0.002 m3/s, no ground slope limit, 120 and 150 litres a day.
TEST_F(TableSettings, EveryReadOfANetworkShowsItsSettings) {
    const LocaleSeparators point('.', ',');
    const std::string riverside = "80 2.50 1 0.0120 0 1.50 0.75 1.20 x 225 . 2.00 . 120 150";
    Read(Data("riverside.snt"));
    EXPECT_EQ(Boxes(), riverside);

    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    TableForm->SettingsFromNetwork();
    FrontForm->CommandLineFile = Data("riverside.snt");
    FrontForm->OpenCommandLineNetwork();
    EXPECT_EQ(Boxes(), riverside);

    // A file that cannot be read leaves the boxes as they were.
    FrontForm->CommandLineFile = Path("missing.snt");
    FrontForm->OpenCommandLineNetwork();
    EXPECT_EQ(Boxes(), riverside);
}

} // namespace

namespace {

// The main window shown with the results table docked, the riverside network designed in it.
class TableSettingsShown : public ResultsTable {
protected:
    void SetUp() override {
        ResultsTable::SetUp();
        FrontForm->Show();
        FrontForm->View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FrontForm->View()));
    }

    void TearDown() override {
        FrontForm->Hide();
        ResultsTable::TearDown();
    }

    // The riverside network from file, designed through the Results Table button, unchanged.
    void ShowTable(const AnsiString& file) {
        Read(file);
        ASSERT_NE(FrontForm->Network, nullptr);
        FrontForm->Network->SetSewerDatum("S3", true, true, 0);
        QTest::mouseClick(FrontForm->ShowTableFormButton->View(), Qt::LeftButton);
        ASSERT_EQ(FrontForm->CurrentChildForm, TableForm);
        ASSERT_EQ(Told(), Texts{});
        DataEntryForm->NetworkChanged = false;
    }

    // What the quit asks, every question answered No.
    static Texts QuitAsks() {
        Responder().Clear();
        Responder().Answer(IDNO);
        Responder().Answer(IDNO);
        bool mayClose = true;
        FrontForm->FormCloseQuery(FrontForm, mayClose);
        EXPECT_FALSE(mayClose);
        return Told();
    }
};

const std::string QuitSave =
    "Network Changed: The network has been changed, do you want to save it before you quit? (36)";
const std::string Quit = "Really Quit: Do you really want to quit? (36)";

// Types text over the value of box.
void Type(TTypedEdit* box, const char* text) {
    box->SetFocus();
    QApplication::processEvents();
    box->SelectAll();
    QTest::keyClick(box->View(), Qt::Key_Delete);
    QTest::keyClicks(box->View(), text);
}

void ClickUpdate() {
    QTest::mouseClick(TableForm->UpdateTableFromNetworkButton->View(), Qt::LeftButton);
}

// tests/data/riverside.snt holds a return factor of 0.8 and a peak factor of 2.5; here they are
// 0.8555 and 1.0121, which the boxes show as 86 and 1.01.
TEST_F(TableSettingsShown, AnUpdateLeavesTheNetworksOwnValuesAndAsksNothingMore) {
    const LocaleSeparators point('.', ',');
    std::string file = Bytes(Data("riverside.snt"));
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"  0.8000 <= ReturnFactor", "  0.8555 <= ReturnFactor"},
          {"  2.5000 <= PeakFlowFactor", "  1.0121 <= PeakFlowFactor"}}) {
        const std::size_t at = file.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        file.replace(at, from.size(), to);
    }
    ASSERT_TRUE(WriteFileBytes(Path("finer.snt"), file));
    ShowTable(Path("finer.snt"));
    EXPECT_EQ(TableForm->returnTypedEdit->GetText(), "86");
    EXPECT_EQ(TableForm->peakTypedEdit->GetText(), "1.01");
    ClickUpdate();
    EXPECT_EQ(Told(), Texts{});

    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(QuitAsks(), Texts{Quit});
    Responder().AnswerFile(Path("saved.snt"));
    FrontForm->Save1->Click();
    const std::string saved = Bytes(Path("saved.snt"));
    EXPECT_NE(saved.find("  0.8555 <= ReturnFactor"), std::string::npos);
    EXPECT_NE(saved.find("  1.0121 <= PeakFlowFactor"), std::string::npos);
}

// Mended: a minus pasted into the unsigned peak factor went in, and Update then set the network's
// peak factor to -3 and failed to design it.
TEST_F(TableSettingsShown, ASignPastedIntoAnUnsignedSettingIsRefused) {
    const LocaleSeparators point('.', ',');
    ShowTable(Data("riverside.snt"));
    ASSERT_EQ(TableForm->peakTypedEdit->GetText(), "2.50");
    for (const char* pasted : {"-3", "3-", "-"}) {
        SCOPED_TRACE(pasted);
        TableForm->peakTypedEdit->SetFocus();
        QApplication::processEvents();
        TableForm->peakTypedEdit->SelectAll();
        Clipboard().SetAsText(pasted);
        QTest::keyClick(TableForm->peakTypedEdit->View(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(TableForm->peakTypedEdit->GetText(), "2.50");
        ClickUpdate();
        EXPECT_EQ(Told(), Texts{});
        EXPECT_DOUBLE_EQ(FrontForm->Network->PeakFlowFactor, 2.5);
    }
}

// A setting the user changes in the table is an edit the quit offers to save; one typed as the
// box showed it is none.
TEST_F(TableSettingsShown, AChangedSettingIsAnUnsavedEdit) {
    const LocaleSeparators point('.', ',');
    const auto clickRadio = [](TRadioGroup* group, const char* item) {
        QApplication::processEvents();
        for (QRadioButton* radio : group->View()->findChildren<QRadioButton*>())
            if (radio->text() == item)
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    };
    const auto clickCheck = [](TCheckBox* check) {
        QApplication::processEvents();
        QTest::mouseClick(check->View(), Qt::LeftButton, {}, QPoint(6, check->View()->height() / 2));
    };
    // Riverside: return factor 80 %, peak factor 2.50, Colebrook-White, no minimum flow.
    const struct {
        const char* label;
        std::function<void()> act;
        bool changed;
        const char* peak;
        int friction;
        bool flowLimit;
    } rows[] = {
        {"nothing touched", [] {}, false, "2.5", 1, false},
        {"the return factor typed as it shows", [] { Type(TableForm->returnTypedEdit, "80"); }, false, "2.5",
         1, false},
        {"a peak factor typed", [] { Type(TableForm->peakTypedEdit, "2.6"); }, true, "2.6", 1, false},
        // Mended: the comma was refused and the digits closed up to 260.
        {"a peak factor typed with a decimal comma", [] { Type(TableForm->peakTypedEdit, "2,60"); }, true,
         "2.6", 1, false},
        {"G-Manning clicked", [&] { clickRadio(TableForm->FrictionFormulaRadioGroup, "G-Manning"); }, true,
         "2.5", 0, false},
        {"the minimum flow checked", [&] { clickCheck(TableForm->FlowLimitCheckBox); }, true, "2.5", 1, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShowTable(Data("riverside.snt"));
        row.act();
        ClickUpdate();
        EXPECT_EQ(Told(), Texts{});

        const SimpleSewerNetwork& n = *FrontForm->Network;
        EXPECT_EQ(FloatToStr(n.PeakFlowFactor), row.peak);
        EXPECT_EQ(n.FrictionFormula, row.friction);
        EXPECT_EQ(n.UseDischargeLimiting, row.flowLimit);
        EXPECT_EQ(DataEntryForm->NetworkChanged, row.changed);
        EXPECT_EQ(QuitAsks(), row.changed ? (Texts{QuitSave, Quit}) : Texts{Quit});
    }
}

} // namespace
