// Reading tagged text: tokens, attributes, entities and colour values.
#include "grid/HTMLText.h"
#include "grid/HTMLTextLayout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix) {
    if (s.size() - at < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Upper(s[at + i]) != Upper(prefix[i]))
            return false;
    return true;
}

// The text between tags: entities read, line breaks as blanks.
std::string RunText(std::string_view s) {
    static constexpr std::array<std::pair<std::string_view, char>, 3> entities{
        {{"&nbsp;", ' '}, {"&lt;", '<'}, {"&gt;", '>'}}};
    if (s.find_first_of("&\r\n") == s.npos)
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\n' && i > 0 && s[i - 1] == '\r')
            continue;
        if (c == '\r' || c == '\n') {
            out += ' ';
            continue;
        }
        if (c == '&') {
            const auto entity = std::find_if(entities.begin(), entities.end(),
                                             [&](const auto& e) { return StartsWithNoCase(s, i, e.first); });
            if (entity != entities.end()) {
                out += entity->second;
                i += entity->first.size() - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The inside of a tag, between "<" and ">".
HTMLToken ReadTag(std::string_view inside) {
    HTMLToken token;
    token.IsTag = true;
    std::size_t i = 0;
    if (i < inside.size() && inside[i] == '/') {
        token.Closing = true;
        ++i;
    }
    while (i < inside.size() && !IsBlank(inside[i]))
        token.Text += Upper(inside[i++]);
    while (i < inside.size()) {
        while (i < inside.size() && IsBlank(inside[i]))
            ++i;
        HTMLAttribute attribute;
        while (i < inside.size() && !IsBlank(inside[i]) && inside[i] != '=')
            attribute.Name += Upper(inside[i++]);
        while (i < inside.size() && IsBlank(inside[i]))
            ++i;
        if (i < inside.size() && inside[i] == '=') {
            ++i;
            while (i < inside.size() && IsBlank(inside[i]))
                ++i;
            if (i < inside.size() && (inside[i] == '"' || inside[i] == '\'')) {
                const char quote = inside[i++];
                const std::size_t end = std::min(inside.find(quote, i), inside.size());
                attribute.Value = std::string(inside.substr(i, end - i));
                i = end + 1;
            } else {
                while (i < inside.size() && !IsBlank(inside[i]))
                    attribute.Value += inside[i++];
            }
        }
        if (!attribute.Name.empty())
            token.Attributes.push_back(std::move(attribute));
    }
    return token;
}

} // namespace

std::string_view HTMLToken::Attribute(std::string_view name) const {
    for (const HTMLAttribute& attribute : Attributes)
        if (attribute.Name == name)
            return attribute.Value;
    return {};
}

bool HTMLToken::HasAttribute(std::string_view name) const {
    return std::any_of(Attributes.begin(), Attributes.end(),
                       [&](const HTMLAttribute& a) { return a.Name == name; });
}

std::vector<HTMLToken> TokenizeHTML(std::string_view text) {
    std::vector<HTMLToken> tokens;
    // A tag and the run before it for each "<".
    tokens.reserve(2 * static_cast<std::size_t>(std::count(text.begin(), text.end(), '<')) + 1);
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find('<', i);
        const std::size_t close = open == text.npos ? text.npos : text.find('>', open);
        if (close == text.npos)
            open = text.size();
        if (open > i) {
            HTMLToken run;
            run.Text = RunText(text.substr(i, open - i));
            tokens.push_back(std::move(run));
        }
        if (open == text.size())
            break;
        tokens.push_back(ReadTag(text.substr(open + 1, close - open - 1)));
        i = close + 1;
    }
    return tokens;
}

TColor HTMLColorValue(std::string_view value) {
    if (value.starts_with('#')) {
        const std::string_view digits = value.substr(1);
        if (digits.size() != 6 || !std::all_of(digits.begin(), digits.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c));
            }))
            return clBlack;
        const unsigned rgb = static_cast<unsigned>(std::stoul(std::string(digits), nullptr, 16));
        return static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }
    static constexpr std::array<std::pair<std::string_view, TColor>, 16> named{{{"clred", clRed},
                                                                                {"clblack", clBlack},
                                                                                {"clblue", clBlue},
                                                                                {"clgreen", clGreen},
                                                                                {"claqua", clAqua},
                                                                                {"clyellow", clYellow},
                                                                                {"clfuchsia", clFuchsia},
                                                                                {"clwhite", clWhite},
                                                                                {"clsilver", clSilver},
                                                                                {"clgray", clGray},
                                                                                {"clolive", clOlive},
                                                                                {"clnavy", clNavy},
                                                                                {"clpurple", clPurple},
                                                                                {"clteal", clTeal},
                                                                                {"clmaroon", clMaroon},
                                                                                {"cllime", clLime}}};
    // System colours in the order of their indexes, from 1.
    static constexpr std::array<std::string_view, 24> system{"clbackground",
                                                             "clactivecaption",
                                                             "clinactivecaption",
                                                             "clmenu",
                                                             "clwindow",
                                                             "clwindowframe",
                                                             "clmenutext",
                                                             "clwindowtext",
                                                             "clcaptiontext",
                                                             "clactiveborder",
                                                             "clinactiveborder",
                                                             "clappworkspace",
                                                             "clhighlight",
                                                             "clhighlighttext",
                                                             "clbtnface",
                                                             "clbtnshadow",
                                                             "clgraytext",
                                                             "clbtntext",
                                                             "clinactivecaptiontext",
                                                             "clbtnhighlight",
                                                             "cl3ddkshadow",
                                                             "cl3dlight",
                                                             "clinfotext",
                                                             "clinfobk"};
    std::string lower(value);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    for (const auto& [name, color] : named)
        if (name == lower)
            return color;
    for (std::size_t i = 0; i < system.size(); ++i)
        if (system[i] == lower)
            return static_cast<TColor>(0x80000000u + i + 1);
    return clBlack;
}
