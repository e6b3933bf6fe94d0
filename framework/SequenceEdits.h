#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// The elements at indices (ascending and distinct; those beyond the end count for nothing) taken
// out in one pass, the others keeping their order.
template <class T> void EraseIndices(std::vector<T>& items, const std::vector<int>& indices) {
    std::size_t kept = 0;
    auto next = indices.begin();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (next != indices.end() && static_cast<std::size_t>(*next) == i)
            ++next;
        else if (kept++ != i)
            items[kept - 1] = std::move(items[i]);
    }
    items.resize(kept);
}

// The element at from moved to to, the elements between closing up. A sequence that holds
// neither place stays as it is; one that holds only the nearer grows with default elements.
template <class T> void MoveElement(std::vector<T>& items, int from, int to) {
    if (items.size() <= static_cast<std::size_t>(std::min(from, to)))
        return;
    items.resize(std::max(items.size(), static_cast<std::size_t>(std::max(from, to)) + 1));
    const auto first = items.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else if (to < from)
        std::rotate(first + to, first + from, first + from + 1);
}

// Elements first .. first + order.size() - 1 rearranged in one pass: element first + k takes
// what element first + order[k] held. A sequence too short for the range grows with default
// elements.
template <class T> void PermuteElements(std::vector<T>& items, int first, const std::vector<int>& order) {
    if (order.empty())
        return;
    items.resize(std::max(items.size(), static_cast<std::size_t>(first) + order.size()));
    std::vector<T> moved;
    moved.reserve(order.size());
    const auto base = static_cast<std::size_t>(first);
    for (const int from : order)
        moved.push_back(std::move(items[base + static_cast<std::size_t>(from)]));
    std::move(moved.begin(), moved.end(), items.begin() + static_cast<std::ptrdiff_t>(base));
}
