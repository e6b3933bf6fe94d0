// Text routines on tagged text: plain text, positions, finding and wrapping words in tags.
#include "grid/HTMLText.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string UpperCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return out;
}

// Tags removed; with Breaks, "<BR>" and "<HR>" become CR LF.
AnsiString Visible(const AnsiString& S, bool Breaks) {
    const std::string_view s = S.view();
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] != '<') {
            out += s[i++];
            continue;
        }
        const std::size_t close = s.find('>', i);
        if (close == s.npos) {
            out.append(s.substr(i));
            break;
        }
        if (Breaks) {
            const std::string tag = UpperCase(s.substr(i, close - i + 1));
            if (tag == "<BR>" || tag == "<HR>")
                out += "\r\n";
        }
        i = close + 1;
    }
    return AnsiString(std::move(out));
}

} // namespace

AnsiString HTMLToPlainText(const AnsiString& S) {
    return Visible(S, true);
}

AnsiString HTMLStrip(const AnsiString& S) {
    return Visible(S, false);
}

AnsiString LineBreaksToHTML(const AnsiString& S, bool AsBreaks) {
    std::string out;
    for (char c : S.view()) {
        if (c == '\r') {
            if (AsBreaks)
                out += "<BR>";
        } else if (c != '\n') {
            out += c;
        }
    }
    return AnsiString(std::move(out));
}

AnsiString FirstLinkToText(const AnsiString& S) {
    std::string s = S.str();
    const std::size_t open = s.find("<#");
    if (open == s.npos)
        return S;
    const std::size_t close = s.find('>', open);
    if (close != s.npos)
        s.erase(close, 1);
    s.erase(open, 1);
    return AnsiString(std::move(s));
}

int VisibleToTaggedPos(const AnsiString& S, int n) {
    const std::string_view s = S.view();
    int visible = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<') {
            const std::size_t close = s.find('>', i);
            if (close != s.npos) {
                i = close;
                continue;
            }
        }
        if (++visible == n)
            return static_cast<int>(i) + 1;
    }
    return n == visible + 1 ? static_cast<int>(s.size()) + 1 : 0;
}

int HTMLFind(const AnsiString& Word, const AnsiString& S, int Start, bool IgnoreCase) {
    if (Word.IsEmpty() || Start < 0 || Start >= S.Length())
        return 0;
    const std::string word = IgnoreCase ? UpperCase(Word.view()) : Word.str();
    const std::string text = IgnoreCase ? UpperCase(S.view()) : S.str();
    const std::size_t at = text.find(word, static_cast<std::size_t>(Start));
    return at == text.npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString HiLight(const AnsiString& S, const AnsiString& Word, const AnsiString& Tag, bool CaseSensitive) {
    if (Word.IsEmpty())
        return S;
    const std::string_view s = S.view();
    // The visible characters and where each stands in S; a '<' that no '>' closes is plain text,
    // and so is all after it.
    std::string visible;
    std::vector<std::size_t> at;
    std::size_t unclosed = std::string::npos;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<' && unclosed == std::string::npos) {
            if (const std::size_t close = s.find('>', i); close != s.npos) {
                i = close;
                continue;
            }
            unclosed = visible.size();
        }
        visible += s[i];
        at.push_back(i);
    }
    const std::string text = CaseSensitive ? visible : UpperCase(visible);
    const std::string word = CaseSensitive ? Word.str() : UpperCase(Word.view());
    // A tag placed after an unclosed '<' would close it and hide the text between.
    const std::size_t limit = std::min(unclosed, text.size());
    const std::string open = "<" + Tag.str() + ">";
    const std::string close = "</" + Tag.str() + ">";
    std::string out;
    std::size_t copied = 0;
    for (std::size_t p = text.find(word); p != text.npos && p + word.size() <= limit;
         p = text.find(word, p + word.size())) {
        const std::size_t first = at[p];
        // The closing tag goes before the next visible character, after the tags that follow.
        const std::size_t next = p + word.size() < at.size() ? at[p + word.size()] : s.size();
        out.append(s.substr(copied, first - copied));
        out += open;
        out.append(s.substr(first, next - first));
        out += close;
        copied = next;
    }
    out.append(s.substr(copied));
    return AnsiString(std::move(out));
}

AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag) {
    const std::string_view s = S.view();
    const std::string upper = UpperCase(s);
    const std::string tag = UpperCase(Tag.view());
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (upper.compare(i, open.size(), open) == 0) {
            i += open.size();
        } else if (upper.compare(i, close.size(), close) == 0) {
            i += close.size();
        } else {
            out += s[i++];
        }
    }
    return AnsiString(std::move(out));
}
