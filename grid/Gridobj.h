#pragma once

#include "framework/List.h"

#include <functional>

using TIntListChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A list of integers that remembers the cell it belongs to and tells OnChange of each change.
class TIntList : public TList {
public:
    TIntList(int ACol, int ARow) : col(ACol), row(ARow) {}

    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    void Add(int Value);
    void Delete(int Index);

    TIntListChangeEvent OnChange;

private:
    void Changed();

    int col;
    int row;
};

// The sort keys of a multi-column sort, in order: the column in the low 31 bits, the top bit
// set for a descending key.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;

    void AddIndex(int Column, bool Ascending);
    // Position of the first key on Column, or -1.
    int FindIndex(int Column) const;
    // Turns the direction of the first key on Column; nothing when there is none.
    void ToggleIndex(int Column);
};
