#include "grid/XmlCharacters.h"

#include <QChar>

#include <cstdint>
#include <cstring>

namespace {

bool IsXmlCodePoint(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

int XstringEscapeAt(std::string_view text, std::size_t i) {
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_')
        return -1;
    int code = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const int digit = HexDigit(text[k]);
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

std::string UnescapedXstring(std::string text) {
    if (text.find("_x") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int code = XstringEscapeAt(text, i);
        if (code <= 0 || (code >= 0xD800 && code <= 0xDFFF)) {
            out += text[i++];
            continue;
        }
        AppendUtf8(out, static_cast<char32_t>(code));
        i += 7;
    }
    return out;
}

bool IsXmlCharacters(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p < end) {
        // Eight printable ASCII bytes at a time: no byte below 0x20 (its borrow sets a high bit) and
        // none from 0x80.
        std::uint64_t word;
        if (end - p >= 8 &&
            (std::memcpy(&word, p, 8), ((word - 0x2020202020202020) | word) & 0x8080808080808080) == 0) {
            p += 8;
            continue;
        }
        const unsigned char c = *p;
        int length = 1;
        std::uint32_t code = c;
        if (c >= 0xC2 && c <= 0xDF)
            length = 2, code = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            length = 3, code = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            length = 4, code = c & 0x07;
        else if (c >= 0x80)
            return false;
        if (end - p < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if (!IsContinuation(p[i]))
                return false;
            code = code << 6 | (p[i] & 0x3F);
        }
        // Overlong forms and surrogates are no characters.
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || !IsXmlCodePoint(code))
            return false;
        p += length;
    }
    return true;
}

char32_t CodePointAt(const char*& from) {
    const auto c = static_cast<unsigned char>(*from++);
    if (c < 0x80)
        return c;
    const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t code = c & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        code = code << 6 | (static_cast<unsigned char>(*from++) & 0x3F);
    return code;
}

// Letters begin names; digits, marks and modifier letters may follow (none from the compatibility
// area).
bool IsNonAsciiNameCharacter(char32_t c, bool first) {
    if (c >= 0xF900)
        return false;
    if (c == 0xB7)
        return !first;
    switch (QChar::category(c)) {
    case QChar::Letter_Lowercase:
    case QChar::Letter_Uppercase:
    case QChar::Letter_Other:
    case QChar::Letter_Titlecase:
    case QChar::Number_Letter:
        return true;
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Mark_NonSpacing:
    case QChar::Letter_Modifier:
    case QChar::Number_DecimalDigit:
        return !first;
    default:
        return false;
    }
}

const char* ReadReference(const char* from, const char* end, std::string* out) {
    const char* p = from + 1;
    if (p < end && *p == '#') {
        ++p;
        const bool hex = p < end && *p == 'x';
        p += hex;
        const char* digits = p;
        std::uint32_t code = 0;
        for (; p < end; ++p) {
            const char c = *p;
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                break;
            // Past the last code point the value only needs to stay past it.
            if (code <= 0x10FFFF)
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
        if (p == digits || p == end || *p != ';' || !IsXmlCodePoint(code))
            return nullptr;
        if (out)
            AppendUtf8(*out, code);
        return p + 1;
    }
    static constexpr struct {
        std::string_view name;
        char character;
    } entities[] = {{"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
    const std::string_view rest(p, static_cast<std::size_t>(end - p));
    for (const auto& entity : entities)
        if (rest.starts_with(entity.name)) {
            if (out)
                *out += entity.character;
            return p + entity.name.size();
        }
    return nullptr;
}

void AppendDecoded(std::string& out, std::string_view raw, bool attribute) {
    const char* p = raw.data();
    const char* const end = p + raw.size();
    while (p < end) {
        const char* plain = p;
        while (p < end && *p != '&' && *p != '\r' && (!attribute || (*p != '\n' && *p != '\t')))
            ++p;
        out.append(plain, static_cast<std::size_t>(p - plain));
        if (p == end)
            break;
        if (*p == '&')
            p = ReadReference(p, end, &out);
        else {
            out += attribute ? ' ' : '\n';
            p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
        }
    }
}

void AppendLineFeeds(std::string& out, std::string_view raw) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\r')
            out += raw[i];
        else {
            out += '\n';
            i += i + 1 < raw.size() && raw[i + 1] == '\n';
        }
    }
}
