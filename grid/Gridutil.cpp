#include "grid/Gridutil.h"

#include "framework/NumberFormat.h"
#include "framework/StringList.h"
#include "framework/TextEncoding.h"

#include <QColor>

#include <cstdio>
#include <string>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';

// In the cell file a CR is a TAB and an LF a backspace; the escape before a TAB, a backspace or
// itself keeps that character as it is.
constexpr char FileEscape = '\x1B';
// What a text must hold to be encoded, and what an encoded text always holds.
constexpr std::string_view NeedsFileEscapes("\r\b\x1B", 3);
constexpr std::string_view FileEncoded("\b\x1B", 2);

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// text with every from replaced by to (to may be empty or longer).
AnsiString ReplaceAll(std::string_view text, char from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c == from)
            out += to;
        else
            out += c;
    return out;
}

// text with every occurrence of from replaced by to.
AnsiString ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string_view::npos;
         start = found + from.size())
        out.append(text.substr(start, found - start)).append(to);
    return out.append(text.substr(start));
}

bool Holds(const AnsiString& S, char c) {
    return S.view().find(c) != std::string_view::npos;
}

// A UTF-8 continuation byte belongs to the character before it.
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

TTextType TextType(const AnsiString& S, bool EnableHTML) {
    const std::string_view s = S.view();
    if (s.empty())
        return ttText;
    if (s.front() == '=')
        return ttFormula;
    if (s.starts_with("{\\"))
        return ttRTF;
    // Most texts hold no tag at all: one look for its opening spares three.
    if (EnableHTML && s.find('<') != s.npos &&
        (s.find("</") != s.npos || s.find("<B") != s.npos || s.find("<I") != s.npos))
        return ttHTML;
    return ttText;
}

int IsType(const AnsiString& S) {
    if (S.IsEmpty())
        return 2;
    bool integerLike = true;
    bool floatLike = true;
    int lastThousand = -1;
    int decimals = 0;
    int minuses = 0;
    for (int i = 1; i <= S.Length(); ++i) {
        const char c = S[i];
        if (c != '-' && !IsDigit(c))
            integerLike = false;
        if (!IsDigit(c) && c != '-' && c != ThousandSeparator && c != DecimalSeparator)
            floatLike = false;
        if (c == ThousandSeparator) {
            if (i - lastThousand < 3)
                floatLike = false;
            lastThousand = i;
        }
        decimals += c == DecimalSeparator;
        minuses += c == '-';
    }
    if (minuses >= 2 || decimals >= 2)
        return 2;
    return integerLike ? 0 : floatLike ? 1 : 2;
}

AnsiString RemoveSeps(const AnsiString& S) {
    const std::string trimmed = S.Trim().str();
    if (trimmed.empty())
        return {};
    bool negative = trimmed.front() == '(' && trimmed.back() == ')';
    std::string_view s = trimmed;
    while (s.size() >= 2 && !IsDigit(s.front()) && s.front() != ThousandSeparator &&
           s.front() != DecimalSeparator) {
        negative |= s.front() == '-';
        s.remove_prefix(1);
    }
    std::string out = negative ? "-" : "";
    bool digitSeen = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ThousandSeparator)
            continue;
        if (c == DecimalSeparator || c == '.') {
            out += '.';
        } else if (IsDigit(c) || c == '-') {
            out += c;
            digitSeen |= IsDigit(c);
        } else if ((c == 'E' || c == 'e') && digitSeen) {
            // "1.2346E+05" is a number too: keep its exponent with its sign.
            std::size_t digits = i + 1;
            if (digits < s.size() && (s[digits] == '+' || s[digits] == '-'))
                ++digits;
            if (digits >= s.size() || !IsDigit(s[digits]))
                break;
            out.append(s.substr(i, digits - i));
            i = digits - 1;
            digitSeen = false;
        } else {
            break;
        }
    }
    return out;
}

AnsiString FixDecimalSeparator(const AnsiString& S) {
    std::string s = S.str();
    const auto comma = s.find(',');
    if (DecimalSeparator == ',' && comma != std::string::npos)
        s[comma] = '.';
    return s;
}

void LineFeedsToCSV(AnsiString& S) {
    S = "\"" + ReplaceAll(S.view(), "\r\n", "\n") + "\"";
}

void CSVToLineFeeds(AnsiString& S) {
    if (Holds(S, LF))
        S = ReplaceAll(S.view(), LF, "\r\n");
}

void LineFeedsToJava(AnsiString& S) {
    S = ReplaceAll(ReplaceAll(S.view(), CR, "~").view(), LF, "");
}

void JavaToLineFeeds(AnsiString& S) {
    S = ReplaceAll(S.view(), '~', "\r\n");
}

AnsiString LineFeedsToXLS(const AnsiString& S) {
    return ReplaceAll(S.view(), CR, "");
}

AnsiString LfToFile(const AnsiString& S) {
    const std::string_view s = S.view();
    if (s.find_first_of(NeedsFileEscapes) == std::string_view::npos)
        return S;
    std::string out;
    out.reserve(s.size() + 1);
    for (const char c : s) {
        if (c == '\t' || c == '\b' || c == FileEscape)
            out += FileEscape;
        out += c == CR ? '\t' : c == LF ? '\b' : c;
    }
    // A text of lone CRs gives TABs only: the mark tells the reader they are line breaks.
    if (out.find_first_of(FileEncoded) == std::string::npos)
        out += FileEscape;
    return out;
}

AnsiString FileToLf(const AnsiString& S, bool Multiline) {
    const std::string_view s = S.view();
    if (s.find_first_of(FileEncoded) == std::string_view::npos)
        return S;
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == FileEscape) {
            if (++i < s.size())
                out += s[i];
        } else {
            out += c == '\t' ? CR : c == '\b' ? LF : c;
        }
    }
    AnsiString text(std::move(out));
    return Multiline ? text : GetNextLine(text, false);
}

