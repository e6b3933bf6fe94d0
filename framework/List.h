#pragma once

#include "framework/Events.h"
#include "framework/Exceptions.h"

#include <vector>

class EListError : public Exception {
public:
    using Exception::Exception;
};

// Raises "List index out of bounds (index)" unless 0 <= index < limit.
void CheckListIndex(int index, int limit);

// The framework's list of untyped pointers; it owns nothing it holds.
class TList : public TObject {
public:
    int Count() const { return static_cast<int>(items.size()); }
    void* Get(int index) const;
    void Put(int index, void* item);
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Index of the first item equal to item, or -1.
    int IndexOf(void* item) const;
    // Deletes the first item equal to item; its former index, or -1.
    int Remove(void* item);
    void Clear() { items.clear(); }

private:
    std::vector<void*> items;
};
