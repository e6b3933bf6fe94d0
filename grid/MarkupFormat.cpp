#include "grid/MarkupFormat.h"

#include "grid/TextLines.h"

namespace {

constexpr int MaxShownChars = 255;

} // namespace

std::string EscapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
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
