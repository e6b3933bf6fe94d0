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

// Code page 850 (the Western European OEM page) 0x80 to 0xFF.
constexpr char16_t Oem850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

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

std::size_t FileCharacterLength(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size())
        return 0;
    return std::max<std::size_t>(Utf8SequenceAt(bytes, at), 1);
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

int CharacterCount(std::string_view utf8) {
    return static_cast<int>(
        std::count_if(utf8.begin(), utf8.end(), [](char byte) { return !Continues(byte); }));
}

int BytesOfCharacters(std::string_view utf8, int count) {
    int position = 0;
    for (int i = 0; i < count && position < static_cast<int>(utf8.size()); ++i)
        position = NextCharacter(utf8, position);
    return position;
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

std::string OemFromText(std::string_view text) {
    const std::string utf8 = TextFromFileBytes(text);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = Utf8SequenceAt(utf8, i);
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        i += length;
        if (code < 0x80) {
            out += static_cast<char>(code);
            continue;
        }
        const auto* found = std::find(std::begin(Oem850), std::end(Oem850), code);
        out += found == std::end(Oem850) ? '?' : static_cast<char>(0x80 + (found - std::begin(Oem850)));
    }
    return out;
}

std::string TextFromOem(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto code = static_cast<std::uint8_t>(c);
        AppendUtf8(out, code < 0x80 ? char16_t(code) : Oem850[code - 0x80]);
    }
    return out;
}
