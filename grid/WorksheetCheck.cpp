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

// What a reader finds at one place of the sheet, from the cells listed there so far.
struct PlaceValue {
    int Row = 0;
    int Col = 0;
    // The last cell listed there holds a value, Last.
    bool HasLast = false;
    // A cell there holds a value the grid takes, the last of them Read.
    bool HasRead = false;
    std::size_t Last = 0;
    std::size_t Read = 0;
    bool operator==(const PlaceValue&) const = default;
};

constexpr auto ByPlace = [](const PlaceValue& a, const PlaceValue& b) {
    return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
};

bool SamePlace(const PlaceValue& a, const PlaceValue& b) {
    return a.Row == b.Row && a.Col == b.Col;
}

// The cells of a place listed later taken after those listed earlier.
void TakeLater(PlaceValue& earlier, const PlaceValue& later) {
    earlier.HasLast = later.HasLast;
    earlier.Last = later.Last;
    if (later.HasRead) {
        earlier.HasRead = true;
        earlier.Read = later.Read;
    }
}

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
// both find nothing, and those from A1 to the row and column written, are left out.
std::vector<PlaceValue> ReadPlaces(std::string_view text, const AnsiString& FileName, int writtenRows = 0,
                                   int writtenCols = 0) {
    XmlScanner reader(text, FileName);
    std::vector<PlaceValue> places;
    bool ordered = true;
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
            PlaceValue cell;
            if (!place.StartCell(reader.Attribute("r"), cell.Col, cell.Row))
                reader.Corrupt();
            // A cell written over is checked by what is written, not by what it held.
            if (cell.Row <= writtenRows && cell.Col <= writtenCols) {
                reader.SkipElement();
                --depth;
                continue;
            }
            const std::string type(reader.Attribute("t"));
            const std::optional<std::string> value = CellValue(reader, sheetNamespace);
            --depth;
            if (value) {
                cell.HasLast = true;
                cell.Last = ValueHash(type, *value);
                // Kept 0 when none, so that places compare by what the readers find alone.
                if (CellHoldsValue(type, *value)) {
                    cell.HasRead = true;
                    cell.Read = cell.Last;
                }
            }
            if (!places.empty() && SamePlace(places.back(), cell))
                TakeLater(places.back(), cell);
            else {
                ordered = ordered && (places.empty() || ByPlace(places.back(), cell));
                places.push_back(cell);
            }
        }
    }
    if (!ordered) {
        std::stable_sort(places.begin(), places.end(), ByPlace);
        std::vector<PlaceValue> folded;
        for (const PlaceValue& cell : places)
            if (!folded.empty() && SamePlace(folded.back(), cell))
                TakeLater(folded.back(), cell);
            else
                folded.push_back(cell);
        places = std::move(folded);
    }
    std::erase_if(places, [](const PlaceValue& value) { return !value.HasLast && !value.HasRead; });
    return places;
}

} // namespace

bool KeepsEveryOtherCell(std::string_view before, std::string_view after, const OfficeCells& Cells,
                         const AnsiString& FileName) {
    const std::vector<PlaceValue> kept = ReadPlaces(before, FileName, Cells.Rows, Cells.Cols);
    const std::vector<PlaceValue> found = ReadPlaces(after, FileName);
    // The kept cells and the written ones together, in order, are what is found.
    auto keptPlace = kept.begin();
    auto foundPlace = found.begin();
    auto finds = [&](const PlaceValue& expected) {
        return foundPlace != found.end() && *foundPlace++ == expected;
    };
    for (int r = 1; r <= Cells.Rows; ++r)
        for (int c = 1; c <= Cells.Cols; ++c) {
            const CellContent content = ContentOfText(Cells.Text(c - 1, r - 1));
            if (content.Text.empty())
                continue;
            const std::size_t value = ValueHash(content.Number ? "" : "inlineStr", content.Text);
            const PlaceValue written{r, c, true, true, value, value};
            for (; keptPlace != kept.end() && ByPlace(*keptPlace, written); ++keptPlace)
                if (!finds(*keptPlace))
                    return false;
            if (!finds(written))
                return false;
        }
    for (; keptPlace != kept.end(); ++keptPlace)
        if (!finds(*keptPlace))
            return false;
    return foundPlace == found.end();
}
