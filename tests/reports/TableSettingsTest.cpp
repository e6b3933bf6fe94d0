#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "tests/reports/ResultsTable.h"
#include "tests/support/LocaleSeparators.h"

#include <functional>
#include <string>

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

TEST_F(TableSettings, TheNetworksSettingsComeBackAsTheBoxesShowThem) {
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
        // 85.5 % and 150.4 l a day are rounded to the whole numbers their boxes hold.
        {"numbers that are not whole",
         [](SimpleSewerNetwork& n) {
             n.ReturnFactor = 0.855;
             n.InitialLCD = 150.4;
             n.MinimumDiameter = 0.2255;
         },
         "86 1.80 0 0.0130 1 1.00 0.50 0.40 . 226 x 1.50 x 150 100",
         "0.86 1.8 0 0.013 1 1 0.5 0.4 0 0.226 1 0.0015 1 150 100"},
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
