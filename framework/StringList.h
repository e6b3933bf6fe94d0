#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <vector>

// An ordered list of strings; OnChange follows every change.
class TStringList : public TObject {
public:
    int Count() const { return static_cast<int>(items.size()); }
    const AnsiString& operator[](int index) const { return items.at(static_cast<std::size_t>(index)); }
    void SetString(int index, const AnsiString& value);
    int Add(const AnsiString& value);
    void Insert(int index, const AnsiString& value);
    void Delete(int index);
    void Clear();
    // Index of the first exact match, or -1.
    int IndexOf(const AnsiString& value) const;
    void Assign(const TStringList& other);

    TNotifyEvent OnChange;

private:
    void Changed();

    std::vector<AnsiString> items;
};
