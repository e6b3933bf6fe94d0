#include "framework/CommonDialogs.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* Costs = "Costings Matrix (*.csv)|*.csv|Metafiles (*.svg)|*.svg|All files (*.*)|*.*";

struct SaveRow {
    const char* label;
    const char* filter;
    int offered; // the filter the window offers
    int chosen;  // the filter the user picks; 0 keeps the offered one
    const char* defaultExt;
    const char* typed;
    const char* saved;
};

TEST(SaveDialog, ANameTypedWithoutAnExtensionGetsTheChosenFilters) {
    const SaveRow rows[] = {
        {"the offered csv filter", Costs, 1, 0, "", "/data/bill", "/data/bill.csv"},
        {"the offered picture filter", Costs, 2, 0, "", "/data/chart", "/data/chart.svg"},
        {"a filter picked over the offered one", Costs, 1, 2, "", "/data/chart", "/data/chart.svg"},
        {"an extension typed stays", Costs, 1, 0, "", "/data/bill.txt", "/data/bill.txt"},
        {"a dot in the folder only", Costs, 1, 0, "", "/data/v1.2/bill", "/data/v1.2/bill.csv"},
        {"all files: as typed", Costs, 3, 0, "", "/data/bill", "/data/bill"},
        {"all files: the default extension", "Networks (*.snt)|*.snt|All files (*.*)|*.*", 2, 0, "snt",
         "/data/net", "/data/net.snt"},
        {"a wildcard pattern names none", "Metafiles (*.?mf)|*.?mf", 1, 0, "", "/data/chart", "/data/chart"},
        {"the first plain pattern", "Pictures (*.?mf;*.jpg;*.jpeg)|*.?mf;*.jpg;*.jpeg", 1, 0, "", "/data/p",
         "/data/p.jpg"},
        {"no filter at all", "", 1, 0, "", "/data/bill", "/data/bill"},
    };
    for (const SaveRow& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        TSaveDialog dialog(nullptr);
        dialog.Filter = row.filter;
        dialog.FilterIndex = row.offered;
        dialog.DefaultExt = row.defaultExt;
        Responder().AnswerFile(AnsiString(row.typed), row.chosen);
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.FileName, row.saved);
        EXPECT_EQ(dialog.FilterIndex, row.chosen == 0 ? row.offered : row.chosen);
        ASSERT_EQ(Responder().FilesAsked.size(), 1u);
        EXPECT_EQ(Responder().FilesAsked[0].DefaultExt, row.defaultExt);
    }
    Responder().Clear();
}

TEST(SaveDialog, AnOpenedNameIsTakenAsTyped) {
    Responder().Clear();
    TOpenDialog dialog(nullptr);
    dialog.Filter = Costs;
    Responder().AnswerFile(AnsiString("/data/matrix"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/data/matrix");
    Responder().Clear();
}

} // namespace
