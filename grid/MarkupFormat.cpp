#include "grid/MarkupFormat.h"

#include "framework/TextEncoding.h"
#include "grid/TextLines.h"
#include "grid/XmlCharacters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int MaxShownChars = 255;

bool AppendEntity(std::string& out, char c) {
    switch (c) {
    case '&':
        out += "&amp;";
        return true;
    case '<':
        out += "&lt;";
        return true;
    case '>':
        out += "&gt;";
        return true;
    case '"':
        out += "&quot;";
        return true;
    default:
        return false;
    }
}

// Tag and attribute names are ASCII, matched whatever their case and whatever the locale.
char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void AppendXmlEscape(std::string& out, unsigned code) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "_x%04X_", code);
    out += escape;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

bool StartsWithLetters(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameLetters(text.substr(0, start.size()), start);
}

// The renderer's tags: the whole name, or the families it knows by their first letters.
bool IsRendererTag(std::string_view name) {
    static constexpr std::array<std::string_view, 20> Names = {"A",  "B",   "BR",  "BODY", "E",  "FONT", "HI",
                                                               "HR", "I",   "IND", "IMG",  "LI", "P",    "R",
                                                               "S",  "SUB", "SUP", "U",    "UL", "Z"};
    return std::any_of(Names.begin(), Names.end(),
                       [&](std::string_view known) { return SameLetters(name, known); }) ||
           StartsWithLetters(name, "BL") || StartsWithLetters(name, "SH");
}

bool IsAddressAttribute(std::string_view name) {
    return SameLetters(name, "HREF") || SameLetters(name, "SRC") || SameLetters(name, "BACKGROUND");
}

bool IsRendererAttribute(std::string_view name) {
    static constexpr std::array<std::string_view, 11> Names = {
        "FACE", "COLOR", "BGCOLOR", "SIZE", "ALT", "WIDTH", "HEIGHT", "ALIGN", "INDENT", "X", "A"};
    return IsAddressAttribute(name) || std::any_of(Names.begin(), Names.end(), [&](std::string_view known) {
               return SameLetters(name, known);
           });
}

// A browser ignores blanks and controls inside the scheme of an address.
bool RunsScript(std::string_view address) {
    std::string scheme;
    for (const char c : address.substr(0, address.find(':')))
        if (static_cast<unsigned char>(c) > 32)
            scheme += c;
    return address.find(':') != std::string_view::npos &&
           (SameLetters(scheme, "javascript") || SameLetters(scheme, "vbscript"));
}

bool IsTagSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The value after an attribute's name, which ends at tag[at]; empty without "=". at moves past it.
std::string_view AttributeValue(std::string_view tag, std::size_t& at) {
    std::size_t next = at;
    while (next < tag.size() && IsTagSpace(tag[next]))
        ++next;
    if (next == tag.size() || tag[next] != '=')
        return {};
    for (++next; next < tag.size() && IsTagSpace(tag[next]);)
        ++next;
    if (next < tag.size() && (tag[next] == '"' || tag[next] == '\'')) {
        const std::size_t close = tag.find(tag[next], next + 1);
        at = close == std::string_view::npos ? tag.size() : close + 1;
        return tag.substr(next + 1, close == std::string_view::npos ? close : close - next - 1);
    }
    at = next;
    while (at < tag.size() && !IsTagSpace(tag[at]))
        ++at;
    return tag.substr(next, at - next);
}

// The inside of a tag (between "<" and ">") rebuilt from what the renderer reads of it, its
// attributes split as a browser splits them; empty for a tag the renderer does not know.
std::string RebuiltTag(std::string_view tag) {
    const bool closing = tag.starts_with('/');
    if (closing)
        tag.remove_prefix(1);
    std::size_t at = 0;
    while (at < tag.size() && IsLetter(tag[at]))
        ++at;
    const std::string_view name = tag.substr(0, at);
    if (name.empty() || (at < tag.size() && !IsTagSpace(tag[at]) && tag[at] != '/') || !IsRendererTag(name))
        return {};
    std::string out = closing ? "</" : "<";
    out += name;
    while (!closing) {
        while (at < tag.size() && (IsTagSpace(tag[at]) || tag[at] == '/'))
            ++at;
        if (at == tag.size())
            break;
        // A "=" that comes first belongs to the name.
        const std::size_t nameStart = at++;
        while (at < tag.size() && !IsTagSpace(tag[at]) && tag[at] != '/' && tag[at] != '=')
            ++at;
        const std::string_view attribute = tag.substr(nameStart, at - nameStart);
        const std::string_view value = AttributeValue(tag, at);
        if (IsRendererAttribute(attribute) && !(IsAddressAttribute(attribute) && RunsScript(value)))
            out.append(" ").append(attribute).append("=\"").append(EscapeMarkup(value)).append("\"");
    }
    return out + ">";
}

} // namespace

std::string EscapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (!AppendEntity(out, c))
            out += c;
    return out;
}

std::string EscapeXmlText(std::string_view bytes) {
    const std::string text = TextFromFileBytes(bytes);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<std::uint8_t>(c);
        if (AppendEntity(out, c))
            continue;
        if (c == '\r')
            out += "&#13;";
        else if (byte < 0x20 && c != '\t' && c != '\n')
            AppendXmlEscape(out, byte);
        // A text's own "_xHHHH_", which a reader of the escape would take for one.
        else if (XstringEscapeAt(text, i) >= 0)
            AppendXmlEscape(out, '_');
        else if (IsNonCharacterAt(text, i)) {
            AppendXmlEscape(out, text[i + 2] == '\xBE' ? 0xFFFE : 0xFFFF);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string CellMarkup(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    std::size_t at = 0;
    for (std::size_t open; (open = html.find('<', at)) != std::string_view::npos;) {
        out.append(html.substr(at, open - at));
        const std::size_t close = html.find('>', open);
        if (close == std::string_view::npos) {
            out += "&lt;";
            at = open + 1;
            continue;
        }
        out += RebuiltTag(html.substr(open + 1, close - open - 1));
        at = close + 1;
    }
    return out.append(html.substr(at));
}

AnsiString WithLinks(const AnsiString& text, bool URLFull) {
    if (text.Pos("</") > 0)
        return text;
    const int mail = text.Pos("mailto:");
    const int web = text.Pos("://");
    if (mail == 0 && web == 0)
        return text;
    const std::string_view after = mail > 0 ? text.view().substr(static_cast<std::size_t>(mail) + 6)
                                            : text.view().substr(static_cast<std::size_t>(web) + 2);
    const std::string_view shown = URLFull ? text.view() : CharSpan(after, 0, MaxShownChars);
    return "<A HREF=\"" + text + "\">" + AnsiString(shown) + "</A>";
}
