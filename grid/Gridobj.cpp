#include "grid/Gridobj.h"

#include <cstdint>

namespace {

constexpr unsigned DescendingBit = 0x80000000u;

void* AsItem(int value) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
}

int ColumnOf(int key) {
    return static_cast<int>(static_cast<unsigned>(key) & ~DescendingBit);
}

} // namespace

int TIntList::GetInteger(int Index) const {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(Get(Index)));
}

void TIntList::SetInteger(int Index, int Value) {
    Put(Index, AsItem(Value));
    Changed();
}

void TIntList::Add(int Value) {
    TList::Add(AsItem(Value));
    Changed();
}

void TIntList::Delete(int Index) {
    TList::Delete(Index);
    Changed();
}

void TIntList::Changed() {
    if (OnChange)
        OnChange(this, col, row);
}

void TSortIndexList::AddIndex(int Column, bool Ascending) {
    Add(Ascending ? Column : static_cast<int>(static_cast<unsigned>(Column) | DescendingBit));
}

int TSortIndexList::FindIndex(int Column) const {
    for (int i = 0; i < Count(); ++i)
        if (ColumnOf(GetInteger(i)) == Column)
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int Column) {
    const int index = FindIndex(Column);
    if (index >= 0)
        SetInteger(index, static_cast<int>(static_cast<unsigned>(GetInteger(index)) ^ DescendingBit));
}
