#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <gtest/gtest.h>

namespace {

// The first row of the active sheet as openpyxl reads it, each string taken through openpyxl's
// reading of the "_xHHHH_" escape (its cell reader leaves inline strings as they stand), one
// Python ascii() form per line.
std::string FirstRowAsRead(const AnsiString& file) {
    return RunPython(
        "import sys, openpyxl\nfrom openpyxl.utils.escape import unescape\n"
        "for v in next(openpyxl.load_workbook(sys.argv[1]).active.iter_rows(values_only=True)):\n"
        "    print(ascii(unescape(v) if isinstance(v, str) else v))\n",
        {QString::fromStdString(file.str())});
}

TEST(WorkbookCellText, AwkwardCellsRoundTripThroughAnotherProgram) {
    // A cell's own text that looks like the escape, characters XML cannot hold, and bytes that
    // are no UTF-8 (0xE9 is "é" in Windows-1252).
    const struct {
        const char* label;
        std::string cell;
        const char* asRead;
        std::string back;
    } rows[] = {
        {"an escape of A", "_x0041_", "'_x0041_'", "_x0041_"},
        {"an escape of the underscore", "_x005F_", "'_x005F_'", "_x005F_"},
        {"an escape inside text", "a_x00e9_b", "'a_x00e9_b'", "a_x00e9_b"},
        {"too few digits to be one", "_x12_", "'_x12_'", "_x12_"},
        {"a control character", "x\x01y", "'x\\x01y'", "x\x01y"},
        {"U+FFFF", "a\xEF\xBF\xBF", "'a\\uffff'", "a\xEF\xBF\xBF"},
        {"Windows-1252", "caf\xE9", "'caf\\xe9'", "caf\xC3\xA9"},
        // The escape of NUL reads back as no character: it is left out.
        {"NUL", std::string("a\0b", 3), "'ab'", "ab"},
    };
    TestFolder folder;
    const AnsiString file = folder.Path("awkward.xlsx");
    TDataGrid grid(nullptr);
    grid.SetRowCount(1);
    grid.SetColCount(static_cast<int>(std::size(rows)));
    for (int c = 0; c < grid.GetColCount(); ++c)
        grid.SetCellEx(c, 0, rows[c].cell);
    grid.SaveToXLS(file);
    const std::string asRead = FirstRowAsRead(file);
    TDataGrid back(nullptr);
    back.LoadFromXLS(file);
    std::size_t line = 0;
    for (int c = 0; c < grid.GetColCount(); ++c) {
        SCOPED_TRACE(rows[c].label);
        const std::size_t next = asRead.find('\n', line);
        EXPECT_EQ(asRead.substr(line, next - line), rows[c].asRead);
        line = next + 1;
        EXPECT_EQ(back.GetCellEx(c, 0), rows[c].back);
    }
}

TEST(WorkbookCellText, ReadsTheEscapeOfTextAnotherProgramWrote) {
    // openpyxl writes a string as it stands; the format reads "_xHHHH_" in it as one character,
    // "_x005F_" keeping the "_xHHHH_" after it as text.
    const struct {
        const char* label;
        const char* written;
        std::string read;
    } rows[] = {
        {"an escape of A", "'_x0041_'", "A"},
        {"an escaped escape", "'_x005F_x0041_'", "_x0041_"},
        {"the CR spreadsheet programs write", "'a_x000D_b'", "a\rb"},
        {"lower-case digits", "'_x00e9_'", "\xC3\xA9"},
        {"a control character as openpyxl escapes it", "escape('x\\x01y')", "x\x01y"},
        {"a surrogate is no character", "'_xD800_'", "_xD800_"},
        {"no escape", "'_x00G0_'", "_x00G0_"},
    };
    TestFolder folder;
    const std::string file = folder.Path("escapes.xlsx").str();
    std::string program = "from openpyxl.utils.escape import escape\nws = wb.active\n";
    for (std::size_t c = 0; c < std::size(rows); ++c)
        program += "ws.cell(1, " + std::to_string(c + 1) + ").value = " + rows[c].written + "\n";
    MakeWorkbook(file, program);
    TDataGrid grid(nullptr);
    grid.LoadFromXLS(file);
    for (std::size_t c = 0; c < std::size(rows); ++c) {
        SCOPED_TRACE(rows[c].label);
        EXPECT_EQ(grid.GetCellEx(static_cast<int>(c), 0), rows[c].read);
    }
}

TEST(WorkbookCellText, DatesBeyondTheCalendarReadAsNumbers) {
    // Serials of the 1900 system: 2958465 is 9999-12-31, -693594 is 0001-01-01 (the system counts
    // a 29 February 1900, so serials before 61 lie a day later than the day count says).
    const struct {
        const char* serial;
        const char* read;
    } rows[] = {
        {"1e19", "1E19"},          {"123456789012345678", "1.23456789012346E17"},
        {"2958466", "2958466"},    {"2958465.9999999999", "2958466"},
        {"2958465", "31/12/9999"}, {"2958465.5", "31/12/9999 12:00:00"},
        {"-693594", "01/01/0001"}, {"-693595", "-693595"},
        {"40574", "31/01/2011"},
    };
    TestFolder folder;
    const std::string file = folder.Path("dates.xlsx").str();
    std::string program = "ws = wb.active\n";
    for (std::size_t c = 0; c < std::size(rows); ++c)
        program += "ws.cell(1, " + std::to_string(c + 1) + ").value = " + rows[c].serial + "\nws.cell(1, " +
                   std::to_string(c + 1) + ").number_format = 'yyyy-mm-dd'\n";
    MakeWorkbook(file, program);
    DateSettings dates("dd/mm/yyyy", '/');
    TDataGrid grid(nullptr);
    grid.LoadFromXLS(file);
    for (std::size_t c = 0; c < std::size(rows); ++c) {
        SCOPED_TRACE(rows[c].serial);
        EXPECT_EQ(grid.GetCellEx(static_cast<int>(c), 0), rows[c].read);
    }
}

} // namespace
