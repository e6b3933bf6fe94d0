#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

// A list of whole numbers without duplicates, read from and written as range text such as
// "1-3,5;7".
class TRangeList : public TObject {
public:
    int Count() const { return static_cast<int>(items.size()); }
    // Raises EListError unless 0 <= index < Count.
    std::int32_t Items(int index) const;
    // Appends value unless the list holds it.
    void Add(std::int32_t value);
    // Add of start, start + 1, ... for count values; nothing when count < 1.
    void AddMultiple(std::int32_t start, int count);
    void Delete(int index);
    bool InList(std::int32_t value) const { return held.contains(value); }
    void Clear();
    void Sort();
    // Fills the list with the items of text separated by ',' or ';': a number, or a range "a-b"
    // of every number from a to b (none when b < a); a number may be negative ("-5--1"). False
    // when an item is malformed: not a number in 32 bits, or a range that would take the list
    // past a million numbers; nothing of that item is added, the items read before it stay.
    bool StrToList(const AnsiString& text);
    // The sorted items as runs joined by ",": a run of consecutive numbers as "first-last", a
    // single number as itself; "" for an empty list.
    AnsiString ToRangeStr();
    // Writes each item to the debug output.
    void Show() const;

private:
    std::vector<std::int32_t> items;
    std::unordered_set<std::int32_t> held;
};
