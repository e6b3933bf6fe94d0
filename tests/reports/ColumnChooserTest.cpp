#include "tests/reports/ResultsTable.h"

#include <QFontMetrics>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>

namespace {

using ColumnChooser = ResultsTable;

Texts Without(std::initializer_list<int> columns) {
    Texts headers;
    for (int col = 0; col < 26; ++col)
        if (std::find(columns.begin(), columns.end(), col) == columns.end())
            headers.push_back(AllHeaders[static_cast<std::size_t>(col)]);
    return headers;
}

std::vector<int> EveryColumn() {
    std::vector<int> columns(26);
    std::iota(columns.begin(), columns.end(), 0);
    return columns;
}

std::string Checks() {
    const TCheckListBox& list = *TableColumnsEditorForm->TableColumnsCheckListBox;
    std::string checks;
    for (int i = 0; i < list.Items.Count(); ++i)
        checks += list.GetChecked(i) ? 'x' : '.';
    return checks;
}

TEST_F(ColumnChooser, ListsEveryColumnChecked) {
    TTableColumnsEditorForm& chooser = *TableColumnsEditorForm;
    Texts items;
    for (int i = 0; i < chooser.TableColumnsCheckListBox->Items.Count(); ++i)
        items.push_back(chooser.TableColumnsCheckListBox->Items[i].str());
    EXPECT_EQ(items, AllHeaders);
    EXPECT_EQ(Checks(), std::string(26, 'x'));
}

TEST_F(ColumnChooser, ApplyingUpdatesTheTableAndShowsTheCheckedColumnsOnly) {
    struct Case {
        const char* label;
        std::vector<int> unchecked;
        std::function<void()> apply;
        Texts shown;
    };
    const auto applyButton = [] { TableColumnsEditorForm->Button2->Click(); };
    const auto updateButton = [] { TableForm->UpdateTableFromNetworkButton->Click(); };
    const Case cases[] = {
        {"length and ground slope", {1, 14}, applyButton, Without({1, 14})},
        {"the sewer names", {0}, applyButton, Without({0})},
        // The grid keeps one column shown: hidden in order, the last stays.
        {"every column", EveryColumn(), applyButton, {"Depth d/s (m)"}},
        {"one unchecked, then Update Table", {5}, updateButton, Without({5})},
        {"all checked again", {}, applyButton, AllHeaders},
    };
    ReadRiverside();
    FrontForm->ResultsTable1->Click();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetChecks(c.unchecked);
        c.apply();
        EXPECT_EQ(Told(), Texts{});
        EXPECT_EQ(ShownHeaders(), c.shown);
        // Hidden or not, every column is filled.
        const Texts s3 = Row(3);
        EXPECT_EQ(s3[TableForm->SewerColumn], "S3");
        EXPECT_EQ(s3[TableForm->LengthColumn], "20.00");
        EXPECT_EQ(s3[TableForm->DSJunctionColumn], "J2");
        EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 4);
    }
}

TEST_F(ColumnChooser, ChecksStayWhileTheWindowIsClosedAndApplyNeedsANetwork) {
    TTableColumnsEditorForm& chooser = *TableColumnsEditorForm;
    FrontForm->SelectColumnstoview1->Click();
    SetChecks({3, 7});
    chooser.Button1->Click();
    EXPECT_FALSE(chooser.GetVisible());
    FrontForm->SelectColumnstoview1->Click();
    EXPECT_TRUE(chooser.GetVisible());
    EXPECT_EQ(Checks(), "xxx.xxx.xxxxxxxxxxxxxxxxxx");

    chooser.Button2->Click();
    EXPECT_EQ(Told(), Texts{NoNetwork});
    EXPECT_EQ(ShownHeaders(), AllHeaders);
}

// Under a window manager the title bar holds an icon and three buttons beside the caption, about
// 130 pixels, and a list item a check box and the scroll bar beside its text, about 40.
TEST_F(ColumnChooser, ShowsItsCaptionAndEveryColumnNameWhole) {
    TTableColumnsEditorForm& chooser = *TableColumnsEditorForm;
    QFont titleFont = chooser.Font.ToQFont();
    titleFont.setBold(true);
    const QString caption = QString::fromStdString(chooser.GetCaption().str());
    EXPECT_GE(chooser.Width(), QFontMetrics(titleFont).horizontalAdvance(caption) + 130);
    const QFontMetrics itemMetrics(chooser.TableColumnsCheckListBox->Font.ToQFont());
    for (const std::string& header : AllHeaders) {
        SCOPED_TRACE(header);
        EXPECT_LE(itemMetrics.horizontalAdvance(QString::fromStdString(header)) + 40,
                  chooser.TableColumnsCheckListBox->Width());
    }
    EXPECT_LE(chooser.Button1->Left() + chooser.Button1->Width(), chooser.ClientWidth());
    EXPECT_LE(chooser.Label1->Left() + chooser.Label1->Width(), chooser.ClientWidth());
    chooser.Show();
    EXPECT_EQ(chooser.View()->width(), chooser.Width());
}

} // namespace
