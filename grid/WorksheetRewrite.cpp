#include "grid/WorksheetRewrite.h"

#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"
#include "grid/MarkupFormat.h"
#include "grid/OfficeOpenXml.h"
#include "grid/OfficePackage.h"
#include "grid/WorkbookPackage.h"
#include "grid/WorksheetCheck.h"
#include "grid/XmlScanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <vector>

CellContent ContentOfText(const AnsiString& cellText) {
    std::string kept(cellText.view());
    std::erase(kept, '\0');
    double number = 0;
    if (TryStrToFloat(std::string_view(kept), number) && std::isfinite(number)) {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return {true, std::string(digits, end)};
    }
    return {false, TextFromFileBytes(kept)};
}

void AppendCell(std::string& out, std::string_view prefix, int Col, int Row, const AnsiString& cellText,
                std::string_view style) {
    const CellContent content = ContentOfText(cellText);
    const std::string p(prefix);
    const std::string c = p + "c";
    out += '<' + c + " r=\"" + CellAddress(Col, Row).str() + '"';
    if (!style.empty()) {
        out += " s=\"";
        AppendXmlAttribute(out, style);
        out += '"';
    }
    if (content.Text.empty()) {
        out += "/>";
        return;
    }
    // Every element in the sheet's own namespace: a value of no namespace is no value to a reader.
    if (content.Number) {
        out += "><" + p + "v>" + content.Text + "</" + p + "v></" + c + '>';
        return;
    }
    out += " t=\"inlineStr\"><" + p + "is><" + p + "t xml:space=\"preserve\">";
    // Characters XML cannot hold, and a text's own "_xHHHH_", in the sheet's escape.
    out += EscapeXmlText(content.Text);
    out += "</" + p + "t></" + p + "is></" + c + '>';
}

namespace {

// A start tag's attributes and namespace declarations by qualified name, their values as the
// tag has them.
using TagAttributes = std::vector<XmlScanner::RawAttribute>;

struct KeptRow {
    int Number = 0;
    // The row's start tag without its number and its column span, which the rewrite changes.
    TagAttributes Attributes;
};

// A cell of the sheet as it stands in the text.
struct KeptCell {
    int Row = 0;
    int Col = 0;
    // The start tag's '<' and name, and all after the name to the cell's end. A cell without its
    // reference gets one written between them, as it would take its column from the cell before.
    std::string_view Head;
    std::string_view Rest;
    bool Referenced = false;
    // The cell format, kept only for a cell written over.
    std::string Style;
    bool Formula = false;
    // The shared formula the cell takes part in (its "si"), whether it is the first cell, which
    // holds the formula's text, and where the formula lies in Rest.
    int SharedFormula = -1;
    bool SharedFirst = false;
    std::size_t FormulaFrom = 0;
    std::size_t FormulaTo = 0;
};

// A row number met again adds its attributes to the row's, a later value replacing an earlier
// one, as its cells replace those of the same column.
void MergeAttributes(TagAttributes& into, const TagAttributes& more) {
    for (const XmlScanner::RawAttribute& attribute : more) {
        const auto same = std::find_if(into.begin(), into.end(), [&](const XmlScanner::RawAttribute& kept) {
            return kept.QualifiedName == attribute.QualifiedName;
        });
        if (same == into.end())
            into.push_back(attribute);
        else
            same->Value = attribute.Value;
    }
}

// The attributes as they stand in a tag, each after a blank, in double quotes (a value the tag
// held in single quotes may hold one).
void AppendAttributes(std::string& out, const TagAttributes& attributes) {
    for (const XmlScanner::RawAttribute& attribute : attributes) {
        out.append(" ").append(attribute.QualifiedName).append("=\"");
        for (const char c : attribute.Value)
            c == '"' ? out.append("&quot;") : out.append(1, c);
        out += '"';
    }
}

// The sheet's rows and cells as read, rows and cells in order of number and a number met twice
// made one, the later cell of a column replacing the earlier.
struct SheetData {
    std::string Prefix;
    TagAttributes Attributes;
    std::vector<KeptRow> Rows;
    std::vector<KeptCell> Cells;

