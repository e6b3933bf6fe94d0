#include "tests/network/SampleNetworks.h"

#include "framework/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// links: "sewer us ds" triples in list order; datums on the upstream ends of the named sewers,
// drops on their downstream ends.
void Build(SimpleSewerNetwork& n, const std::string& links, const std::string& datums = "",
           const std::string& drops = "") {
    std::string s, us, ds;
    for (std::istringstream in(links); in >> s >> us >> ds;)
        n.AddSewer(s, us, ds, 10);
    for (std::istringstream in(datums); in >> s;)
        n.SetSewerDatum(s, true, true, 0);
    for (std::istringstream in(drops); in >> s;)
        n.GetSewer(s)->DownstreamEnd->DropJunction = true;
}

std::string Listed(const std::vector<Sewer*>& sewers) {
    std::string text;
    for (const Sewer* s : sewers)
        text += (text.empty() ? "" : " ") + s->Name.str();
    return text;
}

TEST(NetworkModelTest, EditsRelinkSewersAndNamesFindTheFirstInListOrder) {
    SimpleSewerNetwork n;
    Build(n, "S1 J1 J2  S2 J2 J3  S3 J3 J4");
    EXPECT_EQ(n.EditSewer("S9", "S10", "J1", false, "J2", false, 10), 1);
    // S3 takes S1's name and new junctions; S1, still first, is what the name finds.
    EXPECT_EQ(n.EditSewer("S3", "S1", "J5", true, "J6", true, 33), 0);
    Sewer* renamed = n.Sewers[2];
    EXPECT_TRUE(renamed->UpstreamEnd->DropJunction);
    EXPECT_TRUE(renamed->DownstreamEnd->DropJunction);
    EXPECT_EQ(renamed->UpstreamNode->Name, "J5");
    EXPECT_EQ(renamed->DownstreamNode->Name, "J6");
    EXPECT_EQ(n.Junctions.size(), 6u);
    // Renaming a junction renames it in every sewer; the junction itself is the caller's to rename.
    n.RenameJunction("J6", "Outfall");
    EXPECT_EQ(renamed->DSJunctionName, "Outfall");
    EXPECT_EQ(renamed->DownstreamNode->Name, "J6");
    // A typed datum is held apart from the level that levelling works out.
    n.SetSewerDatum("S2", true, false, 98.25);
    EXPECT_DOUBLE_EQ(n.GetSewer("S2")->UpstreamEnd->Level, 0);
    n.Junctions[1]->SetName("Jtwo");
    using Found = std::vector<std::pair<const char*, int>>;
    // clang-format off
    const std::tuple<const char*, std::function<void()>, Found, Found> rows[] = {
        {"after the edits", [] {}, {{"S1", 0}, {"s1", -1}, {"S3", -1}, {"S2", 1}, {"", -1}},
         {{"J2", -1}, {"Jtwo", 1}, {"j1", -1}, {"J4", 3}}},
        {"first S1 deleted", [&] { EXPECT_EQ(n.DeleteSewer("S1"), 0); }, {{"S1", 1}, {"S2", 0}}, {}},
        {"a sewer named by the empty name", [&] { renamed->SetName(""); }, {{"", 1}, {"S1", -1}}, {}},
        {"a junction deleted", [&] { EXPECT_EQ(n.DeleteJunctionIfUnused("J1"), 0); }, {},
         {{"Jtwo", 0}, {"J4", 2}}},
        {"a later sewer named first", [&] { renamed->SetName("X"); n.Sewers[0]->SetName("X"); },
         {{"X", 0}, {"S2", -1}}, {}},
    };
    // clang-format on
    for (const auto& [label, edit, sewers, junctions] : rows) {
        SCOPED_TRACE(label);
        edit();
        for (const auto& [name, index] : sewers) {
            EXPECT_EQ(n.SewerIndex(name), index) << name;
            EXPECT_EQ(n.GetSewer(name), index < 0 ? nullptr : n.Sewers[static_cast<std::size_t>(index)])
                << name;
        }
        for (const auto& [name, index] : junctions)
            EXPECT_EQ(n.JunctionIndex(name), index) << name;
    }
}