AnsiString CLFToLF(const AnsiString& S) {
    return ReplaceAll(S.view(), "\\n", "\r");
}

AnsiString LFToCLF(const AnsiString& S) {
    return ReplaceAll(ReplaceAll(S.view(), CR, "\\n").view(), LF, "");
}

AnsiString HTMLLineBreaks(const AnsiString& S) {
    return Holds(S, CR) ? ReplaceAll(S.view(), CR, "<br>") : S;
}

AnsiString GetNextLine(AnsiString& S, bool Multiline) {
    const int p = S.Pos(CR);
    if (p == 0) {
        AnsiString line = S;
        S = AnsiString();
        return line;
    }
    AnsiString line = S.SubString(1, p - 1);
    S.Delete(1, p < S.Length() && S[p + 1] == LF ? p + 1 : p);
    if (!Multiline)
        S = AnsiString();
    return line;
}

int LinesInText(const AnsiString& S, bool Multiline) {
    if (!Multiline)
        return 1;
    int lines = 1;
    for (char c : S.view())
        lines += c == CR;
    return lines;
}

AnsiString DoubleToSingleChar(char Ch, const AnsiString& S) {
    if (!Holds(S, Ch))
        return S;
    std::string out(1, S[1]);
    for (int i = 2; i <= S.Length(); ++i)
        if (S[i] != Ch || S[i - 1] != Ch)
            out += S[i];
    return out;
}

int SinglePos(char Ch, const AnsiString& S) {
    const int n = S.Length();
    for (int i = 1; i <= n; ++i) {
        if (S[i] != Ch)
            continue;
        if (i == n || (S[i + 1] != Ch && (i == 1 || S[i - 1] != Ch)))
            return i;
    }
    return 0;
}

int NumSingleChar(char Ch, const AnsiString& S) {
    // One pass: after each find the text through it is gone, so the next character counts as
    // the first.
    const std::string_view s = S.view();
    int count = 0;
    std::size_t first = 0;
    for (std::size_t i = s.find(Ch); i != std::string_view::npos; i = s.find(Ch, i + 1)) {
        if (i + 1 == s.size() || (s[i + 1] != Ch && (i == first || s[i - 1] != Ch))) {
            ++count;
            first = i + 1;
        }
    }
    return count;
}

bool IsURL(const AnsiString& S) {
    return S.Pos("://") > 0 || S.Pos("mailto:") > 0;
}

void StripURLProtocol(AnsiString& S) {
    if (const int p = S.Pos("://"))
        S.Delete(1, p + 2);
    else if (const int m = S.Pos("mailto:"))
        S.Delete(1, m + 6);
}

bool IsInGridRect(const TGridRect& R, int c, int r) {
    return c >= R.Left && c <= R.Right && r >= R.Top && r <= R.Bottom;
}

bool NameToCell(const AnsiString& S, TPoint& Pt) {
    const std::string s = S.UpperCase().str();
    const auto c = s.find('C', 1);
    if (s.size() < 4 || s.front() != 'R' || c == std::string::npos)
        return false;
    int row = 0, col = 0;
    if (!TryStrToInt(AnsiString(s.substr(1, c - 1)), row) || !TryStrToInt(AnsiString(s.substr(c + 1)), col))
        return false;
    Pt = Point(col, row);
    return true;
}

AnsiString RectString(const TRect& R) {
    return "[" + IntToStr(R.Left) + ":" + IntToStr(R.Top) + "][" + IntToStr(R.Right) + ":" +
           IntToStr(R.Bottom) + "]";
}

int FIPos(const AnsiString& Sub, const AnsiString& S) {
    return S.UpperCase().Pos(Sub);
}

int VarPos(const AnsiString& Sub, const AnsiString& S, int& P) {
    P = S.Pos(Sub);
    return P;
}

AnsiString GetToken(AnsiString& S, const AnsiString& Sep) {
    const int p = S.Pos(Sep);
    if (p == 0)
        return {};
    AnsiString token = S.SubString(1, p - 1);
    S.Delete(1, p + Sep.Length() - 1);
    return token;
}

char FirstChar(std::string_view CharSet, const AnsiString& S) {
    for (char c : S.view())
        if (CharSet.find(c) != std::string_view::npos)
            return c;
    return 0;
}

AnsiString StringListToText(const TStringList& list) {
    std::string text;
    for (int i = 0; i < list.Count(); ++i)
        text += list[i].view();
    return text;
}

void StringToPassword(AnsiString& S, char Ch) {
    std::string masked;
    for (char c : S.view())
        if (!IsContinuationByte(c))
            masked += Ch;
    S = masked;
}

void StringToOem(AnsiString& S) {
    S = OemFromText(S.view());
}

void OemToString(AnsiString& S) {
    S = TextFromOem(S.view());
}

AnsiString HTMLColor(TColor Color) {
    const QColor rgb = ToQColor(Color);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", rgb.red(), rgb.green(), rgb.blue());
    return text;
}

AnsiString ShiftCase(const AnsiString& S) {
    const std::string_view s = S.view();
    std::string out;
    bool capitalNext = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (std::string_view(" ',-.").find(c) != std::string_view::npos) {
            capitalNext = true;
            out += c;
        } else if (capitalNext) {
            out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            capitalNext = false;
        } else {
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
        if (out == "Mc" || (i >= 2 && out.ends_with(" Mc")))
            capitalNext = true;
        if (i + 3 >= s.size() && (out.ends_with(" I") || out.ends_with(" II")))
            capitalNext = true;
    }
    return out;
}
