#include "tests/network/SampleNetworks.h"

#include "framework/NumberFormat.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(NetworkModelTest, NamesAreFoundExactlyAndFirstInListOrder) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    n.AddSewer("S2", "J2", "J3", 10);
    n.AddSewer("S3", "J3", "J4", 10);
    // S3 takes S1's name; S1, still first, is what the name finds.
    n.EditSewer("S3", "S1", "J3", false, "J4", false, 10);
    Sewer* first = n.Sewers[0];
    Sewer* renamed = n.Sewers[2];
    n.Junctions[1]->SetName("Jtwo");
    struct Row {
        const char* label;
        std::function<void()> edit;
        std::vector<std::pair<const char*, int>> sewers, junctions;
    };
    const Row rows[] = {
        {"after the edits",
         [] {},
         {{"S1", 0}, {"s1", -1}, {"S3", -1}, {"S2", 1}, {"", -1}},
         {{"J2", -1}, {"Jtwo", 1}, {"j1", -1}, {"J4", 3}}},
        {"first S1 deleted", [&] { EXPECT_EQ(n.DeleteSewer("S1"), 0); }, {{"S1", 1}, {"S2", 0}}, {}},
        {"a sewer named by the empty name", [&] { renamed->SetName(""); }, {{"", 1}, {"S1", -1}}, {}},
        {"a junction deleted",
         [&] { EXPECT_EQ(n.DeleteJunctionIfUnused("J1"), 0); },
         {},
         {{"Jtwo", 0}, {"J4", 2}}},
        {"a later sewer named first",
         [&] {
             renamed->SetName("X");
             n.Sewers[0]->SetName("X");
         },
         {{"X", 0}, {"S2", -1}},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        row.edit();
        for (const auto& [name, index] : row.sewers) {
            SCOPED_TRACE(name);
            EXPECT_EQ(n.SewerIndex(name), index);
            EXPECT_EQ(n.GetSewer(name), index < 0 ? nullptr : n.Sewers[static_cast<std::size_t>(index)]);
        }
        for (const auto& [name, index] : row.junctions) {
            SCOPED_TRACE(name);
            EXPECT_EQ(n.JunctionIndex(name), index);
        }
    }
    // A deleted sewer is out of the list but still safe to read through an old pointer.
    EXPECT_EQ(first->Name, "S1");
    EXPECT_EQ(n.FindOrAddSewer("X"), 0);
    EXPECT_EQ(n.FindOrAddSewer("S9"), 2);
}

TEST(NetworkModelTest, AddingASewerPlacesANewDownstreamJunctionAtFortyFiveDegrees) {
    struct Row {
        const char* label;
        std::function<void(SimpleSewerNetwork&)> before;
        double length;
        double usX, usY, dsX, dsY;
    };
    // 10 + 20 cos 45 = 10 + 14.1421356 = 24.1421356.
    const Row rows[] = {
        {"empty network", [](SimpleSewerNetwork&) {}, 20, 10, 10, 24.1421356, 24.1421356},
        {"existing upstream junction moved", [](SimpleSewerNetwork& n) { n.SetJunction("J1", 0, 3, 4); }, 20,
         3, 4, 17.1421356, 18.1421356},
        {"existing downstream junction stays", [](SimpleSewerNetwork& n) { n.SetJunction("J2", 0, 50, 60); },
         20, 10, 10, 50, 60},
        {"relinked sewer keeps one entry", [](SimpleSewerNetwork& n) { n.AddSewer("S1", "JA", "JB", 5); }, 20,
         10, 10, 24.1421356, 24.1421356},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork n;
        row.before(n);
        EXPECT_EQ(n.AddSewer("S1", "J1", "J2", row.length), 0);
        ASSERT_EQ(n.Sewers.size(), 1u);
        const Sewer& s = *n.Sewers[0];
        EXPECT_DOUBLE_EQ(s.Length, row.length);
        EXPECT_EQ(s.USJunctionName, "J1");
        EXPECT_EQ(s.UpstreamNode->Name, "J1");
        EXPECT_EQ(s.DownstreamNode->Name, "J2");
        EXPECT_NEAR(s.UpstreamNode->X, row.usX, 1e-6);
        EXPECT_NEAR(s.UpstreamNode->Y, row.usY, 1e-6);
        EXPECT_NEAR(s.DownstreamNode->X, row.dsX, 1e-6);
        EXPECT_NEAR(s.DownstreamNode->Y, row.dsY, 1e-6);
    }
}

TEST(NetworkModelTest, AddingASewerAtPointsMovesBothJunctions) {
    SimpleSewerNetwork n;
    n.SetJunction("J2", 5, 100, 100);
    EXPECT_EQ(n.AddSewerAt("S1", "J1", "J2", 1, 2, 4, 6), 0);
    const Sewer& s = *n.Sewers[0];
    // sqrt(3^2 + 4^2) = 5.
    EXPECT_DOUBLE_EQ(s.Length, 5);
    EXPECT_DOUBLE_EQ(s.UpstreamNode->X, 1);
    EXPECT_DOUBLE_EQ(s.UpstreamNode->Y, 2);
    EXPECT_DOUBLE_EQ(s.DownstreamNode->X, 4);
    EXPECT_DOUBLE_EQ(s.DownstreamNode->Y, 6);
    EXPECT_DOUBLE_EQ(s.DownstreamNode->Z, 5);
}

