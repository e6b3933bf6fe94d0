#include "grid/CellFileFormat.h"

#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"
#include "grid/TextLines.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

void AppendInt(std::string& out, long long value) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The text before the first comma, and the rest after it (empty when there is no comma).
std::string_view CutAtComma(std::string_view& text) {
    const std::size_t comma = text.find(',');
    const std::string_view before = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    return before;
}

class NumberReader {
public:
    explicit NumberReader(bool strict) : strict(strict) {}
    long long operator()(std::string_view text) const {
        return strict ? StrToInt(AnsiString(text)) : LeadingInteger(text);
    }
    int Int(std::string_view text) const {
        return static_cast<int>(std::clamp<long long>((*this)(text), INT_MIN, INT_MAX));
    }

private:
    bool strict;
};

} // namespace

void AppendCellFileHeader(std::string& out, int ColCount, int RowCount) {
    AppendInt(out, ColCount);
    out += ',';
    AppendInt(out, RowCount);
    out += "\r\n";
}

void AppendWidthLine(std::string& out, int Col, int Width) {
    out += "cw ";
    AppendInt(out, Col);
    out += ',';
    AppendInt(out, Width);
    out += "\r\n";
}

void AppendCellLine(std::string& out, int Col, int Row, const AnsiString& Text) {
    AppendInt(out, Col);
    out += ',';
    AppendInt(out, Row);
    out += ',';
    out += LfToFile(Text).view();
    out += "\r\n";
}

CellFileContent ReadCellFile(std::string_view text, bool Multilinecells, bool StrictNumbers) {
    const NumberReader number(StrictNumbers);
    CellFileContent content;
    LineReader lines(text, LineEnds::CarriageReturn);
    std::string_view line;
    if (!lines.Next(line))
        return content;
    if (!line.empty()) {
        content.HasHeader = true;
        content.ColCount = number(CutAtComma(line));
        content.RowCount = number(line);
    }
    while (lines.Next(line)) {
        if (line.starts_with("cw")) {
            line.remove_prefix(std::min<std::size_t>(3, line.size()));
            const int col = number.Int(CutAtComma(line));
            content.Widths.push_back({col, number.Int(line)});
            continue;
        }
        const int col = number.Int(CutAtComma(line));
        const int row = number.Int(CutAtComma(line));
        content.Cells.push_back({col, row, FileToLf(AnsiString(line), Multilinecells)});
    }
    return content;
}
