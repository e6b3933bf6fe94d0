#include "framework/FileBytes.h"
#include "framework/Form.h"
#include "grid/Datagrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A window with a five-column grid whose widths are kept in an INI file; the grid is made with
// the widths given and takes its window (and the saved widths) as it joins the form.
struct SavingWindow {
    SavingWindow(const std::string& key, const char* section, std::vector<int> widths,
                 std::vector<int> hidden = {}, TColumnSizeLocation location = clIniFile) {
        grid = new TDataGrid(form.get());
        grid->SetColCount(5);
        grid->ColumnSize->Save = true;
        grid->ColumnSize->Location = location;
        grid->ColumnSize->Key = key;
        grid->ColumnSize->Section = section;
        for (int c = 0; c < static_cast<int>(widths.size()); ++c)
            grid->SetColWidths(c, widths[static_cast<std::size_t>(c)]);
        for (int c : hidden)
            grid->HideColumn(c);
        grid->SetParent(form.get());
    }
    std::vector<int> RealWidths() const {
        std::vector<int> widths;
        for (int c = 0; c < 5; ++c)
            widths.push_back(grid->GetAllColWidths(c));
        return widths;
    }
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TDataGrid* grid;
};

std::string FileText(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(name, bytes));
    return bytes;
}

TEST(DatagridColSizes, WidthsWrittenWhenTheGridGoesComeBackWithItsWindow) {
    QTemporaryDir folder;
    const std::string ini = folder.filePath("widths.ini").toStdString();
    SavingWindow(ini, "Results", {30, 40, 50, 60, 70}).form.reset();
    EXPECT_EQ(FileText(ini), "[Results]\r\nCol0=30\r\nCol1=40\r\nCol2=50\r\nCol3=60\r\nCol4=70\r\n");
    EXPECT_EQ(SavingWindow(ini, "Results", {}).RealWidths(), (std::vector<int>{30, 40, 50, 60, 70}));
}

TEST(DatagridColSizes, WhatTheStoreLacksLeavesItsColumn) {
    struct Row {
        const char* name;
        std::string file;
        const char* section;
        std::vector<int> widths;
    } rows[] = {
        {"no Col3",
         "[Results]\r\nCol0=30\r\nCol1=40\r\nCol2=50\r\nCol4=70\r\n",
         "Results",
         {30, 40, 50, 64, 70}},
        {"a width that is no number",
         "[Results]\r\nCol1=wide\r\nCol2=55\r\n",
         "Results",
         {64, 64, 55, 64, 64}},
        {"another section", "[Costs]\r\nCol0=30\r\n", "Results", {64, 64, 64, 64, 64}},
        {"no section named", "[Results]\r\nCol0=30\r\n", "", {64, 64, 64, 64, 64}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const std::string ini = folder.filePath("widths.ini").toStdString();
        ASSERT_TRUE(WriteFileBytes(ini, row.file));
        SavingWindow window(ini, row.section, {});
        EXPECT_EQ(window.RealWidths(), row.widths);
    }
}

TEST(DatagridColSizes, NothingIsWrittenWithoutAKeyOrSection) {
    struct Row {
        const char* name;
        bool key;
        const char* section;
    } rows[] = {
        {"no key", false, "Results"},
        {"no section", true, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const std::string ini = folder.filePath("widths.ini").toStdString();
        SavingWindow(row.key ? ini : "", row.section, {30, 40, 50, 60, 70}).form.reset();
        EXPECT_FALSE(QFile::exists(QString::fromStdString(ini)));
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
}

TEST(DatagridColSizes, AColumnHiddenBeforeLoadingKeepsItsWidthForWhenItShows) {
    QTemporaryDir folder;
    const std::string ini = folder.filePath("widths.ini").toStdString();
    SavingWindow(ini, "Results", {30, 40, 50, 60, 70}).form.reset();
    SavingWindow window(ini, "Results", {}, {2});
    // Display column 2 is real column 3.
    EXPECT_EQ(window.grid->GetColWidths(2), 60);
    window.grid->UnHideColumn(2);
    EXPECT_EQ(window.RealWidths(), (std::vector<int>{30, 40, 50, 60, 70}));
}

TEST(DatagridColSizes, AGridThatCannotWriteItsWidthsGoesQuietly) {
    QTemporaryDir folder;
    const std::string ini = folder.filePath("no folder/widths.ini").toStdString();
    SavingWindow window(ini, "Results", {30, 40, 50, 60, 70});
    EXPECT_THROW(window.grid->SaveColSizes(), Exception);
    EXPECT_NO_THROW(window.form.reset());
}

TEST(DatagridColSizes, TheRegistryKeepsWidthsUnderTheKeyAndSection) {
    // The user's settings for this run only.
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const char* key = "Software\\Drenvala\\Widths";
    SavingWindow(key, "Results", {30, 40, 50, 60, 70}, {}, clRegistry).form.reset();
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                          QCoreApplication::applicationName());
    EXPECT_EQ(store.value("Software/Drenvala/Widths/Results/Col1").toString().toStdString(), "40");
    EXPECT_EQ(store.value("Software/Drenvala/Widths/Results/Col4").toString().toStdString(), "70");
    EXPECT_EQ(SavingWindow(key, "Results", {}, {}, clRegistry).RealWidths(),
              (std::vector<int>{30, 40, 50, 60, 70}));
    EXPECT_EQ(SavingWindow(key, "Costs", {}, {}, clRegistry).RealWidths(),
              (std::vector<int>{64, 64, 64, 64, 64}));
}

TEST(DatagridColSizes, TheSavedRangeLeavesOutFixedAndFooterRows) {
    struct Row {
        const char* name;
        bool includeFixed;
        int startRow;
        int endRow;
        int rowCount;
    } rows[] = {
        // 10 rows, 1 fixed and 2 footers: rows 1 to 7.
        {"fixed cells left out", false, 1, 7, 7},
        {"fixed cells included", true, 0, 9, 10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetRowCount(10);
        grid.SetFixedRows(1);
        grid.FixedFooters = 2;
        grid.IncludeFixedCells = row.includeFixed;
        EXPECT_EQ(grid.GetSaveStartRow(), row.startRow);
        EXPECT_EQ(grid.GetSaveEndRow(), row.endRow);
        EXPECT_EQ(grid.GetSaveRowCount(), row.rowCount);
    }
}

} // namespace
