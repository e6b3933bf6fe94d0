#include "tests/reports/ResultsTable.h"
#include "tests/support/LocaleSeparators.h"

namespace {

using TableFill = ResultsTable;

TEST_F(TableFill, EveryCellOfBothRowsAsWorkedByHand) {
    const LocaleSeparators point('.', ',');
    Install(TwoSewers());
    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);

    TDataGrid& grid = *TableForm->DataGrid1;
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetFixedRows(), 1);
    EXPECT_EQ(Row(0), AllHeaders);
    // B, listed first: u/s flows are A's stored totals, 0.0012 and 0.0021 m3/s, not raised;
    // population 100 x 150 l / 86400 s = 0.17361 l/s, 150 x 200 l / 86400 s = 0.34722 l/s; no
    // infiltration; totals 3.2 and 5.55 l/s; slope (9 - 8) / 40 = 0.025; depths
    // 9 - 7.8828 + 0.3 = 1.4172 and 8 - 7.5 + 0.3 = 0.8.
    EXPECT_EQ(Row(1),
              (Texts{"B",         "40.00",     "1.200E+00", "0.000E+00", "1.736E-01", "3.200", "2.100E+00",
                     "0.000E+00", "3.472E-01", "5.550",     "J2",        "J3",        "9.00",  "8.00",
                     "0.025",     "7.883",     "7.500",     "0.010",     "0.160",     "0.300", "0.400",
                     "0.550",     "0.810",     "0.950",     "1.417",     "0.800"}));
    // A: nothing above it; infiltration 2 x 50 / 86400 = 0.0011574 l/s and 3 x 50 / 86400 =
    // 0.0017361 l/s; houses 10 x 4 x 150 l / 86400 s = 0.069444 l/s, 12 x 5 x 200 l / 86400 s =
    // 0.13889 l/s; the initial total 1.2 l/s shows raised to the minimum 1.5; slope
    // (10 - 9) / 50 = 0.02; depths 10 - 8.5 + 0.15 = 1.65 and 9 - 7.8828 + 0.15 = 1.2672.
    EXPECT_EQ(Row(2),
              (Texts{"A",         "50.00",     "0.000E+00", "1.157E-03", "6.944E-02", "1.500", "0.000E+00",
                     "1.736E-03", "1.389E-01", "2.100",     "J1",        "J2",        "10.00", "9.00",
                     "0.020",     "8.500",     "7.883",     "0.012",     "0.123",     "0.150", "0.235",
                     "0.310",     "0.679",     "0.700",     "1.650",     "1.267"}));
}

TEST_F(TableFill, OnlyTheTotalsAreRaisedToTheMinimumFlowAndOnlyWhileItIsChecked) {
    const LocaleSeparators comma(',', '.');
    struct Case {
        bool limiting;
        const char* initialTotal;
    };
    // A's stored initial total is 0.0012 m3/s, below the minimum 0.0015 m3/s.
    for (const Case& c : {Case{true, "1,500"}, Case{false, "1,200"}}) {
        SCOPED_TRACE(c.limiting);
        SimpleSewerNetwork& n = Install(TwoSewers());
        n.UseDischargeLimiting = c.limiting;
        TableForm->FillTableFromNetwork();
        const Texts a = Row(2);
        EXPECT_EQ(a[TableForm->InitialTotalFlowColumn], c.initialTotal);
        EXPECT_EQ(a[TableForm->FinalTotalFlowColumn], "2,100");
        // B's u/s flow is A's stored total, raised or not.
        EXPECT_EQ(Row(1)[TableForm->InitialUSFlowColumn], "1,200E+00");
    }
}

} // namespace
