#pragma once

#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

// A random tree of sewers laid out on the plane as a town's: junctions on a 30 m grid, each
// moved by up to 10 m, every junction draining to its neighbour on the left or below (at random
// where it has both) down to J0 at the grid's corner. Sewers are listed in random order; every
// 97th ends in a drop and carries the datum of the sub-network above it.
inline std::unique_ptr<SimpleSewerNetwork> TownNetwork(int sewers) {
    std::mt19937 random(20110118);
    std::uniform_real_distribution<double> jitter(-10, 10);
    const int side = static_cast<int>(std::ceil(std::sqrt(sewers + 1.0)));
    std::vector<int> order(static_cast<std::size_t>(sewers));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    auto network = std::make_unique<SimpleSewerNetwork>();
    std::vector<double> x(static_cast<std::size_t>(sewers) + 1), y(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) {
        x[k] = 30.0 * static_cast<double>(k % static_cast<std::size_t>(side)) + jitter(random);
        y[k] = 30.0 * static_cast<double>(k / static_cast<std::size_t>(side)) + jitter(random);
    }
    for (int k : order) {
        const int column = k % side;
        const int row = k / side;
        const bool left = column > 0 && (row == 0 || random() % 2 == 0);
        const int below = left ? k - 1 : k - side;
        const auto up = static_cast<std::size_t>(k);
        const auto down = static_cast<std::size_t>(below);
        network->AddSewerAt("S" + IntToStr(k), "J" + IntToStr(k), "J" + IntToStr(below), x[up], y[up],
                            x[down], y[down]);
        if (k % 97 == 0) {
            network->Sewers.back()->DownstreamEnd->DropJunction = true;
            network->SetSewerDatum("S" + IntToStr(k), true, true, 0);
        }
    }
    network->SetSewerDatum("S1", true, true, 0);
    network->BuildConnections();
    return network;
}
