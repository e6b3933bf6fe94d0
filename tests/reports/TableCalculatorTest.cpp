#include "framework/NumberFormat.h"
#include "network/Sewermainform.h"
#include "tests/reports/ResultsTable.h"

#include <string>

namespace {

using TableCalculator = ResultsTable;

// S1 (J1 to J3, 650 / 1,000 persons) and S2 (J2 to J3, 1,200 / 2,100) join into S3 (J3 to J4,
// nobody of its own), listed with the sewer named first at the head of the list. With houses,
// S1's persons are 130 / 200 houses of 5, which no design has counted yet.
std::unique_ptr<SimpleSewerNetwork> JoiningSewers(const std::string& first, bool houses = false) {
    auto n = std::make_unique<SimpleSewerNetwork>();
    const struct {
        const char *name, *us, *ds;
        double length;
        int initial, final;
    } sewers[] = {
        {"S1", "J1", "J3", 50, 650, 1000}, {"S2", "J2", "J3", 60, 1200, 2100}, {"S3", "J3", "J4", 40, 0, 0}};
    for (const bool head : {true, false})
        for (const auto& s : sewers)
            if ((s.name == first) == head) {
                n->AddSewer(s.name, s.us, s.ds, s.length);
                if (houses && s.initial == 650)
                    n->SetSewerHouses(s.name, 0, 0, 130, 200, 5, 5, 100, 100);
                else
                    n->SetSewerPopulation(s.name, 0, 0, s.initial, s.final, 100, 100);
            }
    for (const auto& [junction, z] : {std::pair{"J1", 10.0}, {"J2", 10.0}, {"J3", 9.5}, {"J4", 9.3}})
        n->SetJunctionLevel(junction, z);
    n->SetSewerDatum("S3", true, true, 0);
    return n;
}

// What a design leaves in a sewer, as the results table shows it.
std::string DesignOf(const Sewer& s) {
    std::string design;
    for (const double value : {s.InitialTotalQ, s.FinalTotalQ, s.Slope, s.CalculatedDiameter,
                               s.ChosenDiameter, s.InitialdD, s.FinaldD, s.InitialVelocity, s.FinalVelocity})
        design += " " + FloatToStr(value).str();
    return design;
}

// Mended: after a read the sewers above had handed down no design flow, so the calculator
// designed S3 as if nothing came from above and kept that design; then a sewer above in houses
// handed down nothing until a design had counted its persons, and S3 kept total flows summed
// from the totals the file held. Designed alone, a sewer now takes what the whole design hands
// it, whatever was designed before the save.
TEST_F(TableCalculator, TheCalculatorDesignsEachSewerOfAReadNetworkAsTheTableDoes) {
    const struct {
        const char* first;
        // The flows from above the calculator shows, l/s, at the results window's settings that
        // the save wrote (50 and 120 l/cap/day, return 80 %, peak 2.40): 650 × 50 l × 0.8 × 2.4 /
        // 86400 s = 0.7222 from S1 and 1.3333 from S2 at first, 2.6667 and 5.6 at last.
        const char *initialFromAbove, *finalFromAbove;
    } sewers[] = {{"S1", "0.0", "0.0"}, {"S2", "0.0", "0.0"}, {"S3", "2.1", "8.3"}};
    for (const bool houses : {false, true})
        for (const bool designedBeforeSave : {false, true})
            for (const auto& sewer : sewers) {
                SCOPED_TRACE(std::string(sewer.first) + (houses ? ", S1 in houses" : "") +
                             (designedBeforeSave ? ", designed before the save" : ""));
                Install(JoiningSewers(sewer.first, houses));
                if (designedBeforeSave)
                    FrontForm->ResultsTable1->Click();
                Responder().AnswerFile(Path("joined.snt"));
                FrontForm->Save1->Click();
                Read(Path("joined.snt"));
                ASSERT_EQ(FrontForm->Network->Sewers[0]->Name.str(), sewer.first);

                FrontForm->Calculationform1->Click();
                EXPECT_EQ(SewerMainForm->InitialUSFlowTypedEdit->GetText().str(), sewer.initialFromAbove);
                EXPECT_EQ(SewerMainForm->FinalUSFlowTypedEdit->GetText().str(), sewer.finalFromAbove);
                const std::string calculated = DesignOf(*FrontForm->Network->Sewers[0]);
                FrontForm->ResultsTable1->Click();
                EXPECT_EQ(calculated, DesignOf(*FrontForm->Network->GetSewer(sewer.first)));
                EXPECT_EQ(Told(), Texts{});
            }
}

} // namespace
