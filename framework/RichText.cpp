#include "framework/RichText.h"

#include "framework/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

// Groups whose text is no part of what shows.
const std::set<std::string_view> SkippedDestinations = {
    "author",  "buptim",  "colortbl", "comment",    "creatim",           "doccomm", "fldinst",  "fonttbl",
    "footer",  "footerf", "footerl",  "footerr",    "footnote",          "header",  "headerf",  "headerl",
    "headerr", "info",    "keywords", "listtable",  "listoverridetable", "object",  "operator", "pict",
    "printim", "revtim",  "rsidtbl",  "stylesheet", "subject",           "title",   "xmlnstbl"};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void AppendCodePoint(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class RtfStripper {
public:
    explicit RtfStripper(std::string_view rtf) : rtf(rtf) {}

    std::string Text() {
        while (at < rtf.size()) {
            const char c = rtf[at++];
            if (c == '{') {
                groups.push_back(groups.back());
            } else if (c == '}') {
                if (groups.size() > 1)
                    groups.pop_back();
            } else if (c == '\\') {
                Control();
            } else if (c != '\r' && c != '\n') {
                Emit(std::string(1, c));
            }
        }
        if (out.ends_with("\r\n"))
            out.resize(out.size() - 2);
        return out;
    }

private:
    struct Group {
        bool Skipped = false;
        // Characters that stand in for each "\u" character, for readers without Unicode.
        int UnicodeFallback = 1;
    };

    Group& Current() { return groups.back(); }

    void Emit(const std::string& text) {
        if (fallbackLeft > 0) {
            --fallbackLeft;
            return;
        }
        if (!Current().Skipped)
            out += text;
    }

    void Control() {
        if (at >= rtf.size())
            return;
        const char c = rtf[at];
        if (!IsLetter(c)) {
            ++at;
            Symbol(c);
            return;
        }
        const std::size_t start = at;
        while (at < rtf.size() && IsLetter(rtf[at]))
            ++at;
        const std::string_view word = rtf.substr(start, at - start);
        bool hasParameter = false;
        int parameter = 0;
        const std::size_t numberStart = at;
        if (at < rtf.size() && rtf[at] == '-')
            ++at;
        while (at < rtf.size() && IsDigit(rtf[at]))
            ++at;
        if (at > numberStart && IsDigit(rtf[at - 1])) {
            hasParameter = true;
            std::from_chars(rtf.data() + numberStart, rtf.data() + at, parameter);
        } else {
            at = numberStart;
        }
        if (at < rtf.size() && rtf[at] == ' ')
            ++at;
        Word(word, hasParameter, parameter);
    }

    void Symbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Emit(std::string(1, c));
            break;
        case '~':
            Emit("\xC2\xA0");
            break;
        case '_':
            Emit("-");
            break;
        case '*':
            Current().Skipped = true;
            break;
        case '\r':
        case '\n':
            Emit("\r\n");
            break;
        case '\'':
            Hex();
            break;
        default:
            break;
        }
    }

    void Hex() {
        int byte = 0;
        if (at + 2 > rtf.size() ||
            std::from_chars(rtf.data() + at, rtf.data() + at + 2, byte, 16).ptr != rtf.data() + at + 2)
            return;
        at += 2;
        const char raw = static_cast<char>(byte);
        Emit(TextFromFileBytes(std::string_view(&raw, 1)));
    }

    // A character beyond the first plane comes as two halves.
    void Unicode(std::uint32_t code) {
        if (code >= 0xD800 && code < 0xDC00) {
            highHalf = code;
            return;
        }
        if (code >= 0xDC00 && code < 0xE000) {
            code = highHalf ? 0x10000 + ((highHalf - 0xD800) << 10) + (code - 0xDC00) : 0xFFFD;
        }
        highHalf = 0;
        std::string character;
        AppendCodePoint(character, code);
        Emit(character);
    }

    void Word(std::string_view word, bool hasParameter, int parameter) {
        if (SkippedDestinations.contains(word)) {
            Current().Skipped = true;
        } else if (word == "par" || word == "line") {
            Emit("\r\n");
        } else if (word == "tab") {
            Emit("\t");
        } else if (word == "uc" && hasParameter) {
            Current().UnicodeFallback = parameter;
        } else if (word == "u" && hasParameter) {
            Unicode(static_cast<std::uint32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF);
            fallbackLeft = Current().UnicodeFallback;
        } else if (word == "bin" && hasParameter && parameter > 0) {
            at = std::min(rtf.size(), at + static_cast<std::size_t>(parameter));
        }
    }

    std::string_view rtf;
    std::size_t at = 0;
    std::vector<Group> groups{Group{}};
    int fallbackLeft = 0;
    std::uint32_t highHalf = 0;
    std::string out;
};

} // namespace

AnsiString RtfToPlainText(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf"))
        return AnsiString(rtf);
    return RtfStripper(rtf).Text();
}
