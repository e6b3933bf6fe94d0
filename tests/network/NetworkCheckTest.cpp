#include "tests/network/SampleNetworks.h"

#include "framework/NumberFormat.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

struct Link {
    const char* sewer;
    const char* us;
    const char* ds;
};

// Sewers in list order; datums on the upstream ends of the named sewers; drops on downstream ends.
void Build(SimpleSewerNetwork& n, const std::vector<Link>& links, const Names& datums = {},
           const Names& drops = {}) {
    for (const Link& link : links)
        n.AddSewer(link.sewer, link.us, link.ds, 10);
    for (const std::string& name : datums)
        n.SetSewerDatum(name, true, true, 0);
    for (const std::string& name : drops)
        n.GetSewer(name)->DownstreamEnd->DropJunction = true;
}

std::vector<Names> SubnetNames(const SimpleSewerNetwork& n) {
    std::vector<Names> subnets;
    for (const auto& subnet : n.Subnets) {
        subnets.emplace_back();
        for (const Sewer* s : subnet)
            subnets.back().push_back(s->Name.str());
    }
    return subnets;
}

Names Asked() {
    Names texts;
    for (const MessageRequest& request : Responder().Asked)
        texts.push_back(request.Text.str());
    return texts;
}

const char* const LoopMessage =
    "Network not specified correctly. There is probably a loop. The network must be a tree type.";

