#include "app/VisualeditIndex.h"

#include "network/Sewernetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The network's picks choose nothing this far away or further.
constexpr double PickLimit = 1e10;

bool Finite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

bool Linked(const Sewer* s) {
    return s->UpstreamNode && s->DownstreamNode;
}

// A sewer's middle, as the network's pick measures to it.
bool Middle(const Sewer* s, double& x, double& y) {
    if (!Linked(s) || !Finite(s->UpstreamNode->X, s->UpstreamNode->Y) ||
        !Finite(s->DownstreamNode->X, s->DownstreamNode->Y))
        return false;
    x = (s->UpstreamNode->X + s->DownstreamNode->X) * 0.5;
    y = (s->UpstreamNode->Y + s->DownstreamNode->Y) * 0.5;
    return true;
}

double Distance(double px, double py, double x, double y) {
    return std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
}

} // namespace

void PlanIndex::Follow(const SimpleSewerNetwork& network) {
    if (&network == this->network && network.Sewers.size() == sewerCount &&
        network.Junctions.size() == junctionCount)
        return;
    Make(network);
    this->network = &network;
    sewerCount = network.Sewers.size();
    junctionCount = network.Junctions.size();
}

int PlanIndex::Column(double x) const {
    return static_cast<int>(std::clamp(std::floor((x - originX) / cellSize), 0.0, columns - 1.0));
}

int PlanIndex::Row(double y) const {
    return static_cast<int>(std::clamp(std::floor((y - originY) / cellSize), 0.0, rows - 1.0));
}

void PlanIndex::Make(const SimpleSewerNetwork& network) {
    double xmin = std::numeric_limits<double>::infinity(), ymin = xmin;
    double xmax = -xmin, ymax = -xmin;
    for (const SewerNode* j : network.Junctions)
        if (Finite(j->X, j->Y)) {
            xmin = std::min(xmin, j->X);
            xmax = std::max(xmax, j->X);
            ymin = std::min(ymin, j->Y);
            ymax = std::max(ymax, j->Y);
        }
    longestSewerName = longestJunctionName = 0;
    for (const SewerNode* j : network.Junctions)
        longestJunctionName = std::max(longestJunctionName, static_cast<std::size_t>(j->Name.Length()));
    for (const Sewer* s : network.Sewers)
        longestSewerName = std::max(longestSewerName, static_cast<std::size_t>(s->Name.Length()));
    drawableSewers = static_cast<std::size_t>(std::count_if(network.Sewers.begin(), network.Sewers.end(),
                                                            [](const Sewer* s) { return Linked(s); }));
    // About two items a cell.
    const double items = static_cast<double>(network.Junctions.size() + drawableSewers);
    const double side = std::max(1.0, std::sqrt(items / 2));
    const double extent = std::max(xmax - xmin, ymax - ymin);
    originX = std::isfinite(xmin) ? xmin : 0;
    originY = std::isfinite(ymin) ? ymin : 0;
    cellSize = extent / side;
    if (!std::isfinite(cellSize) || cellSize <= 0)
        cellSize = std::isfinite(extent) && extent > 0 ? extent : 1;
    const auto cellsAlong = [&](double length) {
        return static_cast<int>(std::clamp(std::floor(length / cellSize) + 1, 1.0, side + 1));
    };
    columns = std::isfinite(xmin) ? cellsAlong(xmax - xmin) : 1;
    rows = std::isfinite(ymin) ? cellsAlong(ymax - ymin) : 1;

    const auto file = [&](Grid& grid, const auto& items, const auto& place) {
        const std::size_t cells = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
        std::vector<int> cellOf(items.size(), -1);
        grid.start.assign(cells + 1, 0);
        grid.all.clear();
        for (std::size_t i = 0; i < items.size(); ++i) {
            double x = 0, y = 0;
            if (!place(items[i], x, y))
                continue;
            grid.all.push_back(static_cast<int>(i));
            cellOf[i] = Row(y) * columns + Column(x);
            ++grid.start[static_cast<std::size_t>(cellOf[i]) + 1];
        }
        for (std::size_t c = 0; c < cells; ++c)
            grid.start[c + 1] += grid.start[c];
        grid.items.assign(static_cast<std::size_t>(grid.start[cells]), 0);
        std::vector<int> next(grid.start.begin(), grid.start.end() - 1);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (cellOf[i] >= 0)
                grid.items[static_cast<std::size_t>(next[static_cast<std::size_t>(cellOf[i])]++)] =
                    static_cast<int>(i);
    };
    file(junctionCells, network.Junctions, [](const SewerNode* j, double& x, double& y) {
        x = j->X;
        y = j->Y;
        return Finite(x, y);
    });
    reachX = reachY = 0;
    file(sewerCells, network.Sewers, [&](const Sewer* s, double& x, double& y) {
        if (!Middle(s, x, y))
            return false;
        reachX = std::max(reachX, std::abs(s->UpstreamNode->X - x));
        reachX = std::max(reachX, std::abs(s->DownstreamNode->X - x));
        reachY = std::max(reachY, std::abs(s->UpstreamNode->Y - y));
        reachY = std::max(reachY, std::abs(s->DownstreamNode->Y - y));
        return true;
    });
}

