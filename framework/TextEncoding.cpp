#include "framework/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 0x80 to 0x9F; the five unassigned codes are kept as the C1 controls.
constexpr char16_t HighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char16_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 character starting at bytes[i], 0 when none starts there.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::size_t follow = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        follow = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        follow = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        follow = 3;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + follow >= bytes.size())
        return 0;
    for (std::size_t k = 1; k <= follow; ++k) {
        const auto next = static_cast<std::uint8_t>(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and codes past the last plane are not UTF-8.
    if ((follow == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (follow == 3 && (code < 0x10000 || code > 0x10FFFF)))
        return 0;
    return follow + 1;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII eight bytes at a time: large files are mostly that.
        for (std::uint64_t word; i + 8 <= bytes.size(); i += 8) {
            std::memcpy(&word, bytes.data() + i, 8);
            if (word & 0x8080808080808080u)
                break;
        }
        if (i >= bytes.size())
            break;
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string TextFromFileBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size();) {
        if (const std::size_t length = Utf8SequenceAt(bytes, i)) {
            out.append(bytes.substr(i, length));
            i += length;
            continue;
        }
        const auto code = static_cast<std::uint8_t>(bytes[i++]);
        AppendUtf8(out, code < 0xA0 ? HighControls[code - 0x80] : char16_t(code));
    }
    return out;
}

namespace {

bool Continues(char byte) {
    return (static_cast<std::uint8_t>(byte) & 0xC0) == 0x80;
}

// UTF-16 units of the character whose lead byte this is.
int UnitsOf(char lead) {
    return static_cast<std::uint8_t>(lead) >= 0xF0 ? 2 : 1;
}

int Clamped(std::string_view utf8, int bytePosition) {
    return std::clamp(bytePosition, 0, static_cast<int>(utf8.size()));
}

} // namespace

int CharacterStart(std::string_view utf8, int bytePosition) {
    int position = Clamped(utf8, bytePosition);
    while (position > 0 && position < static_cast<int>(utf8.size()) && Continues(utf8[position]))
        --position;
    return position;
}

int NextCharacter(std::string_view utf8, int bytePosition) {
    int position = CharacterStart(utf8, bytePosition);
    if (position < static_cast<int>(utf8.size()))
        ++position;
    while (position < static_cast<int>(utf8.size()) && Continues(utf8[position]))
        ++position;
    return position;
}

int PreviousCharacter(std::string_view utf8, int bytePosition) {
    const int position = CharacterStart(utf8, bytePosition);
    return position > 0 ? CharacterStart(utf8, position - 1) : 0;
}

int Utf16Position(std::string_view utf8, int bytePosition) {
    const int end = CharacterStart(utf8, bytePosition);
    int units = 0;
    for (int i = 0; i < end; ++i)
        if (!Continues(utf8[i]))
            units += UnitsOf(utf8[i]);
    return units;
}

int BytePosition(std::string_view utf8, int utf16Position) {
    int units = 0;
    int i = 0;
    while (i < static_cast<int>(utf8.size()) && units < utf16Position) {
        units += UnitsOf(utf8[i]);
        i = NextCharacter(utf8, i);
    }
    return i;
}
