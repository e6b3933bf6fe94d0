#include "grid/Datagrid.h"

#include "tests/grid/GridFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <string>

namespace {

// 3,000 characters of quotes, commas and line breaks.
std::string LongText() {
    std::string text;
    while (text.size() < 3000)
        text += "Pipe \"225\", 1:150\r\nslope 0.004, \"ok\"\n";
    text.resize(3000);
    return text;
}

// Texts that mean something to a CSV reader, beside a header row like the results table's. The
// first two rows hold a TAB and a quoted comma, which must not decide the separator.
const GridCellTexts AwkwardCells = {
    {"Sewer", "Length, m", "Note \"x\"", "l1\r\nl2", "a\tb"},
    {"S1", "12.50", "\"quoted\"", "5\"", "say \"hi\"\r\nbye"},
    {"", " lead", "trail ", "  ", ","},
    {"a\rb", "a\nb", "a\r\nb", "\r", "\n"},
    {"\r\n", "\"", "\"\"", "x\"\r\n\"", "a;b;c;d;e;f"},
    {"\xC3\x98 \xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", "#|;\t", "~^", LongText(),
     "end,"},
};

AnsiString SaveAwkwardGrid(const TestFolder& folder) {
    TDataGrid grid(nullptr);
    SetCellTexts(grid, AwkwardCells);
    const AnsiString file = folder.Path("awkward.csv");
    grid.SaveToCSV(file);
    return file;
}

TEST(CsvRoundTrip, TheGridReadsBackWhatItSaved) {
    TestFolder folder;
    const AnsiString file = SaveAwkwardGrid(folder);
    TDataGrid back(nullptr);
    back.LoadFromCSV(file);
    EXPECT_EQ(back.GetRowCount(), static_cast<int>(AwkwardCells.size()));
    EXPECT_EQ(CellTexts(back, 5), AwkwardCells);
}

TEST(CsvRoundTrip, PythonsCsvModuleReadsTheSameCells) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    TestFolder folder;
    const AnsiString file = SaveAwkwardGrid(folder);
    QProcess process;
    process.start(python, {"-c",
                           "import csv, json, sys\n"
                           "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                           "    print(json.dumps(list(csv.reader(f))))\n",
                           QString::fromStdString(file.str())});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    GridCellTexts read;
    for (const QJsonValue& record : QJsonDocument::fromJson(process.readAllStandardOutput()).array()) {
        read.emplace_back();
        for (const QJsonValue& field : record.toArray())
            read.back().push_back(field.toString().toStdString());
    }
    EXPECT_EQ(read, AwkwardCells);
}

} // namespace