TEST(NetworkModelTest, AddingASewerPlacesANewDownstreamJunctionAtFortyFiveDegrees) {
    using Before = std::function<void(SimpleSewerNetwork&)>;
    // 10 + 20 cos 45 = 10 + 14.1421356 = 24.1421356.
    // clang-format off
    const std::tuple<const char*, Before, std::vector<double>> rows[] = {
        {"empty network", [](auto&) {}, {10, 10, 24.1421356, 24.1421356}},
        {"existing upstream junction moved", [](auto& n) { n.SetJunction("J1", 0, 3, 4); },
         {3, 4, 17.1421356, 18.1421356}},
        {"existing downstream junction stays", [](auto& n) { n.SetJunction("J2", 0, 50, 60); },
         {10, 10, 50, 60}},
        {"relinked sewer keeps one entry", [](auto& n) { n.AddSewer("S1", "JA", "JB", 5); },
         {10, 10, 24.1421356, 24.1421356}},
    };
    // clang-format on
    for (const auto& [label, before, xy] : rows) {
        SCOPED_TRACE(label);
        SimpleSewerNetwork n;
        before(n);
        EXPECT_EQ(n.AddSewer("S1", "J1", "J2", 20), 0);
        ASSERT_EQ(n.Sewers.size(), 1u);
        const Sewer& s = *n.Sewers[0];
        EXPECT_EQ(s.UpstreamNode->Name, "J1");
        EXPECT_EQ(s.DownstreamNode->Name, "J2");
        const double placed[] = {s.UpstreamNode->X, s.UpstreamNode->Y, s.DownstreamNode->X,
                                 s.DownstreamNode->Y};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(placed[i], xy[i], 1e-6) << i;
    }
    // Given points move even an existing junction, which keeps its level; sqrt(3^2 + 4^2) = 5.
    SimpleSewerNetwork n;
    n.SetJunction("J2", 5, 100, 100);
    EXPECT_EQ(n.AddSewerAt("S1", "J1", "J2", 1, 2, 4, 6), 0);
    const Sewer& s = *n.Sewers[0];
    EXPECT_DOUBLE_EQ(s.Length, 5);
    EXPECT_EQ(std::vector<double>({s.UpstreamNode->X, s.UpstreamNode->Y, s.DownstreamNode->X,
                                   s.DownstreamNode->Y, s.DownstreamNode->Z}),
              std::vector<double>({1, 2, 4, 6, 5}));
}

TEST(NetworkModelTest, DeletingAJunctionInUseNamesTheFirstSewerUsingIt) {
    SimpleSewerNetwork n;
    Build(n, "S1 J1 J2  S2 J3 J4  S5 J4 J5");
    n.FindOrAddJunction("J9");
    Responder().Clear();
    const Names inUse = {
        "Error: This junction is in use by sewer S2. Delete the sewer first, then the junction."};
    // Junction, whether to tell, result, junctions left, what the user is told.
    const std::tuple<const char*, bool, int, std::size_t, Names> rows[] = {
        {"J4", true, 1, 6, inUse}, {"J4", false, 1, 6, {}}, {"j9", true, 1, 6, {}}, {"J9", true, 0, 5, {}}};
    for (const auto& [junction, tell, result, left, told] : rows) {
        SCOPED_TRACE(std::string(junction) + (tell ? ", told" : ""));
        EXPECT_EQ(tell ? n.DeleteJunction(junction) : n.DeleteJunctionIfUnused(junction), result);
        EXPECT_EQ(n.Junctions.size(), left);
        EXPECT_EQ(Told(MB_OK), told);
    }
}

