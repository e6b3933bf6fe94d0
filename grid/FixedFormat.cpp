#include "grid/FixedFormat.h"

#include "grid/TextLines.h"

#include <algorithm>

namespace {

void AppendBlanks(std::string& out, int count) {
    if (count > 0)
        out.append(static_cast<std::size_t>(count), ' ');
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::vector<std::string_view> CellLines(std::string_view text, bool Multiline) {
    std::vector<std::string_view> lines;
    LineReader reader(text, LineEnds::Any);
    std::string_view line;
    while ((lines.empty() || Multiline) && reader.Next(line))
        lines.push_back(line);
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

int LongestLineChars(std::string_view text, bool Multiline) {
    int longest = 0;
    for (const std::string_view line : CellLines(text, Multiline))
        longest = std::max(longest, CharCount(line));
    return longest;
}

std::string AlignToWidth(std::string_view text, TAlignment Alignment, int Width) {
    const int length = CharCount(text);
    std::string out;
    if (Alignment == taRightJustify) {
        AppendBlanks(out, Width - length);
        return out.append(text);
    }
    if (Alignment == taCenter && length < Width) {
        const int sides = (Width - length + 1) / 2;
        AppendBlanks(out, sides);
        out.append(text);
        AppendBlanks(out, sides);
        return out;
    }
    return std::string(text);
}

void AsciiRow::AddCell(std::string_view text, TAlignment Alignment, int Start, int Width, bool Multiline) {
    const std::vector<std::string_view> lines = CellLines(text, Multiline);
    const std::string first = AlignToWidth(lines.front(), Alignment, Width);
    line += first;
    const int length = CharCount(first);
    if (length <= Width)
        AppendBlanks(line, Width - length + 1);
    if (continuations.size() < lines.size() - 1)
        continuations.resize(lines.size() - 1);
    for (std::size_t k = 1; k < lines.size(); ++k) {
        std::string& continuation = continuations[k - 1];
        AppendBlanks(continuation, Start - CharCount(continuation));
        continuation += AlignToWidth(lines[k], Alignment, Width);
    }
}

void AsciiRow::AppendTo(std::string& out) const {
    out.append(line).append("\r\n");
    for (const std::string& continuation : continuations)
        out.append(continuation).append("\r\n");
}

void AppendFixedField(std::string& out, std::string_view text, int Width) {
    const std::string_view cut = CharSpan(text, 0, std::max(0, Width));
    out += cut;
    AppendBlanks(out, Width - CharCount(cut));
}

AnsiString FixedField(std::string_view line, int Position, int Length) {
    std::string_view field = CharSpan(line, Position - 1, Length);
    while (!field.empty() && IsBlankOrControl(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && IsBlankOrControl(field.back()))
        field.remove_suffix(1);
    return AnsiString(field);
}
