// Filter matching and short dates of the grid's text utilities.
#include "grid/Gridutil.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Reads the three numbers of a short date split at its first two separators.
bool SplitDate(const AnsiString& S, char separator, std::array<AnsiString, 3>& parts) {
    AnsiString rest = S;
    const AnsiString sep(separator);
    for (int i = 0; i < 2; ++i) {
        if (rest.Pos(sep) == 0)
            return false;
        parts[static_cast<std::size_t>(i)] = GetToken(rest, sep);
    }
    parts[2] = rest;
    return true;
}

TDateTime ShortDate(const AnsiString& S, bool monthFirst) {
    char separator = 0;
    for (char candidate : {'/', '.', '-'})
        if (S.Pos(AnsiString(candidate)) > 0) {
            separator = candidate;
            break;
        }
    std::array<AnsiString, 3> parts;
    if (!separator || !SplitDate(S, separator, parts))
        return 0;
    int month = 0, day = 0, year = 0;
    if (!TryStrToInt(parts[monthFirst ? 0 : 1], month) || !TryStrToInt(parts[monthFirst ? 1 : 0], day) ||
        !TryStrToInt(parts[2], year))
        return 0;
    if (parts[2].Trim().Length() <= 2)
        year += year < 26 ? 2000 : 1900;
    return EncodeDate(year, month, day);
}

// '?' matches any one byte; other characters themselves.
bool SegmentMatchesAt(std::string_view segment, std::string_view text, std::size_t at) {
    for (std::size_t i = 0; i < segment.size(); ++i)
        if (segment[i] != '?' && segment[i] != text[at + i])
            return false;
    return true;
}

// The whole mask against the whole text, "*" standing for any run. Each piece between stars is
// matched at its leftmost place, which finds a match whenever one exists, without backtracking.
bool WildcardMatches(std::string_view mask, std::string_view text) {
    const std::size_t firstStar = mask.find('*');
    if (firstStar == std::string_view::npos)
        return mask.size() == text.size() && SegmentMatchesAt(mask, text, 0);
    const std::string_view head = mask.substr(0, firstStar);
    const std::string_view tail = mask.substr(mask.rfind('*') + 1);
    if (head.size() + tail.size() > text.size() || !SegmentMatchesAt(head, text, 0) ||
        !SegmentMatchesAt(tail, text, text.size() - tail.size()))
        return false;
    std::size_t pos = head.size();
    const std::size_t end = text.size() - tail.size();
    std::string_view middle = mask.substr(firstStar, mask.size() - tail.size() - firstStar);
    while (!middle.empty()) {
        const std::size_t start = middle.find_first_not_of('*');
        if (start == std::string_view::npos)
            break;
        const std::size_t stop = std::min(middle.find('*', start), middle.size());
        const std::string_view segment = middle.substr(start, stop - start);
        middle.remove_prefix(stop);
        while (pos + segment.size() <= end && !SegmentMatchesAt(segment, text, pos))
            ++pos;
        if (pos + segment.size() > end)
            return false;
        pos += segment.size();
    }
    return true;
}

