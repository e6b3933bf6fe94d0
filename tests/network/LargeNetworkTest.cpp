#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

// A million sewers in one chain, and in a spine half a million long with a branch at each of its
// junctions, are checked, put in design order and levelled with no step taking stack in
// proportion to the network: a recursive walk would overflow the stack long before. The window
// designs one head; every other sewer is marked designed with the slope it was given, so that its
// levels can be worked out by hand, and so that the test takes seconds. Reading, designing and
// levelling a file of a million sewers, every one through the window, is the one-off run of the
// network benchmarks.

namespace {

constexpr int Sewers = 1'000'000;
// Every sewer falls 0.01 m (10 m at 1 in 1000); ground is level at 100 m and the datum sewer S1
// starts at the default cover of 0.4 m, so a sewer k sewers above S1 starts at 99.6 + 0.01 k m.
constexpr double Fall = 0.01;
constexpr double DatumLevel = 99.6;

AnsiString Named(char letter, int k) {
    char text[16];
    text[0] = letter;
    return std::string_view(text, static_cast<std::size_t>(std::to_chars(text + 1, text + 16, k).ptr - text));
}

void AddLevelSewer(SimpleSewerNetwork& n, int k, int below) {
    n.AddSewer(Named('S', k), Named('J', k), Named('J', below), 10);
    Sewer& s = *n.Sewers.back();
    s.Slope = 0.001;
    s.UpstreamNode->Z = 100;
    s.DownstreamNode->Z = 100;
}

// Checks, marks every sewer but the head designed, designs and levels.
void DesignTheHeadOnly(SimpleSewerNetwork& n, const char* head) {
    ASSERT_EQ(n.CheckNetwork(), 0);
    for (Sewer* s : n.Sewers)
        s->Designed = s->Name != head;
    ASSERT_EQ(n.DesignNetwork(), 0);
}

class LargeNetwork : public testing::Test {
protected:
    void SetUp() override {
        SewerMainForm = &window;
        Responder().Clear();
    }
    void TearDown() override {
        SewerMainForm = nullptr;
        EXPECT_TRUE(Responder().Asked.empty());
    }

    TSewerMainForm window{nullptr};
};

TEST_F(LargeNetwork, AChainOfAMillionSewers) {
    // S1 leaves J1 for the outlet J0; Sk leaves Jk for J(k-1), listed from the top down.
    SimpleSewerNetwork n;
    for (int k = Sewers; k >= 1; --k)
        AddLevelSewer(n, k, k - 1);
    n.SetSewerDatum("S1", true, true, 0);
    DesignTheHeadOnly(n, "S1000000");
    ASSERT_EQ(n.Subnets.size(), 1u);
    EXPECT_EQ(n.Subnets[0].size(), static_cast<std::size_t>(Sewers));
    std::vector<Sewer*> above;
    n.CollectUpstreamSewers(n.GetSewer("S1"), above);
    EXPECT_EQ(above.size(), static_cast<std::size_t>(Sewers));
    // 99.6 at S1's top; S500000 starts 499999 falls above it, S999999 999998 falls.
    EXPECT_DOUBLE_EQ(n.GetSewer("S1")->UpstreamEnd->Level, DatumLevel);
    EXPECT_NEAR(n.GetSewer("S500000")->UpstreamEnd->Level, DatumLevel + 499999 * Fall, 1e-6);
    EXPECT_NEAR(n.GetSewer("S999999")->UpstreamEnd->Level, DatumLevel + 999998 * Fall, 1e-6);
    // The head, designed by the window, starts where S999999 starts.
    EXPECT_EQ(n.GetSewer("S1000000")->DownstreamEnd->Level, n.GetSewer("S999999")->UpstreamEnd->Level);
}

TEST_F(LargeNetwork, ASpineOfHalfAMillionSewersWithABranchAtEachJunction) {
    // Spine sewer 2k leaves J2k for J2(k-1) (S2 reaching the outlet J0); branch 2k+1 leaves
    // J(2k+1) for J2k. Listed from the top down, branches before the spine.
    SimpleSewerNetwork n;
    for (int k = Sewers / 2; k >= 1; --k) {
        AddLevelSewer(n, 2 * k + 1, 2 * k);
        AddLevelSewer(n, 2 * k, 2 * (k - 1));
    }
    n.SetSewerDatum("S2", true, true, 0);
    DesignTheHeadOnly(n, "S1000001");
    ASSERT_EQ(n.Subnets.size(), 1u);
    EXPECT_EQ(n.Subnets[0].size(), static_cast<std::size_t>(Sewers));
    // Spine sewer 2k starts k-1 falls above S2's top; its branch ends there.
    EXPECT_DOUBLE_EQ(n.GetSewer("S2")->UpstreamEnd->Level, DatumLevel);
    EXPECT_NEAR(n.GetSewer("S500000")->UpstreamEnd->Level, DatumLevel + 249999 * Fall, 1e-6);
    EXPECT_EQ(n.GetSewer("S500001")->DownstreamEnd->Level, n.GetSewer("S500000")->UpstreamEnd->Level);
    EXPECT_NEAR(n.GetSewer("S999998")->UpstreamEnd->Level, DatumLevel + 499998 * Fall, 1e-6);
    // The top branch, designed by the window, ends where the top of the spine starts.
    EXPECT_EQ(n.GetSewer("S1000001")->DownstreamEnd->Level, n.GetSewer("S1000000")->UpstreamEnd->Level);
}

} // namespace
