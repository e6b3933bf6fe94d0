#pragma once

#include <cstddef>
#include <vector>

class Sewer;
class SewerNode;
class SimpleSewerNetwork;

// Which sewers and junctions of a network lie near a part of the plan, so that a view of a few
// hundred of them, or a pick, does not visit the whole network. Junctions are filed by their
// point and sewers by their middle, on a grid of square cells.
//
// The index is kept in step with edits: it is made again on its first use after Invalidate, and
// after the network or the length of either list changed. A move, relink or rename must be told
// through Invalidate.
class PlanIndex {
public:
    // Brings the index up to date with network.
    void Follow(const SimpleSewerNetwork& network);
    void Invalidate() { network = nullptr; }

    // By list position, in increasing order: the sewers whose line may come within the world box
    // (only those linked to both junctions, at finite points), and the junctions whose point may.
    void SewersNear(double xmin, double ymin, double xmax, double ymax, std::vector<int>& sewers) const;
    void JunctionsNear(double xmin, double ymin, double xmax, double ymax, std::vector<int>& junctions) const;
    // The first of the nearest, as SimpleSewerNetwork::NearestSewer and NearestJunction find them.
    Sewer* NearestSewer(const SimpleSewerNetwork& network, double x, double y) const;
    SewerNode* NearestJunction(const SimpleSewerNetwork& network, double x, double y) const;

    // Whether the network has a sewer linked to both junctions.
    bool HasDrawableSewer() const { return drawableSewers > 0; }
    // The length in bytes of the longest sewer and junction name.
    std::size_t LongestSewerName() const { return longestSewerName; }
    std::size_t LongestJunctionName() const { return longestJunctionName; }

private:
    struct Grid {
        // Items of cell c: items[start[c]] to items[start[c + 1]], in increasing list position.
        std::vector<int> start;
        std::vector<int> items;
        // Every item, in increasing list position.
        std::vector<int> all;
    };

    void Make(const SimpleSewerNetwork& network);
    int Column(double x) const;
    int Row(double y) const;
    void Collect(const Grid& grid, double xmin, double ymin, double xmax, double ymax,
                 std::vector<int>& out) const;
    // Searches rings of cells outward from (x, y) until no nearer item can remain: the position
    // of the nearest by distance, then list position, and its distance.
    template <class Distance>
    int Nearest(const Grid& grid, double x, double y, Distance distance, double& best) const;

    // What the index was made of.
    const SimpleSewerNetwork* network = nullptr;
    std::size_t sewerCount = 0, junctionCount = 0;
    double originX = 0, originY = 0, cellSize = 1;
    int columns = 1, rows = 1;
    Grid sewerCells, junctionCells;
    // How far a sewer's ends reach from its middle, at most, in x and in y.
    double reachX = 0, reachY = 0;
    std::size_t drawableSewers = 0;
    std::size_t longestSewerName = 0, longestJunctionName = 0;
};
