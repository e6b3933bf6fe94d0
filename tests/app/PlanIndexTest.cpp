#include "app/VisualeditIndex.h"
#include "network/Sewernetwork.h"

#include "framework/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

namespace {

// Junctions on a coarse grid, several on one point, and sewers between random pairs, some
// repeated: picks meet many ties, which the first in list order wins.
SimpleSewerNetwork& RandomPlan(SimpleSewerNetwork& network, std::mt19937& random, int junctions, int sewers) {
    std::uniform_int_distribution<int> place(0, 40);
    for (int j = 0; j < junctions; ++j)
        network.SetJunction("J" + IntToStr(j), 0, place(random) * 2.5, place(random) * 2.5);
    std::uniform_int_distribution<int> end(0, junctions - 1);
    for (int s = 0; s < sewers; ++s)
        network.AddSewer("S" + IntToStr(s), "J" + IntToStr(end(random)), "J" + IntToStr(end(random)), 10);
    return network;
}

// The index picks what the network's own search over every item picks, at points inside and far
// outside the plan, on cell edges and on items.
TEST(PlanIndex, PicksAsTheNetworksSearch) {
    std::mt19937 random(7);
    for (const auto& [junctions, sewers] :
         {std::pair{1, 0}, std::pair{2, 1}, std::pair{30, 40}, std::pair{400, 600}}) {
        SCOPED_TRACE(junctions);
        SimpleSewerNetwork network;
        RandomPlan(network, random, junctions, sewers);
        PlanIndex index;
        index.Follow(network);
        std::uniform_real_distribution<double> anywhere(-300, 400);
        std::uniform_int_distribution<int> onGrid(-4, 44);
        for (int i = 0; i < 2000; ++i) {
            const double x = i % 2 ? anywhere(random) : onGrid(random) * 1.25;
            const double y = i % 2 ? anywhere(random) : onGrid(random) * 1.25;
            ASSERT_EQ(index.NearestJunction(network, x, y), network.NearestJunction(x, y)) << x << ", " << y;
            ASSERT_EQ(index.NearestSewer(network, x, y), network.NearestSewer(x, y)) << x << ", " << y;
        }
    }
    SimpleSewerNetwork empty;
    PlanIndex index;
    index.Follow(empty);
    EXPECT_EQ(index.NearestJunction(empty, 0, 0), nullptr);
    EXPECT_EQ(index.NearestSewer(empty, 0, 0), nullptr);
}

// Near gives every junction in the box and every sewer whose line may cross it, in list order.
TEST(PlanIndex, FindsWhatLiesNearABox) {
    std::mt19937 random(11);
    SimpleSewerNetwork network;
    RandomPlan(network, random, 300, 400);
    PlanIndex index;
    index.Follow(network);
    std::vector<int> sewers, junctions;
    index.SewersNear(20, 30, 45, 50, sewers);
    index.JunctionsNear(20, 30, 45, 50, junctions);
    EXPECT_TRUE(std::is_sorted(sewers.begin(), sewers.end()));
    EXPECT_TRUE(std::is_sorted(junctions.begin(), junctions.end()));
    for (std::size_t p = 0; p < network.Junctions.size(); ++p) {
        const SewerNode* j = network.Junctions[p];
        if (j->X >= 20 && j->X <= 45 && j->Y >= 30 && j->Y <= 50) {
            EXPECT_TRUE(std::binary_search(junctions.begin(), junctions.end(), static_cast<int>(p))) << p;
        }
    }
    for (std::size_t p = 0; p < network.Sewers.size(); ++p) {
        const Sewer* s = network.Sewers[p];
        const double left = std::min(s->UpstreamNode->X, s->DownstreamNode->X);
        const double right = std::max(s->UpstreamNode->X, s->DownstreamNode->X);
        const double bottom = std::min(s->UpstreamNode->Y, s->DownstreamNode->Y);
        const double top = std::max(s->UpstreamNode->Y, s->DownstreamNode->Y);
        if (right >= 20 && left <= 45 && top >= 30 && bottom <= 50) {
            EXPECT_TRUE(std::binary_search(sewers.begin(), sewers.end(), static_cast<int>(p))) << p;
        }
    }
    EXPECT_LT(junctions.size(), network.Junctions.size() / 2);
}

// A move is seen once told; a new junction or another network is seen at once.
TEST(PlanIndex, FollowsTheEditsItIsToldOf) {
    SimpleSewerNetwork network;
    network.SetJunction("J0", 0, 0, 0);
    network.SetJunction("J1", 0, 100, 100);
    PlanIndex index;
    index.Follow(network);
    EXPECT_EQ(index.NearestJunction(network, 90, 90), network.Junctions[1]);
    network.SetJunction("J2", 0, 91, 91);
    index.Follow(network);
    EXPECT_EQ(index.NearestJunction(network, 90, 90), network.Junctions[2]);
    network.Junctions[0]->X = 90;
    network.Junctions[0]->Y = 90;
    index.Invalidate();
    index.Follow(network);
    EXPECT_EQ(index.NearestJunction(network, 90, 90), network.Junctions[0]);
    // Junctions at points that are no numbers are never picked.
    network.SetJunction("J3", 0, std::numeric_limits<double>::quiet_NaN(), 0);
    network.SetJunction("J4", 0, std::numeric_limits<double>::infinity(), 0);
    index.Follow(network);
    EXPECT_EQ(index.NearestJunction(network, 1e300, 0), network.NearestJunction(1e300, 0));
}

} // namespace
