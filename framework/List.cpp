#include "framework/List.h"

#include "framework/NumberFormat.h"

#include <algorithm>

void CheckListIndex(int index, int limit) {
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

void* TList::Get(int index) const {
    CheckListIndex(index, Count());
    return items[static_cast<std::size_t>(index)];
}

void TList::Put(int index, void* item) {
    CheckListIndex(index, Count());
    items[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
    items.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    CheckListIndex(index, Count() + 1);
    items.insert(items.begin() + index, item);
}

void TList::Delete(int index) {
    CheckListIndex(index, Count());
    items.erase(items.begin() + index);
}

int TList::IndexOf(void* item) const {
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}
