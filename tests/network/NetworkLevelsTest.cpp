#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"
#include "tests/network/SampleNetworks.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

namespace {

struct SewerSpec {
    const char* name;
    const char* us;
    const char* ds;
    double length;
    double slope;
};

struct JunctionSpec {
    const char* name;
    double ground;
};

// A designed network: sewers with their slopes, junction ground levels, connections built.
void Build(SimpleSewerNetwork& n, std::initializer_list<SewerSpec> sewers,
           std::initializer_list<JunctionSpec> grounds) {
    for (const SewerSpec& s : sewers) {
        n.AddSewer(s.name, s.us, s.ds, s.length);
        n.GetSewer(s.name)->Slope = s.slope;
    }
    for (const JunctionSpec& j : grounds)
        n.SetJunctionLevel(j.name, j.ground);
    n.MinimumSewerCover = 0.4;
    n.BuildConnections();
}

struct Levels {
    const char* sewer;
    double us;
    double ds;
};

void ExpectLevels(SimpleSewerNetwork& n, std::initializer_list<Levels> expected) {
    for (const Levels& e : expected) {
        SCOPED_TRACE(e.sewer);
        const Sewer& s = *n.GetSewer(e.sewer);
        EXPECT_NEAR(s.UpstreamEnd->Level, e.us, 1e-9);
        EXPECT_NEAR(s.DownstreamEnd->Level, e.ds, 1e-9);
        EXPECT_DOUBLE_EQ(s.UpstreamEnd->Invert, s.UpstreamEnd->Level);
        EXPECT_TRUE(s.Designed);
    }
}

TEST(NetworkLevels, LevelsFallFromTheDatumAndJoinAtEachJunction) {
    // S1 J1->J3 (50 m at 0.01) and S2 J2->J3 (20 m at 0.02) join S3 J3->J4 (100 m at 0.005).
    // Automatic datum at J1: 100.0 - 0.4 = 99.6; S1 falls 0.5 to 99.1; S3 starts there and falls
    // 0.5 to 98.6; S2 ends at 99.1 and rises 0.4 to 99.5, whatever its own slope.
    SimpleSewerNetwork n;
    Build(n, {{"S1", "J1", "J3", 50, 0.01}, {"S2", "J2", "J3", 20, 0.02}, {"S3", "J3", "J4", 100, 0.005}},
          {{"J1", 100.0}, {"J2", 99.8}, {"J3", 99.9}, {"J4", 98.0}});
    const auto levelled = [&n](std::initializer_list<Levels> expected) {
        ASSERT_EQ(n.CheckNetwork(), 0);
        EXPECT_EQ(n.CalculateLevels(), 0);
        ExpectLevels(n, expected);
    };
    n.SetSewerDatum("S1", true, true, 0);
    Responder().Clear();
    levelled({{"S1", 99.6, 99.1}, {"S2", 99.5, 99.1}, {"S3", 99.1, 98.6}});
    EXPECT_TRUE(Responder().Asked.empty());
    // Covers: ground minus level at each end; J4 lies 0.6 below S3's outlet invert.
    EXPECT_NEAR(n.GetSewer("S1")->UpstreamEnd->Cover, 0.4, 1e-9);
    EXPECT_NEAR(n.GetSewer("S2")->UpstreamEnd->Cover, 0.3, 1e-9);
    EXPECT_NEAR(n.GetSewer("S3")->UpstreamEnd->Cover, 0.8, 1e-9);
    EXPECT_NEAR(n.GetSewer("S3")->DownstreamEnd->Cover, -0.6, 1e-9);

    // A datum on the other branch levels the whole sub-network from there: J2 99.8 - 0.4 = 99.4,
    // S2 falls 0.4 to 99.0, S3 99.0 to 98.5, S1 ends at 99.0 and starts at 99.5.
    n.SetSewerDatum("S1", false, true, 0);
    n.SetSewerDatum("S2", true, true, 0);
    levelled({{"S1", 99.5, 99.0}, {"S2", 99.4, 99.0}, {"S3", 99.0, 98.5}});

    // A typed datum level, 95.0 at J2 (ground 99.8, cover 4.8), replaces the automatic one: S2
    // falls to 94.6, S3 to 94.1, and S1 starts at 95.1.
    n.SetSewerDatum("S2", true, false, 95.0);
    levelled({{"S1", 95.1, 94.6}, {"S2", 95.0, 94.6}, {"S3", 94.6, 94.1}});
    EXPECT_NEAR(n.GetSewer("S2")->UpstreamEnd->Cover, 4.8, 1e-9);

    // A drop at S1's outlet makes it a sub-network of its own, levelled from its own datum at J1
    // as at first; the levels below the drop stay those of the typed datum.
    n.GetSewer("S1")->DownstreamEnd->DropJunction = true;
    n.SetSewerDatum("S1", true, true, 0);
    levelled({{"S1", 99.6, 99.1}, {"S2", 95.0, 94.6}, {"S3", 94.6, 94.1}});
    EXPECT_EQ(n.Subnets.size(), 2u);
}

TEST(NetworkLevels, MissingLevelsAreReported) {
    struct Row {
        const char* label;
        bool datum;
        bool addAfterCheck;
        const char* message;
    } rows[] = {
        {"no datum", false, false,
         "Levels have not been calculated. You MUST set a datum node for sub-net 0"},
        {"sewer added since the check", true, true,
         "The levels for Sewer \"S9\" have not been calculated correctly."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork n;
        Build(n, {{"S1", "J1", "J2", 50, 0.01}}, {{"J1", 100.0}, {"J2", 99.0}});
        n.SetSewerDatum("S1", row.datum, true, 0);
        n.BuildSubnets();
        if (row.addAfterCheck)
            n.AddSewer("S9", "J7", "J8", 10);
        Responder().Clear();
        EXPECT_EQ(n.CalculateLevels(), 1);
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, row.message);
    }
}

} // namespace
