#include "tests/reports/ResultsTable.h"

namespace {

using ReportSources = ResultsTable;

// The results table reports on the network it is handed, not on what the main window holds (here
// nothing); handed no network, it says there is none.
TEST_F(ReportSources, TheTableShowsTheNetworkItIsHanded) {
    ASSERT_EQ(FrontForm->Network, nullptr);
    const std::unique_ptr<SimpleSewerNetwork> handed = TwoSewers();
    SimpleSewerNetwork* network = handed.get();
    TableForm->NetworkSource = [&network] { return network; };

    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);
    EXPECT_EQ(Row(1)[TableForm->SewerColumn], "B");
    EXPECT_EQ(Row(2)[TableForm->SewerColumn], "A");

    network = nullptr;
    Told();
    TableForm->UpdateTableFromNetworkButton->Click();
    EXPECT_EQ(Told(),
              Texts{MessageLine("Information", "You must enter a network before you can do any calculations.",
                                0x30)});
}

} // namespace
