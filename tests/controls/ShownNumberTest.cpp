#include "controls/ShownNumber.h"

#include "tests/controls/TypedEditSupport.h"

namespace {

// A box filled with a number shows the figure its own format gives for it, however small or
// large, and stands for the number itself while it shows that.
TEST(ShownNumber, ABoxShowsTheFigureItsFormatGives) {
    const LocaleSeparators separators('.', ',');
    const struct {
        TTypedEditType type;
        std::int16_t precision;
        double value;
        const char* shown;
    } rows[] = {
        // "8E-5" and "1E15" were no numbers to the box, shown as 0.
        {etFloat, 4, 0.00008, "0.0001"},
        {etFloat, 2, 1e15, "1000000000000000.00"},
        {etFloat, 0, 0.00008, "0.00008"},
        {etFloat, 0, -1e20, "-100000000000000000000"},
        {etFloat, 2, 1e-20, "0.00"},
        {etFloat, 3, 1234.5678, "1234.568"},
        {etFloat, 2, 0, "0.00"},
        {etMoney, 2, 1e15, "1,000,000,000,000,000.00"},
        {etNumeric, 0, 1e15, "1000000000000000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.precision) + " " + row.shown);
        TTypedEdit box(nullptr);
        Apply(box, {row.type, row.precision});
        ShownNumber shown;
        shown.Show(box, row.value);
        EXPECT_EQ(box.GetText(), row.shown);
        EXPECT_EQ(shown.Read(box, row.value), row.value);
    }
}

} // namespace