// Sign of S compared with the operand: as numbers, else as dates, else as texts.
int CompareForFilter(const AnsiString& S, const AnsiString& operand) {
    double a = 0, b = 0;
    if ((TryStrToFloat(S, a) && TryStrToFloat(operand, b)) ||
        (ReadShortDate(S, a) && ReadShortDate(operand, b)))
        return a < b ? -1 : a > b ? 1 : 0;
    const std::string_view x = S.view().substr(0, 255);
    const std::string_view y = operand.view().substr(0, 255);
    const int order = x.compare(y);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

struct ComparisonPart {
    bool Present = false;
    bool Result = true;
};

// The ">" or "<" part of a mask: S against the operand after the operator.
ComparisonPart Comparison(std::string_view mask, const AnsiString& S, char op) {
    std::size_t p = mask.find(op);
    if (p == std::string_view::npos)
        return {};
    ++p;
    const bool inclusive = p < mask.size() && mask[p] == '=';
    if (inclusive)
        ++p;
    while (p < mask.size() && mask[p] == ' ')
        ++p;
    const std::size_t end = std::min(mask.find_first_of(" &|", p), mask.size());
    const int order = CompareForFilter(S, AnsiString(mask.substr(p, end - p)));
    const bool result = (op == '>' ? order > 0 : order < 0) || (inclusive && order == 0);
    return {true, result};
}

bool Holds(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

} // namespace

TDateTime StrToShortdateUS(const AnsiString& S) {
    return ShortDate(S, true);
}

TDateTime StrToShortDateEU(const AnsiString& S) {
    return ShortDate(S, false);
}

bool ReadShortDate(const AnsiString& S, TDateTime& D) {
    const AnsiString format = ShortDateFormat.UpperCase();
    int day = 0, month = 0, year = 0;
    // The three numbers go to day, month and year in the order the format names them.
    std::array<std::pair<int, int*>, 3> order{
        {{format.Pos("D"), &day}, {format.Pos("M"), &month}, {format.Pos("Y"), &year}}};
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::array<AnsiString, 3> parts;
    if (!SplitDate(S, DateSeparator, parts))
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        if (!TryStrToInt(parts[i], *order[i].second))
            return false;
    return day < 32 && month < 13 && TryEncodeDate(year, month, day, D);
}

TDateTime GetNextDate(TDateTime D, unsigned short DYears, unsigned short DMonths, unsigned short DDays,
                      TDateTime Step) {
    int year = 0, month = 0, day = 0;
    DecodeDate(D, year, month, day);
    if (DDays && !DYears && !DMonths)
        return D + DDays;
    if (DYears && !DMonths && !DDays)
        return EncodeDate(year + DYears, month, day);
    if (DMonths && !DYears && !DDays) {
        month += DMonths;
        year += (month - 1) / 12;
        month = (month - 1) % 12 + 1;
        return EncodeDate(year, month, day);
    }
    return D + Step;
}

bool Matches(const AnsiString& Mask, const AnsiString& S) {
    const std::string_view mask = Mask.view();
    ComparisonPart greater = Comparison(mask, S, '>');
    ComparisonPart less = Comparison(mask, S, '<');
    const bool negated = Holds(mask, '!');
    greater.Present |= negated;
    less.Present |= negated;
    if (Holds(mask, '^') && (greater.Present || less.Present))
        return greater.Result || less.Result;
    if (Holds(mask, '&') && greater.Present && less.Present)
        return greater.Result && less.Result;
    if ((Holds(mask, '>') && greater.Result) || (Holds(mask, '<') && less.Result))
        return true;
    std::string wildcards(mask);
    std::erase(wildcards, '!');
    return WildcardMatches(wildcards, S.view()) != negated;
}

bool MatchStr(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive) {
    return CaseSensitive ? Matches(Mask, S) : Matches(Mask.UpperCase(), S.UpperCase());
}

bool MatchStrEx(const AnsiString& Condition, const AnsiString& S, bool CaseSensitive) {
    const std::string condition = Condition.Trim().str();
    std::string joined;
    for (std::size_t i = 0; i < condition.size(); ++i) {
        if (condition[i] == ' ') {
            const std::size_t next = condition.find_first_not_of(' ', i);
            const bool besideOperator = (!joined.empty() && Holds("&;^", joined.back())) ||
                                        (next != std::string::npos && Holds("&;^", condition[next]));
            if (besideOperator)
                continue;
        }
        joined += condition[i];
    }
    bool answer = true;
    char op = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= joined.size(); ++i) {
        if (i < joined.size() && !Holds("&;^", joined[i]))
            continue;
        const bool part = MatchStr(AnsiString(joined.substr(start, i - start)), S, CaseSensitive);
        answer = op == 0 ? part : op == '&' ? answer && part : answer || part;
        if (i < joined.size())
            op = joined[i];
        start = i + 1;
    }
    return answer;
}
