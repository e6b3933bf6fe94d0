#pragma once

#include <string>
#include <string_view>

// The character rules of XML 1.0 over UTF-8 bytes.

// Whether the bytes are well-formed UTF-8 of characters XML allows (no control characters but tab,
// line feed and carriage return, no U+FFFE or U+FFFF).
bool IsXmlCharacters(std::string_view bytes);

// Whether U+FFFE or U+FFFF (EF BF BE, EF BF BF), which XML 1.0 cannot hold, begins at text[i].
inline bool IsNonCharacterAt(std::string_view text, std::size_t i) {
    return i + 2 < text.size() && text[i] == '\xEF' && text[i + 1] == '\xBF' &&
           (text[i + 2] == '\xBE' || text[i + 2] == '\xBF');
}
// The code of an "_xHHHH_" of spreadsheet XML at text[i], or -1 when none stands there.
int XstringEscapeAt(std::string_view text, std::size_t i);
// Text of spreadsheet XML with each "_xHHHH_" read as the character of that code (one that is
// no character, 0 or a surrogate, stays as it stands).
std::string UnescapedXstring(std::string text);

// The code point of the UTF-8 sequence at from (checked already), and its end.
char32_t CodePointAt(const char*& from);
// Whether a character of a name other than ':' may begin one (first), or follow its first.
bool IsNonAsciiNameCharacter(char32_t c, bool first);
inline bool IsNameStartCharacter(char32_t c) {
    return c < 0x80 ? (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'
                    : IsNonAsciiNameCharacter(c, true);
}
inline bool IsNameCharacter(char32_t c) {
    return c < 0x80 ? IsNameStartCharacter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'
                    : IsNonAsciiNameCharacter(c, false);
}

// Reads the entity or character reference at from, a '&', appending the character it stands for
// to out when there is one; the position after its ';', or null when it is none of the five
// predefined entities or a reference to a character XML allows.
const char* ReadReference(const char* from, const char* end, std::string* out);

// Appends content text, references replaced and line ends made line feeds; in an attribute value
// tabs and line ends become spaces.
void AppendDecoded(std::string& out, std::string_view raw, bool attribute);
// Appends text with line ends made line feeds only, as character data sections are taken.
void AppendLineFeeds(std::string& out, std::string_view raw);
