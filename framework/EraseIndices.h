#pragma once

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
