#include "grid/WorksheetCheck.h"

#include "grid/OfficeOpenXml.h"
#include "grid/WorkbookPackage.h"
#include "grid/WorksheetRewrite.h"
#include "grid/XmlCharacters.h"
#include "grid/XmlScanner.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {

// A cell's type and value, hashed: a sheet of a million cells is compared without a string each.
std::size_t ValueHash(std::string_view type, std::string_view value) {
    const std::size_t h = std::hash<std::string_view>{}(value);
    return h ^ (std::hash<std::string_view>{}(type) + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2));
}

struct ListedCell {
    int Row;
    int Col;
    std::optional<std::size_t> Value;
    // Whether the grid takes the value.
    bool Read;
};

// What a reader finds at one place of the sheet.
struct PlaceValue {
    int Row = 0;
    int Col = 0;
    // The last cell listed there, when it holds a value.
    std::optional<std::size_t> Last;
    // The last cell there holding a value the grid takes.
    std::optional<std::size_t> Read;
    bool operator==(const PlaceValue&) const = default;
};

constexpr auto ByPlace = [](const auto& a, const auto& b) {
    return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
};

// The text of the string item just started, read to its end: its runs' texts joined, phonetic
// hints left out.
std::string InlineString(XmlScanner& reader, std::string_view sheetNamespace) {
    std::string text;
    for (int depth = 1; depth > 0 && reader.Next();) {
        if (!reader.IsStartElement()) {
            --depth;
            continue;
        }
        const bool own = reader.NamespaceUri() == sheetNamespace;
        if (own && reader.Name() == "t")
            text += reader.ElementText();
        else if (own && reader.Name() == "rPh")
            reader.SkipElement();
        else
            ++depth;
    }
    return UnescapedXstring(std::move(text));
}

// The value of the cell just started, read to its end: that of its last value or inline string.
std::optional<std::string> CellValue(XmlScanner& reader, std::string_view sheetNamespace) {
    std::optional<std::string> value;
    // Each child is read whole, so the next end is the cell's own.
    while (reader.Next() && reader.IsStartElement()) {
        const bool own = reader.NamespaceUri() == sheetNamespace;
        if (own && reader.Name() == "v")
            value = std::string(reader.ElementText());
        else if (own && reader.Name() == "is")
            value = InlineString(reader, sheetNamespace);
        else
            reader.SkipElement();
    }
    return value;
}

// The places of a sheet's cells in order, each with what the two readers find there; places where
// both find nothing are left out.
std::vector<PlaceValue> ReadPlaces(std::string_view text, const AnsiString& FileName) {
    XmlScanner reader(text, FileName);
    std::vector<ListedCell> cells;
    std::string sheetNamespace;
    SheetPlace place;
    int depth = 0;
    // The depth of the sheet data being read, 0 outside it.
    int dataDepth = 0;
    while (reader.Next()) {
        if (!reader.IsStartElement()) {
            if (--depth < dataDepth)
                dataDepth = 0;
            continue;
        }
        if (++depth == 1) {
            sheetNamespace = reader.NamespaceUri();
            continue;
        }
        if (reader.NamespaceUri() != sheetNamespace)
            continue;
        const std::string_view name = reader.Name();
        if (dataDepth == 0) {
            if (name == "sheetData")
                dataDepth = depth;
        } else if (name == "row") {
            if (!place.StartRow(reader.Attribute("r")))
                reader.Corrupt();
        } else if (name == "c") {
            ListedCell cell{};
            if (!place.StartCell(reader.Attribute("r"), cell.Col, cell.Row))
                reader.Corrupt();
            const std::string type(reader.Attribute("t"));
            const std::optional<std::string> value = CellValue(reader, sheetNamespace);
            --depth;
            if (value) {
                cell.Value = ValueHash(type, *value);
                cell.Read = CellHoldsValue(type, *value);
            }
            cells.push_back(cell);
        }
    }
    if (!std::is_sorted(cells.begin(), cells.end(), ByPlace))
        std::stable_sort(cells.begin(), cells.end(), ByPlace);
    std::vector<PlaceValue> places;
    for (const ListedCell& cell : cells) {
        if (places.empty() || places.back().Row != cell.Row || places.back().Col != cell.Col)
            places.push_back({cell.Row, cell.Col, {}, {}});
        places.back().Last = cell.Value;
        if (cell.Read)
            places.back().Read = cell.Value;
    }
    std::erase_if(places, [](const PlaceValue& value) { return !value.Last && !value.Read; });
    return places;
}

} // namespace

bool KeepsEveryOtherCell(std::string_view before, std::string_view after, const OfficeCells& Cells,
                         const AnsiString& FileName) {
    std::vector<PlaceValue> kept = ReadPlaces(before, FileName);
    std::erase_if(
        kept, [&](const PlaceValue& value) { return value.Row <= Cells.Rows && value.Col <= Cells.Cols; });
    std::vector<PlaceValue> written;
    for (int r = 1; r <= Cells.Rows; ++r)
        for (int c = 1; c <= Cells.Cols; ++c) {
            const CellContent content = ContentOfText(Cells.Text(c - 1, r - 1));
            if (content.Text.empty())
                continue;
            const std::size_t value = ValueHash(content.Number ? "" : "inlineStr", content.Text);
            written.push_back({r, c, value, value});
        }
    std::vector<PlaceValue> expected;
    expected.reserve(kept.size() + written.size());
    std::merge(kept.begin(), kept.end(), written.begin(), written.end(), std::back_inserter(expected),
               ByPlace);
    return ReadPlaces(after, FileName) == expected;
}