TEST(NetworkModelTest, HousesOrPopulationAndWaterUse) {
    SimpleSewerNetwork n;
    n.AddSewer("S1", "J1", "J2", 10);
    // The network's water use changes even when the sewer is unknown.
    EXPECT_EQ(n.SetSewerHouses("S9", 1, 2, 3, 4, 5, 6, 150, 160), 1);
    EXPECT_DOUBLE_EQ(n.InitialLCD, 150);
    EXPECT_DOUBLE_EQ(n.FinalLCD, 160);
    // House mode keeps the population entered before.
    EXPECT_EQ(n.SetSewerPopulation("S1", 7, 8, 300, 400, 110, 120), 0);
    EXPECT_EQ(n.SetSewerHouses("S1", 1, 2, 3, 4, 5, 6, 150, 160), 0);
    FlowCalc& p = n.Sewers[0]->Population;
    EXPECT_FALSE(p.PopulationEnteredDirectly);
    EXPECT_EQ(p.InitialPopulation, 300);

    // Houses x persons replace the stored population: 25 x 4 = 100 persons x 100 l/day
    // = 10 m^3 / 86400 s = 1.1574074e-4 m^3/s.
    p.InitialNumberOfHouses = 25;
    p.InitialHousePopulation = 4;
    EXPECT_NEAR(p.InitialFlow(100), 1.1574074074e-4, 1e-12);
    EXPECT_EQ(p.InitialPopulation, 100);
    // 100 000 x 100 000 houses and persons are held at the integer limit.
    p.FinalNumberOfHouses = p.FinalHousePopulation = 100000;
    EXPECT_NEAR(p.FinalFlow(0), 0, 1e-12);
    EXPECT_EQ(p.FinalPopulation, 2147483647);
}

TEST(NetworkModelTest, ExtentsAndNearestItems) {
    SimpleSewerNetwork n;
    // Junctions added one by one, with the extents after each; a flat side is widened to 1.
    const std::tuple<double, double, std::vector<double>> adds[] = {
        {3, 4, {3, 4, 4, 5}}, {3, -2, {3, -2, 4, 4}}, {-1, 9, {-1, -2, 3, 9}}, {7, 0, {-1, -2, 7, 9}}};
    for (const auto& [x, y, expected] : adds) {
        n.SetJunction("J" + IntToStr(static_cast<std::int64_t>(n.Junctions.size())), 0, x, y);
        std::vector<double> extents(4);
        n.GetExtents(extents[0], extents[1], extents[2], extents[3]);
        EXPECT_EQ(extents, expected) << n.Junctions.size() << " junctions";
    }

    SimpleSewerNetwork m;
    EXPECT_EQ(m.NearestJunction(0, 0), nullptr);
    m.AddSewerAt("S1", "J1", "J2", 0, 0, 10, 0);
    m.AddSewerAt("S2", "J3", "J4", 0, 10, 10, 10);
    // (5, 5) is 7.07 from every junction and 5 from both mid-points: the first wins.
    EXPECT_EQ(m.NearestJunction(5, 5)->Name, "J1");
    EXPECT_EQ(m.NearestJunction(9, 9)->Name, "J4");
    EXPECT_EQ(m.NearestSewer(5, 5)->Name, "S1");
    EXPECT_EQ(m.NearestSewer(5, 8)->Name, "S2");
    EXPECT_EQ(m.NearestJunction(2e10, 0), nullptr);
}

