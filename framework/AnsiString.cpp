#include "framework/AnsiString.h"

#include <algorithm>

namespace {
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

int AnsiString::Pos(const AnsiString& sub) const {
    const auto found = text.find(sub.text);
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

AnsiString AnsiString::SubString(int start, int count) const {
    if (start < 1)
        start = 1;
    if (count <= 0 || start > Length())
        return {};
    return AnsiString(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

AnsiString& AnsiString::Delete(int index, int count) {
    if (index >= 1 && index <= Length() && count > 0)
        text.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
    return *this;
}

AnsiString& AnsiString::Insert(const AnsiString& s, int index) {
    index = std::clamp(index, 1, Length() + 1);
    text.insert(static_cast<std::size_t>(index - 1), s.text);
    return *this;
}

AnsiString AnsiString::UpperCase() const {
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

AnsiString AnsiString::LowerCase() const {
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

AnsiString AnsiString::TrimLeft() const {
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    return std::string(first, text.end());
}

AnsiString AnsiString::TrimRight() const {
    auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return std::string(text.begin(), last);
}

AnsiString AnsiString::Trim() const {
    return TrimLeft().TrimRight();
}
