// Text routines on tagged text: plain text, positions, finding and wrapping words in tags.
#include "grid/HTMLText.h"

#include <algorithm>
#include <cctype>

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
    // Tags take no visible place, so line breaks are not counted either.
    const AnsiString visible = HTMLStrip(S);
    const AnsiString open = "<" + Tag + ">";
    const AnsiString close = "</" + Tag + ">";
    AnsiString result = S;
    // Each wrap adds tags only, so the visible positions of later hits stay as they were.
    for (int p = HTMLFind(Word, visible, 0, !CaseSensitive); p > 0;
         p = HTMLFind(Word, visible, p - 1 + Word.Length(), !CaseSensitive)) {
        const int start = VisibleToTaggedPos(result, p);
        result.Insert(open, start);
        const int end = VisibleToTaggedPos(result, p + Word.Length());
        result.Insert(close, end);
    }
    return result;
}

AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag) {
    std::string s = S.str();
    const std::string upper = UpperCase(Tag.view());
    for (const std::string& tag : {"<" + upper + ">", "</" + upper + ">"}) {
        for (std::size_t at = UpperCase(s).find(tag); at != std::string::npos;
             at = UpperCase(s).find(tag, at))
            s.erase(at, tag.size());
    }
    return AnsiString(std::move(s));
}