TEST(NetworkCheckTest, ChecksLoopsSubnetsAndDatums) {
    struct Row {
        const char* label;
        std::vector<Link> links;
        Names datums, drops;
        int result;
        Names messages;
        std::vector<Names> subnets;
    };
    const Row rows[] = {
        {"empty network", {}, {}, {}, 0, {}, {}},
        {"chain listed upstream first",
         {{"S1", "J1", "J2"}, {"S2", "J2", "J3"}},
         {"S1"},
         {},
         0,
         {},
         {{"S2", "S1"}}},
        {"chain listed downstream first",
         {{"S2", "J2", "J3"}, {"S1", "J1", "J2"}},
         {"S1"},
         {},
         0,
         {},
         {{"S2", "S1"}}},
        {"two sewers leave J3; datums are not tested",
         {{"S1", "J3", "J4"}, {"S2", "J3", "J5"}},
         {},
         {},
         1,
         {"Error: The network is looped. Junction J3 has 2 U/S ends joining."},
         {}},
        {"every looped junction is told, in junction order",
         {{"S1", "J1", "J2"}, {"S2", "J1", "J3"}, {"S3", "J2", "J4"}, {"S4", "J2", "J5"}, {"S5", "J2", "J6"}},
         {"S1"},
         {},
         1,
         {"Error: The network is looped. Junction J1 has 2 U/S ends joining.",
          "Error: The network is looped. Junction J2 has 3 U/S ends joining."},
         {}},
        {"a sewer from J1 to J1 leaves J1 twice",
         {{"S1", "J1", "J1"}},
         {"S1"},
         {},
         1,
         {"Error: The network is looped. Junction J1 has 2 U/S ends joining."},
         {}},
        {"no datum in sub-network 0",
         {{"S1", "J1", "J2"}},
         {},
         {},
         1,
         {"Subnet: 0 has no datum junction set."},
         {{"S1"}}},
        // Numbered in the order of their first sewers: T1 comes before S1.
        {"two trees, the second without a datum",
         {{"T1", "K1", "K2"}, {"S1", "J1", "J2"}, {"T2", "K2", "K3"}},
         {"T1"},
         {},
         1,
         {"Subnet: 1 has no datum junction set."},
         {{"T2", "T1"}, {"S1"}}},
        // Collected from the outlet S3 upwards: S1 and S2 in J2's connection order.
        {"two datums listed in sub-network order",
         {{"S1", "J1", "J2"}, {"S2", "J4", "J2"}, {"S3", "J2", "J3"}, {"T1", "K1", "K2"}},
         {"S2", "S1", "T1"},
         {},
         1,
         {"Subnet: 0 has 2 datums set. You must only have one. \nPlease remove the extras.\nJunctions with "
          "datum set "
          "are J1  J4  "},
         {{"S3", "S1", "S2"}, {"T1"}}},
        {"a drop makes its sewer an outlet",
         {{"S1", "J1", "J2"}, {"S2", "J2", "J3"}, {"S3", "J4", "J2"}},
         {"S2"},
         {"S1"},
         1,
         {"Subnet: 0 has no datum junction set."},
         {{"S1"}, {"S2", "S3"}}},
        {"closed loop",
         {{"S1", "J1", "J2"}, {"S2", "J2", "J1"}},
         {"S1"},
         {},
         1,
         {LoopMessage},
         {{"S2", "S1"}}},
        {"closed loop fed by a branch",
         {{"S3", "J3", "J1"}, {"S1", "J1", "J2"}, {"S2", "J2", "J1"}},
         {"S3"},
         {},
         1,
         {LoopMessage},
         {{"S2", "S1", "S3"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        SimpleSewerNetwork n;
        Build(n, row.links, row.datums, row.drops);
        for (Sewer* s : n.Sewers)
            s->Designed = true;
        EXPECT_EQ(n.CheckNetwork(), row.result);
        EXPECT_EQ(Asked(), row.messages);
        for (const MessageRequest& request : Responder().Asked) {
            EXPECT_EQ(request.Caption, "Drenvala");
            EXPECT_EQ(request.Flags, MB_OK);
        }
        EXPECT_EQ(SubnetNames(n), row.subnets);
        for (const Sewer* s : n.Sewers)
            EXPECT_FALSE(s->Designed) << s->Name.str();
    }
    Responder().Clear();
}

TEST(NetworkCheckTest, ConnectionsListEverySewerAtItsJunctionsInSewerOrder) {
    SimpleSewerNetwork n;
    Build(n, {{"S1", "J1", "J2"}, {"S2", "J2", "J3"}, {"S3", "J4", "J2"}, {"S4", "J3", "J3"}});
    n.EditSewer("S3", "S3", "J4", false, "J9", false, 10);
    n.GetSewer("S3")->DSJunctionName = "J2";
    EXPECT_EQ(n.BuildConnections(), 0);
    const std::vector<std::pair<const char*, Names>> expected = {
        {"J1", {"S1"}}, {"J2", {"S1", "S2", "S3"}}, {"J3", {"S2", "S4", "S4"}}, {"J4", {"S3"}}, {"J9", {}}};
    for (const auto& [junction, sewers] : expected) {
        SCOPED_TRACE(junction);
        Names listed;
        for (const Sewer* s :
             n.Junctions[static_cast<std::size_t>(n.JunctionIndex(junction))]->ConnectedSewers)
            listed.push_back(s->Name.str());
        EXPECT_EQ(listed, sewers);
    }
    // Links are left as the edits made them: S3 still drains to J9.
    EXPECT_EQ(n.GetSewer("S3")->DownstreamNode->Name, "J9");
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S1")), n.GetSewer("S2"));
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S2")), n.GetSewer("S4"));
    EXPECT_EQ(n.NextDownstreamSewer(n.GetSewer("S3")), nullptr);
}

TEST(NetworkCheckTest, TellsWhichSubnetHoldsASewer) {
    SimpleSewerNetwork n;
    Build(n, {{"S1", "J1", "J2"}, {"S2", "J2", "J3"}, {"T1", "K1", "K2"}}, {}, {"S1"});
    Sewer* s1 = n.GetSewer("S1");
    Sewer* t1 = n.GetSewer("T1");
    EXPECT_FALSE(n.IsSewerInAnySubnet(s1));
    EXPECT_FALSE(n.IsSewerInSubnet(0, s1));
    n.BuildConnections();
    EXPECT_EQ(n.BuildSubnets(), 0);
    ASSERT_EQ(n.Subnets.size(), 3u);
    struct Row {
        int subnet;
        Sewer* sewer;
        bool in;
    };
    const Row rows[] = {
        {0, s1, true}, {1, s1, false}, {1, n.GetSewer("S2"), true}, {2, t1, true}, {0, t1, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE((row.sewer->Name + " in " + IntToStr(row.subnet)).str());
        EXPECT_EQ(n.IsSewerInSubnet(row.subnet, row.sewer), row.in);
        EXPECT_TRUE(n.IsSewerInAnySubnet(row.sewer));
    }
}

TEST(NetworkCheckTest, CollectsUpstreamSewersOnceEachEvenRoundALoop) {
    SimpleSewerNetwork n;
    Build(n, {{"S1", "J1", "J2"}, {"S2", "J2", "J1"}, {"S3", "J3", "J1"}});
    n.BuildConnections();
    std::vector<Sewer*> collected;
    n.CollectUpstreamSewers(n.GetSewer("S1"), collected);
    Names names;
    for (const Sewer* s : collected)
        names.push_back(s->Name.str());
    EXPECT_EQ(names, (Names{"S1", "S2", "S3"}));
}

// A city-sized chain must not be walked by recursion on the call stack.
TEST(NetworkCheckTest, ChecksAChainOfOneHundredThousandSewers) {
    constexpr int count = 100000;
    SimpleSewerNetwork n;
    for (int i = 0; i < count; ++i)
        n.AddSewer("S" + IntToStr(i), "J" + IntToStr(i), "J" + IntToStr(i + 1), 10);
    n.SetSewerDatum("S0", true, true, 0);
    Responder().Clear();
    EXPECT_EQ(n.CheckNetwork(), 0);
    EXPECT_TRUE(Responder().Asked.empty());
    ASSERT_EQ(n.Subnets.size(), 1u);
    ASSERT_EQ(n.Subnets[0].size(), static_cast<std::size_t>(count));
    EXPECT_EQ(n.Subnets[0].front()->Name, "S99999");
    EXPECT_EQ(n.Subnets[0].back()->Name, "S0");
    std::vector<Sewer*> collected;
    n.CollectUpstreamSewers(n.Sewers.back(), collected);
    EXPECT_EQ(collected.size(), static_cast<std::size_t>(count));
}

} // namespace