TEST(NetworkModelTest, EditingASewerRelinksItAndKeepsOldJunctions) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    EXPECT_EQ(n.EditSewer("S9", "S10", "J1", false, "J2", false, 10), 1);
    EXPECT_EQ(n.EditSewer("S1", "S10", "J5", true, "J6", true, 33), 0);
    const Sewer& s = *n.Sewers[0];
    EXPECT_EQ(s.Name, "S10");
    EXPECT_DOUBLE_EQ(s.Length, 33);
    EXPECT_TRUE(s.UpstreamEnd->DropJunction);
    EXPECT_TRUE(s.DownstreamEnd->DropJunction);
    EXPECT_EQ(s.UpstreamNode->Name, "J5");
    EXPECT_EQ(s.DownstreamNode->Name, "J6");
    EXPECT_EQ(n.Junctions.size(), 4u);
}

TEST(NetworkModelTest, DeletingAJunctionInUseNamesTheFirstSewerUsingIt) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    n.AddSewer("S2", "J3", "J4", 10);
    n.AddSewer("S5", "J4", "J5", 10);
    n.FindOrAddJunction("J9");
    struct Row {
        const char* label;
        const char* junction;
        bool tell;
        int result;
        std::vector<std::string> messages;
        std::size_t junctionsLeft;
    };
    const Row rows[] = {
        {"in use by S2 and S5",
         "J4",
         true,
         1,
         {"This junction is in use by sewer S2. Delete the sewer first, then the junction."},
         6},
        {"in use, without a message", "J4", false, 1, {}, 6},
        {"no such junction", "j9", true, 1, {}, 6},
        {"unused", "J9", true, 0, {}, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        EXPECT_EQ(row.tell ? n.DeleteJunction(row.junction) : n.DeleteJunctionIfUnused(row.junction),
                  row.result);
        ASSERT_EQ(Responder().Asked.size(), row.messages.size());
        for (std::size_t i = 0; i < row.messages.size(); ++i) {
            EXPECT_EQ(Responder().Asked[i].Text.str(), row.messages[i]);
            EXPECT_EQ(Responder().Asked[i].Caption, "Error");
            EXPECT_EQ(Responder().Asked[i].Flags, MB_OK);
        }
        EXPECT_EQ(n.Junctions.size(), row.junctionsLeft);
    }
    Responder().Clear();
}

TEST(NetworkModelTest, SettingPopulationsWaterUseAndLevels) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    // The network's water use changes even when the sewer is unknown.
    EXPECT_EQ(n.SetSewerHouses("S9", 1, 2, 3, 4, 5, 6, 150, 160), 1);
    EXPECT_DOUBLE_EQ(n.InitialLCD, 150);
    EXPECT_DOUBLE_EQ(n.FinalLCD, 160);
    // House mode keeps the population entered before; the population mode keeps the houses.
    EXPECT_EQ(n.SetSewerPopulation("S1", 7, 8, 300, 400, 110, 120), 0);
    EXPECT_EQ(n.SetSewerHouses("S1", 1, 2, 3, 4, 5, 6, 150, 160), 0);
    const FlowCalc& p = n.Sewers[0]->Population;
    EXPECT_FALSE(p.PopulationEnteredDirectly);
    EXPECT_EQ(p.FinalHousePopulation, 6);
    EXPECT_EQ(p.InitialPopulation, 300);

    EXPECT_EQ(n.SetJunctionLevel("J7", 55.5), 0);
    EXPECT_EQ(n.Junctions.back()->Name, "J7");
    EXPECT_DOUBLE_EQ(n.Junctions.back()->X, 10);

    // The datum level is held apart from the level that levelling uses.
    n.SetSewerDatum("S1", true, false, 98.25);
    EXPECT_DOUBLE_EQ(n.Sewers[0]->UpstreamEnd->DatumLevel, 98.25);
    EXPECT_DOUBLE_EQ(n.Sewers[0]->UpstreamEnd->Level, 0);

    n.RenameJunction("J2", "Outfall");
    EXPECT_EQ(n.Sewers[0]->DSJunctionName, "Outfall");
    EXPECT_EQ(n.Sewers[0]->DownstreamNode->Name, "J2");
}