// Deleted objects and a replaced network stay readable through the references others still hold.
TEST(NetworkModelTest, RemovedObjectsOutliveTheReferencesToThem) {
    SimpleSewerNetwork n;
    Build(n, "S1 J1 J2  S2 J2 J3", "S1");
    ASSERT_EQ(n.CheckNetwork(), 0);
    Sewer* selected = n.GetSewer("S2");
    SewerNode* junction = n.Junctions[0];
    EXPECT_EQ(n.DeleteSewer("S2"), 0);
    EXPECT_EQ(n.DeleteSewer("S2"), 1);
    EXPECT_EQ(n.Subnets[0][0]->Name, "S2");
    EXPECT_EQ(n.Junctions[1]->ConnectedSewers[1]->Name, "S2");
    selected->SetName("S1");
    EXPECT_EQ(n.SewerIndex("S1"), 0);

    ASSERT_EQ(n.ReadFromFile(DRENVALA_TEST_DATA "/riverside.snt"), 0);
    EXPECT_TRUE(n.Subnets.empty());
    EXPECT_EQ(n.Sewers.size(), 3u);
    EXPECT_EQ(junction->Name, "J1");
    EXPECT_EQ(selected->UpstreamNode->Name, "J2");
}

TEST(NetworkCheckTest, ChecksLoopsSubnetsAndDatums) {
    const std::string looped = "Drenvala: Error: The network is looped. Junction ",
                      subnet = "Drenvala: Subnet: ";
    const std::string loop = "Drenvala: Network not specified correctly. There is probably a loop. The "
                             "network must be a tree type.";
    // Links, datums, drops, what the user is told, sub-networks outlet first.
    using Row = std::tuple<const char*, const char*, const char*, const char*, Names, Names>;
    // clang-format off
    const Row rows[] = {
        {"empty network", "", "", "", {}, {}},
        {"chain listed upstream first", "S1 J1 J2  S2 J2 J3", "S1", "", {}, {"S2 S1"}},
        {"two sewers leave J3; datums are not tested", "S1 J3 J4  S2 J3 J5", "", "",
         {looped + "J3 has 2 U/S ends joining."}, {}},
        {"each looped junction told, in order", "S1 J1 J2  S2 J1 J3  S3 J2 J4  S4 J2 J5  S5 J2 J6",
         "S1", "", {looped + "J1 has 2 U/S ends joining.", looped + "J2 has 3 U/S ends joining."}, {}},
        {"J1 to J1 leaves J1 twice", "S1 J1 J1", "S1", "", {looped + "J1 has 2 U/S ends joining."}, {}},
        // Numbered in the order of their first sewers: T1 comes before S1.
        {"two trees, the second without a datum", "T1 K1 K2  S1 J1 J2  T2 K2 K3", "T1", "",
         {subnet + "1 has no datum junction set."}, {"T2 T1", "S1"}},
        // Collected from the outlet S3 upwards: S1 and S2 in J2's connection order.
        {"two datums listed in sub-network order", "S1 J1 J2  S2 J4 J2  S3 J2 J3  T1 K1 K2", "S2 S1 T1", "",
         {subnet + "0 has 2 datums set. You must only have one. \nPlease remove the extras.\n"
          "Junctions with datum set are J1  J4  "}, {"S3 S1 S2", "T1"}},
        {"a drop makes its sewer an outlet", "S1 J1 J2  S2 J2 J3  S3 J4 J2", "S2", "S1",
         {subnet + "0 has no datum junction set."}, {"S1", "S2 S3"}},
        {"closed loop", "S1 J1 J2  S2 J2 J1", "S1", "", {loop}, {"S2 S1"}},
        {"closed loop fed by a branch", "S3 J3 J1  S1 J1 J2  S2 J2 J1", "S3", "", {loop}, {"S2 S1 S3"}},
    };
    // clang-format on
    Responder().Clear();
    for (const auto& [label, links, datums, drops, told, subnets] : rows) {
        SCOPED_TRACE(label);
        SimpleSewerNetwork n;
        Build(n, links, datums, drops);
        for (Sewer* s : n.Sewers)
            s->Designed = true;
        EXPECT_EQ(n.CheckNetwork(), told.empty() ? 0 : 1);
        EXPECT_EQ(Told(MB_OK), told);
        Names listed;
        for (const auto& subnet : n.Subnets) {
            listed.push_back(Listed(subnet));
            // Collected from its outlet alone, a sub-network comes out the same, each sewer once.
            std::vector<Sewer*> collected;
            n.CollectUpstreamSewers(subnet.front(), collected);
            EXPECT_EQ(Listed(collected), listed.back());
        }
        EXPECT_EQ(listed, subnets);
        for (Sewer* s : n.Sewers) {
            EXPECT_FALSE(s->Designed) << s->Name.str();
            // Asked of each sewer, the sub-network look-ups agree with the lists.
            EXPECT_EQ(n.IsSewerInAnySubnet(s), !n.Subnets.empty()) << s->Name.str();
            for (std::size_t i = 0; i < n.Subnets.size(); ++i)
                EXPECT_EQ(n.IsSewerInSubnet(static_cast<int>(i), s), std::ranges::count(n.Subnets[i], s) == 1)
                    << s->Name.str() << " in " << i;
        }
    }
}