void PlanIndex::Collect(const Grid& grid, double xmin, double ymin, double xmax, double ymax,
                        std::vector<int>& out) const {
    out.clear();
    if (!(xmin <= xmax && ymin <= ymax))
        return;
    const int left = Column(xmin), right = Column(xmax), bottom = Row(ymin), top = Row(ymax);
    // A box over most of the grid takes every item, already in order.
    if (static_cast<double>(right - left + 1) * (top - bottom + 1) * 2 >
        static_cast<double>(columns) * rows) {
        out = grid.all;
        return;
    }
    for (int row = bottom; row <= top; ++row) {
        const std::size_t first = static_cast<std::size_t>(row * columns + left);
        const std::size_t last = static_cast<std::size_t>(row * columns + right);
        out.insert(out.end(), grid.items.begin() + grid.start[first],
                   grid.items.begin() + grid.start[last + 1]);
    }
    std::sort(out.begin(), out.end());
}

void PlanIndex::SewersNear(double xmin, double ymin, double xmax, double ymax,
                           std::vector<int>& sewers) const {
    Collect(sewerCells, xmin - reachX, ymin - reachY, xmax + reachX, ymax + reachY, sewers);
}

void PlanIndex::JunctionsNear(double xmin, double ymin, double xmax, double ymax,
                              std::vector<int>& junctions) const {
    Collect(junctionCells, xmin, ymin, xmax, ymax, junctions);
}

template <class DistanceTo>
int PlanIndex::Nearest(const Grid& grid, double x, double y, DistanceTo distance, double& best) const {
    best = PickLimit;
    int nearest = -1;
    if (!Finite(x, y))
        return nearest;
    const int column = Column(x), row = Row(y);
    const auto visit = [&](int c, int r) {
        const std::size_t cell = static_cast<std::size_t>(r * columns + c);
        for (int i = grid.start[cell]; i < grid.start[cell + 1]; ++i) {
            const int position = grid.items[static_cast<std::size_t>(i)];
            const double d = distance(position);
            if (d < best || (d == best && nearest >= 0 && position < nearest)) {
                best = d;
                nearest = position;
            }
        }
    };
    for (int ring = 0;; ++ring) {
        const int left = column - ring, right = column + ring, bottom = row - ring, top = row + ring;
        // The ring's cells that lie in the grid: its bottom and top rows, then its sides between.
        const auto visitRow = [&](int r) {
            if (r >= 0 && r < rows)
                for (int c = std::max(left, 0); c <= std::min(right, columns - 1); ++c)
                    visit(c, r);
        };
        const auto visitColumn = [&](int c) {
            if (c >= 0 && c < columns)
                for (int r = std::max(bottom + 1, 0); r <= std::min(top - 1, rows - 1); ++r)
                    visit(c, r);
        };
        visitRow(bottom);
        if (top != bottom)
            visitRow(top);
        visitColumn(left);
        if (right != left)
            visitColumn(right);
        // Anything not yet seen lies in a cell beyond a side of the square searched, at least as
        // far as that side.
        double gap = std::numeric_limits<double>::infinity();
        if (left > 0)
            gap = std::min(gap, x - (originX + left * cellSize));
        if (right < columns - 1)
            gap = std::min(gap, originX + (right + 1) * cellSize - x);
        if (bottom > 0)
            gap = std::min(gap, y - (originY + bottom * cellSize));
        if (top < rows - 1)
            gap = std::min(gap, originY + (top + 1) * cellSize - y);
        // A margin for the rounding of the cell an item was filed in.
        if (std::isinf(gap) || (nearest >= 0 && best + 1e-9 * cellSize < gap))
            return nearest;
    }
}

Sewer* PlanIndex::NearestSewer(const SimpleSewerNetwork& network, double x, double y) const {
    double best = 0;
    const int position = Nearest(
        sewerCells, x, y,
        [&](int p) {
            double mx = 0, my = 0;
            Middle(network.Sewers[static_cast<std::size_t>(p)], mx, my);
            return Distance(mx, my, x, y);
        },
        best);
    return position >= 0 ? network.Sewers[static_cast<std::size_t>(position)] : nullptr;
}

SewerNode* PlanIndex::NearestJunction(const SimpleSewerNetwork& network, double x, double y) const {
    double best = 0;
    const int position = Nearest(
        junctionCells, x, y,
        [&](int p) {
            const SewerNode* j = network.Junctions[static_cast<std::size_t>(p)];
            return Distance(j->X, j->Y, x, y);
        },
        best);
    return position >= 0 ? network.Junctions[static_cast<std::size_t>(position)] : nullptr;
}