TEST(NetworkModelTest, DomesticAndUpstreamFlows) {
    struct Row {
        const char* label;
        bool direct;
        int houses, persons, population;
        double lcd;
        int storedPopulation;
        double flow;
    };
    // 100 persons x 100 l/day = 10 000 l/day = 10 m^3 / 86400 s = 1.1574074e-4 m^3/s.
    const Row rows[] = {
        {"25 houses of 4", false, 25, 4, 7, 100, 100, 1.1574074074e-4},
        {"entered directly", true, 25, 4, 100, 100, 100, 1.1574074074e-4},
        {"200 l at 50 persons", true, 0, 0, 50, 200, 50, 1.1574074074e-4},
        {"houses beyond the integer range", false, 100000, 100000, 0, 0, 2147483647, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        FlowCalc p;
        p.PopulationEnteredDirectly = row.direct;
        p.InitialNumberOfHouses = p.FinalNumberOfHouses = row.houses;
        p.InitialHousePopulation = p.FinalHousePopulation = row.persons;
        p.InitialPopulation = p.FinalPopulation = row.population;
        EXPECT_NEAR(p.InitialFlow(row.lcd), row.flow, 1e-12);
        EXPECT_NEAR(p.FinalFlow(row.lcd), row.flow, 1e-12);
        EXPECT_EQ(p.InitialPopulation, row.storedPopulation);
        EXPECT_EQ(p.FinalPopulation, row.storedPopulation);
    }

    SimpleSewerNetwork n;
    n.AddSewer("A", "J1", "J3", 10);
    n.AddSewer("B", "J2", "J3", 10);
    n.AddSewer("C", "J3", "J4", 10);
    n.GetSewer("A")->InitialTotalQ = 0.25;
    n.GetSewer("A")->FinalTotalQ = 0.5;
    n.GetSewer("B")->InitialTotalQ = 0.125;
    n.GetSewer("B")->FinalTotalQ = 1;
    n.GetSewer("C")->InitialTotalQ = 8;
    n.BuildConnections();
    EXPECT_DOUBLE_EQ(n.GetSewer("C")->UpstreamInitialFlow(), 0.375);
    EXPECT_DOUBLE_EQ(n.GetSewer("C")->UpstreamFinalFlow(), 1.5);
    EXPECT_DOUBLE_EQ(n.GetSewer("A")->UpstreamInitialFlow(), 0);
}

TEST(NetworkModelTest, ExtentsAndNearestItems) {
    struct Row {
        const char* label;
        std::vector<std::pair<double, double>> junctions;
        double xmin, ymin, xmax, ymax;
    };
    const Row rows[] = {
        {"no junctions", {}, 1e21, 1e21, -1e21, -1e21},
        {"one junction", {{3, 4}}, 3, 4, 4, 5},
        {"a column", {{3, 4}, {3, -2}}, 3, -2, 4, 4},
        {"a box", {{3, 4}, {-1, 9}, {7, 0}}, -1, 0, 7, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork n;
        for (std::size_t i = 0; i < row.junctions.size(); ++i)
            n.SetJunction("J" + IntToStr(static_cast<std::int64_t>(i)), 0, row.junctions[i].first,
                          row.junctions[i].second);
        double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
        n.GetExtents(xmin, ymin, xmax, ymax);
        EXPECT_DOUBLE_EQ(xmin, row.xmin);
        EXPECT_DOUBLE_EQ(ymin, row.ymin);
        EXPECT_DOUBLE_EQ(xmax, row.xmax);
        EXPECT_DOUBLE_EQ(ymax, row.ymax);
    }

    SimpleSewerNetwork n;
    EXPECT_EQ(n.NearestJunction(0, 0), nullptr);
    n.AddSewerAt("S1", "J1", "J2", 0, 0, 10, 0);
    n.AddSewerAt("S2", "J3", "J4", 0, 10, 10, 10);
    // (5, 5) is 7.07 from every junction and 5 from both mid-points: the first wins.
    EXPECT_EQ(n.NearestJunction(5, 5)->Name, "J1");
    EXPECT_EQ(n.NearestJunction(9, 9)->Name, "J4");
    EXPECT_EQ(n.NearestSewer(5, 5)->Name, "S1");
    EXPECT_EQ(n.NearestSewer(5, 8)->Name, "S2");
    EXPECT_EQ(n.NearestJunction(2e10, 0), nullptr);
}

// Deleted objects and a replaced network stay readable through the references others still hold.
TEST(NetworkModelTest, RemovedObjectsOutliveTheReferencesToThem) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    n.AddSewer("S2", "J2", "J3", 10);
    n.SetSewerDatum("S1", true, true, 0);
    ASSERT_EQ(n.CheckNetwork(), 0);
    Sewer* selected = n.GetSewer("S2");
    SewerNode* junction = n.Junctions[0];
    EXPECT_EQ(n.DeleteSewer("S2"), 0);
    EXPECT_EQ(n.DeleteSewer("S2"), 1);
    EXPECT_EQ(n.PackSewers(), 1);
    EXPECT_EQ(n.Subnets[0][0]->Name, "S2");
    EXPECT_EQ(n.Junctions[1]->ConnectedSewers[1]->Name, "S2");
    selected->SetName("S1");
    EXPECT_EQ(n.SewerIndex("S1"), 0);

    Responder().Clear();
    ASSERT_EQ(n.ReadFromFile(Ansi(TestData("riverside.snt"))), 0);
    EXPECT_TRUE(n.Subnets.empty());
    EXPECT_EQ(n.Sewers.size(), 3u);
    EXPECT_EQ(junction->Name, "J1");
    EXPECT_EQ(selected->UpstreamNode->Name, "J2");
}

} // namespace
