#include "framework/StringList.h"

#include <algorithm>

void TStringList::SetString(int index, const AnsiString& value) {
    items.at(static_cast<std::size_t>(index)) = value;
    Changed();
}

int TStringList::Add(const AnsiString& value) {
    items.push_back(value);
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const AnsiString& value) {
    items.insert(items.begin() + std::clamp(index, 0, Count()), value);
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    items.erase(items.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items.empty())
        return;
    items.clear();
    Changed();
}

int TStringList::IndexOf(const AnsiString& value) const {
    const auto found = std::find(items.begin(), items.end(), value);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void TStringList::Assign(const TStringList& other) {
    items = other.items;
    Changed();
}

void TStringList::Changed() {
    if (OnChange)
        OnChange(this);
}