    void Order() {
        const auto byNumber = [](const KeptRow& a, const KeptRow& b) { return a.Number < b.Number; };
        if (!std::is_sorted(Rows.begin(), Rows.end(), byNumber))
            std::stable_sort(Rows.begin(), Rows.end(), byNumber);
        std::vector<KeptRow> rows;
        for (KeptRow& row : Rows)
            if (!rows.empty() && rows.back().Number == row.Number)
                MergeAttributes(rows.back().Attributes, row.Attributes);
            else
                rows.push_back(std::move(row));
        Rows = std::move(rows);
        const auto byPlace = [](const KeptCell& a, const KeptCell& b) {
            return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
        };
        if (!std::is_sorted(Cells.begin(), Cells.end(), byPlace))
            std::stable_sort(Cells.begin(), Cells.end(), byPlace);
        const auto last = std::unique(Cells.rbegin(), Cells.rend(), [](const KeptCell& a, const KeptCell& b) {
            return a.Row == b.Row && a.Col == b.Col;
        });
        Cells.erase(Cells.begin(), last.base());
    }
};

// Reads one cell, from its start tag to its end.
KeptCell ReadCell(XmlScanner& reader, SheetPlace& place, const OfficeCells& written) {
    const std::string_view reference = reader.Attribute("r");
    KeptCell cell;
    if (!place.StartCell(reference, cell.Col, cell.Row))
        reader.Corrupt();
    cell.Referenced = !reference.empty();
    if (cell.Row <= written.Rows && cell.Col <= written.Cols)
        cell.Style = reader.Attribute("s");
    const char* from = reader.TagBegin();
    const char* nameEnd = from + 1 + reader.QualifiedName().size();
    const char* formulaFrom = nullptr;
    const char* formulaTo = nullptr;
    // The cell ends at its own end tag, whatever its content holds.
    for (int depth = 1; depth > 0 && reader.Next();)
        if (reader.IsStartElement()) {
            ++depth;
            cell.Formula = cell.Formula || reader.Name() == "f";
            if (depth == 2 && reader.Name() == "f" && reader.Attribute("t") == "shared") {
                const std::string_view index = reader.Attribute("si");
                const bool number = !index.empty() && index.find_first_not_of("0123456789") == index.npos;
                cell.SharedFormula = number ? AttributeInt(index) : -1;
                cell.SharedFirst = !reader.Attribute("ref").empty();
                formulaFrom = reader.TagBegin();
            }
        } else if (depth-- == 2 && formulaFrom && !formulaTo)
            formulaTo = reader.Position();
    cell.Head = std::string_view(from, static_cast<std::size_t>(nameEnd - from));
    cell.Rest = std::string_view(nameEnd, static_cast<std::size_t>(reader.Position() - nameEnd));
    if (formulaTo) {
        cell.FormulaFrom = static_cast<std::size_t>(formulaFrom - nameEnd);
        cell.FormulaTo = static_cast<std::size_t>(formulaTo - nameEnd);
    }
    return cell;
}

} // namespace

AnsiString RangeAddress(int Cols, int Rows) {
    return "A1:" + CellAddress(std::max(Cols, 1), std::max(Rows, 1));
}

