#include "reports/CostingsMatrixCheck.h"

#include "reports/CostingsMatrix.h"
#include "reports/FileNumber.h"

#include <algorithm>
#include <iterator>

namespace CostMatrix {

std::optional<UnreadableCell> FirstUnreadableCell(const CellTexts& cell) {
    std::optional<UnreadableCell> found;
    // A blank cell is refused only where it must hold a number; other cells only when they hold text
    // that is no number.
    const auto read = [&](int ACol, int ARow, const char* reader, bool blankRead) {
        const AnsiString text = cell(ACol, ARow);
        double value = 0;
        if (!found && (Blank(text) ? blankRead : !ReadFileNumber(text, value)))
            found = UnreadableCell{ACol, ARow, text, reader};
    };
    for (int r = FirstResourceRow; r <= LastResourceRow && !found; ++r) {
        if (!Blank(cell(UnitCostColumn, r))) {
            read(UnitCostColumn, r, "the pricing", true);
            for (int c = FirstActivityColumn; c <= LastActivityColumn; ++c)
                read(c - RateOffset, r, "the pricing", true);
            continue;
        }
        // A row the pricing skips: the bill prices it when it is named, and the totals and the
        // chart read the costs it keeps.
        read(UnitCostColumn, r, "the bill", !Blank(cell(NameColumn, r)));
        const bool charted = std::find(std::begin(ChartRows), std::end(ChartRows), r) != std::end(ChartRows);
        for (int c = FirstActivityColumn; c <= ResourceTotalColumn; ++c)
            read(c, r, c == ResourceTotalColumn && charted ? "the chart" : "the pricing",
                 c == ResourceTotalColumn && charted);
    }
    return found;
}

AnsiString UnreadableText(const UnreadableCell& unreadable, const AnsiString& where) {
    if (Blank(unreadable.Text))
        return where + " is empty, where " + unreadable.Reader + " needs a number.";
    return where + " holds \"" + unreadable.Text + "\", which is not a number.";
}

} // namespace CostMatrix
