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

CellFileReader::CellFileReader(std::string_view text, bool Multilinecells, bool StrictNumbers)
    : lines(text, LineEnds::CarriageReturn), multiline(Multilinecells), strict(StrictNumbers) {
    std::string_view header;
    if (!lines.Next(header) || header.empty())
        return;
    hasHeader = true;
    colCount = Number(CutAtComma(header));
    rowCount = Number(header);
}

long long CellFileReader::Number(std::string_view text) const {
    return strict ? StrToInt(AnsiString(text)) : LeadingInteger(text);
}

int CellFileReader::Index(std::string_view text) const {
    return static_cast<int>(std::clamp<long long>(Number(text), INT_MIN, INT_MAX));
}

bool CellFileReader::Next(CellFileLine& line) {
    std::string_view text;
    if (!lines.Next(text))
        return false;
    line.IsWidth = text.starts_with("cw");
    if (line.IsWidth) {
        text.remove_prefix(std::min<std::size_t>(3, text.size()));
        line.Col = Index(CutAtComma(text));
        line.Value = Index(text);
        line.Text = AnsiString();
        return true;
    }
    line.Col = Index(CutAtComma(text));
    line.Value = Index(CutAtComma(text));
    line.Text = FileToLf(AnsiString(text), multiline);
    return true;
}