// A sewer of length zero or less is named, each one, beside the network's other faults; the
// lengths are as a file could hold them.
TEST(NetworkCheckTest, NamesEverySewerWhoseLengthIsNotAboveZero) {
    const auto tooShort = [](const char* sewer, const char* length) {
        return "Drenvala: Error: Sewer " + std::string(sewer) + " has a length of " + length +
               " m. The length of a sewer must be above zero.";
    };
    const std::string looped = "Drenvala: Error: The network is looped. Junction J2 has 2 U/S ends joining.";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* label;
        const char* links;
        std::vector<double> lengths;
        Names told;
    } rows[] = {
        {"all above zero", "S1 J1 J2  S2 J2 J3  S3 J3 J4", {50, 0.001, 20}, {}},
        {"one negative", "S1 J1 J2  S2 J2 J3  S3 J3 J4", {50, -20, 20}, {tooShort("S2", "-20")}},
        {"zero and a fraction below it, in list order",
         "S1 J1 J2  S2 J2 J3  S3 J3 J4",
         {0, 30, -0.5},
         {tooShort("S1", "0"), tooShort("S3", "-0.5")}},
        {"not a number", "S1 J1 J2  S2 J2 J3  S3 J3 J4", {50, nan, 20}, {tooShort("S2", "NAN")}},
        {"after a loop", "S1 J1 J2  S2 J2 J3  S3 J2 J4", {50, 30, -20}, {looped, tooShort("S3", "-20")}},
    };
    Responder().Clear();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork n;
        Build(n, row.links, "S1");
        for (std::size_t i = 0; i < row.lengths.size(); ++i)
            n.Sewers[i]->Length = row.lengths[i];
        EXPECT_EQ(n.CheckNetwork(), row.told.empty() ? 0 : 1);
        EXPECT_EQ(Told(MB_OK), row.told);
    }
}

TEST(NetworkCheckTest, ConnectionsListEverySewerAtItsJunctionsInSewerOrder) {
    SimpleSewerNetwork n;
    Build(n, "S1 J1 J2  S2 J2 J3  S3 J4 J2  S4 J3 J3");
    n.EditSewer("S3", "S3", "J4", false, "J9", false, 10);
    n.GetSewer("S3")->DSJunctionName = "J2";
    EXPECT_EQ(n.BuildConnections(), 0);
    Names connected;
    for (const SewerNode* j : n.Junctions)
        connected.push_back(j->Name.str() + ": " + Listed(j->ConnectedSewers));
    EXPECT_EQ(connected, (Names{"J1: S1", "J2: S1 S2 S3", "J3: S2 S4 S4", "J4: S3", "J9: "}));
    // Links are left as the edits made them: S3 still drains to J9.
    EXPECT_EQ(n.GetSewer("S3")->DownstreamNode->Name, "J9");
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S1")), n.GetSewer("S2"));
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S2")), n.GetSewer("S4"));
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S3")), nullptr);
}

} // namespace
