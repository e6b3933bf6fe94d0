#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

// The framework's 8-bit string: 1-based indexing, value semantics. Holds UTF-8.
class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* s) : text(s ? s : "") {}
    AnsiString(std::string s) : text(std::move(s)) {}
    AnsiString(std::string_view s) : text(s) {}
    AnsiString(char c) : text(1, c) {}

    int Length() const { return static_cast<int>(text.size()); }
    bool IsEmpty() const { return text.empty(); }
    const char* c_str() const { return text.c_str(); }
    const std::string& str() const { return text; }
    std::string_view view() const { return text; }

    // 1-based, as the framework counts.
    char operator[](int index) const { return text[static_cast<std::size_t>(index - 1)]; }
    char& operator[](int index) { return text[static_cast<std::size_t>(index - 1)]; }

    // Position (1-based) of the first occurrence of sub, 0 when absent.
    int Pos(const AnsiString& sub) const;
    // count characters from 1-based start; clipped to the string.
    AnsiString SubString(int start, int count) const;
    AnsiString& Delete(int index, int count);
    AnsiString& Insert(const AnsiString& s, int index);
    AnsiString UpperCase() const;
    AnsiString LowerCase() const;
    AnsiString Trim() const;
    AnsiString TrimLeft() const;
    AnsiString TrimRight() const;

    AnsiString& operator+=(const AnsiString& rhs) {
        text += rhs.text;
        return *this;
    }
    friend AnsiString operator+(AnsiString lhs, const AnsiString& rhs) { return lhs += rhs; }
    friend AnsiString operator+(const char* lhs, const AnsiString& rhs) { return AnsiString(lhs) += rhs; }
    friend bool operator==(const AnsiString&, const AnsiString&) = default;
    friend std::strong_ordering operator<=>(const AnsiString&, const AnsiString&) = default;

private:
    std::string text;
};

template <> struct std::hash<AnsiString> {
    std::size_t operator()(const AnsiString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};
