#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(DatagridDocument, OneTableAnotherProgramReads) {
    TestFolder folder;
    const AnsiString file = folder.Path("t.docx");
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"Sewer", "hidden", "Length", "Note"},
                        {"S1", "h1", "12.5", "two\r\nlines"},
                        {"S<2>", "h2", "7", "&"}});
    grid.HideColumn(1);
    grid.AutoNumAlign = true;
    grid.OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& HAlign, TVAlignment&) {
        if (ARow == 0 && ACol == 3)
            HAlign = taCenter;
    };
    grid.SaveToDOC(file);
    // Per cell: its paragraphs joined by "|", then the first paragraph's alignment (None, 1 for
    // centred, 2 for right).
    EXPECT_EQ(RunPython("import sys, docx\n"
                        "d = docx.Document(sys.argv[1])\n"
                        "print(len(d.tables))\n"
                        "for row in d.tables[0].rows:\n"
                        "    print(' '.join('|'.join(p.text for p in c.paragraphs) + '/' +\n"
                        "          str(c.paragraphs[0].alignment and int(c.paragraphs[0].alignment)) for c "
                        "in row.cells))\n",
                        {QString::fromStdString(file.str())}),
              "1\n"
              "Sewer/None Length/None Note/1\n"
              "S1/None 12.5/2 two|lines/None\n"
              "S<2>/None 7/2 &/None\n");
}

TEST(DatagridDocument, CharactersXmlCannotHoldAreLeftOut) {
    // U+FFFF and a control character go; a byte that is no UTF-8 is Windows-1252 (0x80 is the euro).
    TestFolder folder;
    const AnsiString file = folder.Path("t.docx");
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"a\xEF\xBF\xBF"
                         "b",
                         "x\x01y", "caf\xE9 \x80"}});
    grid.SaveToDOC(file);
    EXPECT_EQ(RunPython("import sys, docx\n"
                        "for c in docx.Document(sys.argv[1]).tables[0].rows[0].cells: print(ascii(c.text))\n",
                        {QString::fromStdString(file.str())}),
              "'ab'\n'xy'\n'caf\\xe9 \\u20ac'\n");
}

TEST(DatagridDocument, AFileThatCannotBeMadeRaises) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    const AnsiString file = folder.Path("no/such/folder/t.docx");
    EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.SaveToDOC(file); }), "Cannot Create file " + file.str());
}

} // namespace
