#include "framework/StringList.h"

#include "framework/Exceptions.h"
#include "framework/TextEncoding.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

[[noreturn]] void IndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The sorted order: letters without regard to case, then the exact bytes.
int CompareForSort(const AnsiString& a, const AnsiString& b) {
    const std::string& x = a.str();
    const std::string& y = b.str();
    const auto mismatch = std::mismatch(x.begin(), x.end(), y.begin(), y.end(),
                                        [](char p, char q) { return LowerAscii(p) == LowerAscii(q); });
    if (mismatch.first != x.end() && mismatch.second != y.end())
        return static_cast<unsigned char>(LowerAscii(*mismatch.first)) <
                       static_cast<unsigned char>(LowerAscii(*mismatch.second))
                   ? -1
                   : 1;
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x == y ? 0 : (x < y ? -1 : 1);
}

bool SeparatesUnquoted(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

void TStrings::Put(int index, const AnsiString& value) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, value, object);
    EndUpdate();
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::AddObject(const AnsiString& value, TObject* object) {
    const int index = Count();
    InsertObject(index, value, object);
    return index;
}

int TStrings::IndexOf(const AnsiString& value) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == value)
            return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (updateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount > 0 && --updateCount == 0)
        SetUpdateState(false);
}

AnsiString TStrings::GetText() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i).str();
        text += '\n';
    }
    return text;
}

void TStrings::SetText(const AnsiString& value) {
    BeginUpdate();
    Clear();
    const std::string& text = value.str();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    EndUpdate();
}

AnsiString TStrings::Joined(char delimiter, char quote) const {
    // A lone empty string would otherwise read back as no string at all.
    if (Count() == 1 && Get(0).IsEmpty())
        return std::string(2, quote);
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const std::string item = Get(i).str();
        if (i > 0)
            text += delimiter;
        const bool quoted = std::any_of(item.begin(), item.end(), [&](char c) {
            return SeparatesUnquoted(c) || c == delimiter || c == quote;
        });
        if (!quoted) {
            text += item;
            continue;
        }
        text += quote;
        for (const char c : item) {
            if (c == quote)
                text += quote;
            text += c;
        }
        text += quote;
    }
    return text;
}

void TStrings::Split(const AnsiString& value, char delimiter, char quote) {
    BeginUpdate();
    Clear();
    const std::string& text = value.str();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && SeparatesUnquoted(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == quote) {
            ++i;
            while (i < text.size()) {
                if (text[i] == quote) {
                    if (i + 1 < text.size() && text[i + 1] == quote) {
                        item += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != delimiter && !SeparatesUnquoted(text[i]))
                item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == delimiter) {
            // A delimiter at the very end leaves one empty string after it.
            if (++i == text.size())
                Add("");
            skipBlanks();
        }
    }
    EndUpdate();
}

AnsiString TStrings::GetDelimitedText() const {
    return Joined(Delimiter, QuoteChar);
}

void TStrings::SetDelimitedText(const AnsiString& value) {
    Split(value, Delimiter, QuoteChar);
}

AnsiString TStrings::GetCommaText() const {
    return Joined(',', '"');
}

void TStrings::SetCommaText(const AnsiString& value) {
    Split(value, ',', '"');
}

void TStrings::LoadFromFile(const AnsiString& fileName) {
    std::ifstream file(fileName.str(), std::ios::binary);
    if (!file)
        throw EFOpenError("Cannot open file \"" + fileName.str() + "\"");
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    SetText(TextFromFileBytes(bytes));
}

void TStrings::SaveToFile(const AnsiString& fileName) const {
    std::ofstream file(fileName.str(), std::ios::binary | std::ios::trunc);
    if (!file)
        throw EFCreateError("Cannot create file \"" + fileName.str() + "\"");
    file << GetText().str();
}

void TStringList::Put(int index, const AnsiString& value) {
    if (sorted)
        throw EStringListError("Operation not allowed on sorted string list");
    if (index < 0 || index >= Count())
        IndexError(index);
    items[static_cast<std::size_t>(index)].Text = value;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return items[static_cast<std::size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    if (index < 0 || index >= Count())
        IndexError(index);
    items[static_cast<std::size_t>(index)].Object = object;
    Changed();
}

void TStringList::InsertObject(int index, const AnsiString& value, TObject* object) {
    if (sorted)
        throw EStringListError("Operation not allowed on sorted string list");
    if (index < 0 || index > Count())
        IndexError(index);
    items.insert(items.begin() + index, Item{value, object});
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        IndexError(index);
    items.erase(items.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items.empty())
        return;
    items.clear();
    Changed();
}

int TStringList::AddObject(const AnsiString& value, TObject* object) {
    if (!sorted) {
        items.push_back(Item{value, object});
        Changed();
        return Count() - 1;
    }
    int index = 0;
    if (Find(value, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    items.insert(items.begin() + index, Item{value, object});
    Changed();
    return index;
}

int TStringList::IndexOf(const AnsiString& value) const {
    if (!sorted)
        return TStrings::IndexOf(value);
    int index = 0;
    return Find(value, index) ? index : -1;
}

void TStringList::SetSorted(bool value) {
    if (value && !sorted) {
        sorted = true;
        Sort();
    }
    sorted = value;
}

void TStringList::Sort() {
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return CompareForSort(a.Text, b.Text) < 0; });
    Changed();
}

bool TStringList::Find(const AnsiString& value, int& index) const {
    const auto found =
        std::lower_bound(items.begin(), items.end(), value, [](const Item& item, const AnsiString& v) {
            return CompareForSort(item.Text, v) < 0;
        });
    index = static_cast<int>(found - items.begin());
    return found != items.end() && found->Text == value;
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating)
        Changed();
}

void TStringList::Changed() {
    if (!Updating() && OnChange)
        OnChange(this);
}