namespace {

// RewriteSheet but for its check, so that what the rebuild held is freed before the check runs.
std::string RebuiltSheet(std::string_view text, const OfficeCells& Cells, const AnsiString& FileName,
                         bool& Formula) {
    XmlScanner reader(text, FileName);
    // The part is written back as UTF-8, so its own bytes are copied only when they are that.
    if (!reader.ReadAsGiven())
        reader.Corrupt();
    const auto offset = [&](const char* at) { return static_cast<std::size_t>(at - text.data()); };
    constexpr std::size_t none = std::string_view::npos;
    std::size_t dimensionStart = none, dimensionEnd = none, dataStart = none, dataEnd = none;
    SheetData sheet;
    SheetPlace place;
    // The dimension's tag as it stands, but for its range: its prefix may be another than the
    // sheet data's, declared where that one is not.
    std::string_view dimensionName;
    TagAttributes dimensionAttributes;
    while (reader.Next()) {
        if (!reader.IsStartElement()) {
            if (reader.Name() == "sheetData" && dataStart != none && dataEnd == none)
                dataEnd = offset(reader.Position());
            continue;
        }
        const std::string_view name = reader.Name();
        const bool inData = dataStart != none && dataEnd == none;
        if (dataStart == none && name == "dimension") {
            dimensionStart = offset(reader.TagBegin());
            dimensionName = reader.QualifiedName();
            dimensionAttributes = reader.RawAttributes();
            std::erase_if(dimensionAttributes, [](const XmlScanner::RawAttribute& attribute) {
                return attribute.QualifiedName == "ref";
            });
            reader.SkipElement();
            dimensionEnd = offset(reader.Position());
        } else if (dataStart == none && name == "sheetData") {
            dataStart = offset(reader.TagBegin());
            const std::string_view qualified = reader.QualifiedName();
            sheet.Prefix = qualified.substr(0, qualified.size() - name.size());
            sheet.Attributes = reader.RawAttributes();
        } else if (inData && name == "row") {
            if (!place.StartRow(reader.Attribute("r")))
                reader.Corrupt();
            KeptRow kept{place.RowNumber(), reader.RawAttributes()};
            std::erase_if(kept.Attributes, [](const XmlScanner::RawAttribute& attribute) {
                return attribute.QualifiedName == "r" || attribute.QualifiedName == "spans";
            });
            sheet.Rows.push_back(std::move(kept));
        } else if (inData && name == "c")
            sheet.Cells.push_back(ReadCell(reader, place, Cells));
    }
    if (dataStart == none || dataEnd == none)
        reader.Corrupt();
    sheet.Order();

    // A shared formula whose first cell is written over is gone: the cells that shared it keep
    // their values alone, as no formula of theirs would be left to read.
    const auto writtenOver = [&](const KeptCell& cell) {
        return cell.Row <= Cells.Rows && cell.Col <= Cells.Cols;
    };
    std::set<int> lostFormulas;
    for (const KeptCell& cell : sheet.Cells)
        if (writtenOver(cell) && cell.SharedFirst)
            lostFormulas.insert(cell.SharedFormula);

    std::string data;
    data.reserve(dataEnd - dataStart);
    data.append("<").append(sheet.Prefix).append("sheetData");
    AppendAttributes(data, sheet.Attributes);
    data += '>';
    const std::string rowTag = sheet.Prefix + "row";
    int lastCol = Cells.Rows > 0 ? Cells.Cols : 0;
    int lastRow = Cells.Rows;
    auto keptRow = sheet.Rows.begin();
    auto keptCell = sheet.Cells.begin();
    for (int number = 1;;) {
        // The next row that the sheet holds or that is written.
        const int next = std::min({keptRow != sheet.Rows.end() ? keptRow->Number : SheetRows + 1,
                                   keptCell != sheet.Cells.end() ? keptCell->Row : SheetRows + 1,
                                   number <= Cells.Rows ? number : SheetRows + 1});
        if (next > SheetRows)
            break;
        number = next + 1;
        const TagAttributes* attributes = nullptr;
        if (keptRow != sheet.Rows.end() && keptRow->Number == next)
            attributes = &(keptRow++)->Attributes;
        const auto rowEnd =
            std::find_if(keptCell, sheet.Cells.end(), [&](const KeptCell& cell) { return cell.Row != next; });
        const std::size_t rowStart = data.size();
        data.append("<").append(rowTag).append(" r=\"").append(std::to_string(next)).append("\"");
        if (attributes)
            AppendAttributes(data, *attributes);
        data += '>';
        const std::size_t contentStart = data.size();
        // The written cells first: the cells beyond the range lie to their right.
        auto own = keptCell;
        for (int c = 1; next <= Cells.Rows && c <= Cells.Cols; ++c) {
            while (own != rowEnd && own->Col < c)
                ++own;
            const std::string_view style = own != rowEnd && own->Col == c ? std::string_view(own->Style) : "";
            const AnsiString value = Cells.Text(c - 1, next - 1);
            if (!value.IsEmpty() || !style.empty())
                AppendCell(data, sheet.Prefix, c, next, value, style);
        }
        for (; keptCell != rowEnd; ++keptCell) {
            const KeptCell& cell = *keptCell;
            if (writtenOver(cell)) {
                Formula = Formula || cell.Formula;
                continue;
            }
            data += cell.Head;
            if (!cell.Referenced)
                data.append(" r=\"").append(CellAddress(cell.Col, cell.Row).str()).append("\"");
            if (cell.SharedFormula >= 0 && !cell.SharedFirst && lostFormulas.contains(cell.SharedFormula))
                data.append(cell.Rest.substr(0, cell.FormulaFrom)).append(cell.Rest.substr(cell.FormulaTo));
            else
                data += cell.Rest;
            lastCol = std::max(lastCol, cell.Col);
        }
        if (data.size() == contentStart && !(attributes && !attributes->empty())) {
            data.resize(rowStart);
            continue;
        }
        lastRow = std::max(lastRow, next);
        data.append("</").append(rowTag).append(">");
    }
    data.append("</").append(sheet.Prefix).append("sheetData>");

    std::string result;
    result.reserve(text.size() + data.size());
    std::size_t copied = 0;
    if (dimensionStart != none) {
        result.append(text.substr(0, dimensionStart));
        result.append("<").append(dimensionName);
        AppendAttributes(result, dimensionAttributes);
        result.append(" ref=\"").append(RangeAddress(lastCol, lastRow).str()).append("\"/>");
        copied = dimensionEnd;
    }
    result.append(text.substr(copied, dataStart - copied)).append(data).append(text.substr(dataEnd));
    return result;
}

} // namespace

std::string RewriteSheet(std::string_view text, const OfficeCells& Cells, const AnsiString& FileName,
                         bool& Formula) {
    std::string result = RebuiltSheet(text, Cells, FileName, Formula);
    // A sheet laid out so that the written cells do not read back, or another cell reads otherwise,
    // is left as it was.
    if (!KeepsEveryOtherCell(text, result, Cells, FileName))
        throw EOfficeFileError(CorruptFileMessage(FileName));
    return result;
}
