#include "framework/StringList.h"

#include "framework/Exceptions.h"
#include "framework/TextEncoding.h"

#include <fstream>
#include <iterator>

namespace {

[[noreturn]] void IndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
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
    items.push_back(Item{value, object});
    Changed();
    return Count() - 1;
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating)
        Changed();
}

void TStringList::Changed() {
    if (!Updating() && OnChange)
        OnChange(this);
}
