#include "tests/reports/CostingsWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TakeOff = CostingsWindow;

Texts PipeRow(int row) {
    return CostingsWindow::GridRow(CostingsForm->NetworkCostPipeDataGrid, row);
}

Texts JunctionRow(int row) {
    return CostingsWindow::GridRow(CostingsForm->NetworkCostJunctionDataGrid, row);
}

// The message of the conversion error the take-off stops with, or "no error".
std::string ConversionError(Results& results) {
    try {
        results.Run();
    } catch (const EConvertError& error) {
        return error.Message.str();
    }
    return "no error";
}

TEST_F(TakeOff, ATrenchPerSewerAndABoxPerJunction) {
    // Default allowances: trench 0.6, bedding 0.1; box base 0.1, 0.6 by 0.6, excavation 0.3. S1: W
    // = 0.15 + 0.6 = 0.75; E = (1.0 + 1.2) / 2 x 0.75 x 10 = 8.25; B = (0.1 + 0.15) x 0.75 x 10 =
    // 1.875; F = 8.25 - 1.875 = 6.375; S = 8.25 - 6.375 = 1.875.
    Results results({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
    results.Run();
    ASSERT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 3);
    // The results table's headers head the first five columns.
    const Texts headers = PipeRow(0);
    EXPECT_EQ(Texts(headers.begin(), headers.begin() + 5),
              Split("Sewer|Length (m)|Chosen Pipe Diameter (m)|Depth u/s (m)|Depth d/s (m)"));
    EXPECT_EQ(PipeRow(1), (Texts{"S1", "10.00", "0.150", "1.000", "1.200", "0.75", "8.25", "1.88", "0",
                                 "0.00", "6.38", "1.88"}));
    // The totals add the values as shown: 1.88, not 1.875.
    EXPECT_EQ(PipeRow(2), (Texts{"", "10", "", "", "", "", "8.25", "1.88", "", "0", "6.38", "1.88"}));

    // J1, at S1's upper end 1.0 m deep: H = 0.1 + 1.0 = 1.1; V = 1.1 x 0.6 x 0.6 = 0.396; X = 1.4 x
    // 0.9 x 0.9 = 1.134; base 0.6 x 0.1 x 0.6 = 0.036; walls 1.0 m high: 0.6 x 1.0 x 2 + 0.6 x 1.0
    // x 2 = 2.4; cover 0.36; backfill 1.134 - 0.396 = 0.738. J2, 1.2 m: H = 1.3; V = 0.468; X = 1.6
    // x 0.81 = 1.296; walls 2.88; backfill 0.828.
    ASSERT_EQ(CostingsForm->NetworkCostJunctionDataGrid->GetRowCount(), 4);
    EXPECT_EQ(JunctionRow(1), (Texts{"J1", "1.00", "1.10", "0.60", "0.60", "0.40", "1.13", "0.04", "2.40",
                                     "0.36", "0.74", "0.40"}));
    EXPECT_EQ(JunctionRow(2), (Texts{"J2", "1.20", "1.30", "0.60", "0.60", "0.47", "1.30", "0.04", "2.88",
                                     "0.36", "0.83", "0.47"}));
    // 1.13 + 1.30, 0.04 + 0.04, 2.40 + 2.88, 0.36 + 0.36, 0.74 + 0.83, 0.40 + 0.47.
    EXPECT_EQ(JunctionRow(3),
              (Texts{"", "", "", "", "", "", "2.43", "0.08", "5.28", "0.72", "1.57", "0.87"}));
    EXPECT_DOUBLE_EQ(CostingsForm->JunctionDepth("J2"), 1.2);
    EXPECT_DOUBLE_EQ(CostingsForm->JunctionDepth("j2"), 0);
}

TEST_F(TakeOff, WithoutAllowancesTheTrenchIsThePipeAndTheBoxItsHole) {
    for (TTypedEdit* edit :
         {CostingsForm->TrenchWidthAllowanceTypedEdit, CostingsForm->BeddingVolumeAllowanceTypedEdit,
          CostingsForm->ProtectionAllowanceTypedEdit, CostingsForm->JBoxBaseHeightTypedEdit,
          CostingsForm->JBoxExcavationAllowanceTypedEdit})
        edit->SetText("0");
    // W = D = 0.3; E = (2.0 + 2.0) / 2 x 0.3 x 20 = 12; B = D x D x L = 1.8; F = 10.2. The box: H =
    // d = 2.0; V = X = 2.0 x 0.36 = 0.72; walls 0.6 x 2 x 2 x 2 = 4.8.
    Results results({{"S1", "J1", "J2", "20.00", "0.300", "2.000", "2.000"}});
    results.Run();
    EXPECT_EQ(PipeRow(1), (Texts{"S1", "20.00", "0.300", "2.000", "2.000", "0.30", "12.00", "1.80", "0",
                                 "0.00", "10.20", "1.80"}));
    EXPECT_EQ(JunctionRow(1), (Texts{"J1", "2.00", "2.00", "0.60", "0.60", "0.72", "0.72", "0.00", "4.80",
                                     "0.36", "0.00", "0.72"}));
}

TEST_F(TakeOff, AJunctionTakesTheDeepestSewerEndThere) {
    struct Case {
        const char* label;
        std::vector<TableRow> rows;
        const char* junction;
        double depth;
    };
    const Case cases[] = {
        {"three in and one out",
         {{"A", "J1", "J", "1", "0.1", "0.5", "1.1"},
          {"B", "J2", "J", "1", "0.1", "0.5", "1.7"},
          {"C", "J3", "J", "1", "0.1", "0.5", "1.3"},
          {"D", "J", "J4", "1", "0.1", "1.5", "1.9"}},
         "J",
         1.7},
        {"the deepest leaving",
         {{"A", "J1", "J", "1", "0.1", "0.5", "1.1"}, {"D", "J", "J4", "1", "0.1", "2.5", "2.9"}},
         "J",
         2.5},
        {"a negative depth never wins", {{"A", "J1", "J", "1", "0.1", "-0.5", "-0.2"}}, "J1", 0},
        {"names match exactly", {{"A", "J1", "J", "1", "0.1", "0.5", "1.1"}}, "J ", 0},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        Results results(row.rows);
        results.Run();
        EXPECT_DOUBLE_EQ(CostingsForm->JunctionDepth(row.junction), row.depth);
    }
}

TEST_F(TakeOff, EachEndFindsItsJunctionByNameWhateverOrderTheNetworkListsItsSewersIn) {
    // A: J1 (1.0 m) to J2 (1.4 m); B: J2 (1.2 m) to J3 (1.5 m). The network lists A, then B, and
    // its junctions J1, J2, J3; the table shows B first. J2 takes the deeper of 1.4 and 1.2.
    const TableRow a{"A", "J1", "J2", "10.00", "0.150", "1.000", "1.400"};
    const TableRow b{"B", "J2", "J3", "20.00", "0.300", "1.200", "1.500"};
    Results results({a, b});
    results.Put(1, b);
    results.Put(2, a);
    results.Run();
    EXPECT_EQ(PipeRow(1)[0], "B");
    const char* const depths[] = {"1.00", "1.40", "1.50"};
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(JunctionRow(r)[1], depths[r - 1]) << "row " << r;
}

TEST_F(TakeOff, AJunctionWithoutSewersGetsABoxOfItsBaseOnly) {
    Results results({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
    results.network.FindOrAddJunction("Lone");
    results.Run();
    ASSERT_EQ(CostingsForm->NetworkCostJunctionDataGrid->GetRowCount(), 5);
    // H = 0.1; V = 0.036; X = 0.4 x 0.9 x 0.9 = 0.324; no walls.
    EXPECT_EQ(JunctionRow(3), (Texts{"Lone", "0.00", "0.10", "0.60", "0.60", "0.04", "0.32", "0.04", "0.00",
                                     "0.36", "0.29", "0.04"}));
}

TEST_F(TakeOff, ASmallerNetworkLeavesNothingOfTheLargerOne) {
    Results two({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"},
                 {"S2", "J2", "J3", "20.00", "0.300", "1.200", "1.500"}});
    two.Run();
    Results one({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
    one.Run();
    EXPECT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 3);
    EXPECT_EQ(PipeRow(2), (Texts{"", "10", "", "", "", "", "8.25", "1.88", "", "0", "6.38", "1.88"}));
    EXPECT_EQ(JunctionRow(3),
              (Texts{"", "", "", "", "", "", "2.43", "0.08", "5.28", "0.72", "1.57", "0.87"}));
}

TEST_F(TakeOff, ColumnsHiddenInTheResultsTableAreReadAllTheSame) {
    Results results({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
    results.grid->HideColumn(TableForm->LengthColumn);
    results.grid->HideColumn(TableForm->USDepthColumn);
    results.grid->HideColumn(TableForm->DSJunctionColumn);
    results.Run();
    EXPECT_EQ(PipeRow(1), (Texts{"S1", "10.00", "0.150", "1.000", "1.200", "0.75", "8.25", "1.88", "0",
                                 "0.00", "6.38", "1.88"}));
    EXPECT_EQ(JunctionRow(2)[1], "1.20");
}

TEST_F(TakeOff, ACellThatIsNoNumberStopsItThere) {
    Results results({{"S1", "J1", "J2", "10.00", "0.150", "1.000", "1.200"},
                     {"S2", "J2", "J3", "", "0.300", "1.200", "1.500"}});
    EXPECT_EQ(ConversionError(results), "'' is not a valid floating point value");
    EXPECT_EQ(PipeRow(1)[5], "0.75");
}

TEST_F(TakeOff, AVolumeTooLargeForANumberStopsItAtTheTotals) {
    // E = (10 + 10) / 2 x 0.75 x 1e308 overflows: its text is no number, and the totals, read back
    // column by column, stop there after the length's.
    Results results({{"S1", "J1", "J2", "1e308", "0.150", "10", "10"}});
    EXPECT_EQ(ConversionError(results), "'INF' is not a valid floating point value");
    EXPECT_EQ(PipeRow(1)[6], "INF");
    EXPECT_EQ(PipeRow(2), (Texts{"", "1E308", "", "", "", "", "", "", "", "", "", ""}));
}

} // namespace
