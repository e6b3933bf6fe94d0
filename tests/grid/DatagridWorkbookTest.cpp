#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sstream>

namespace {

// Each cell of the active sheet as openpyxl reads it: "s:" and the text with line feeds as "|",
// or "n:" and the number as Python writes it; one line per row.
std::string SheetAsRead(const AnsiString& file, const char* sheet = "") {
    return RunPython(
        "import sys, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "ws = wb[sys.argv[2]] if sys.argv[2] else wb.active\n"
        "for row in ws.iter_rows(values_only=True):\n"
        "    print(' '.join('-' if v is None else 's:' + v.replace('\\n', '|') if isinstance(v, str)\n"
        "                   else 'n:' + repr(float(v)) for v in row))\n",
        {QString::fromStdString(file.str()), sheet});
}

TEST(DatagridWorkbook, RoundTripThroughAnotherProgram) {
    TestFolder folder;
    const AnsiString file = folder.Path("t.xlsx");
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"a, b", "say \"x\"", "&<", ""},
                        {"Ødegård", "two\r\nlines", "12.5", "1.234568E+07"},
                        {"007", "", "x", ""}});
    grid.SaveToXLS(file);
    EXPECT_EQ(SheetAsRead(file), "s:a, b s:say \"x\" s:&< -\n"
                                 "s:Ødegård s:two|lines n:12.5 n:12345680.0\n"
                                 "n:7.0 - s:x -\n");
    EXPECT_EQ(RunPython("import sys, openpyxl\nprint(openpyxl.load_workbook(sys.argv[1]).sheetnames)",
                        {QString::fromStdString(file.str())}),
              "['Sheet1']\n");

    TDataGrid back(nullptr);
    back.SetColCount(2);
    back.SetRowCount(2);
    back.LoadFromXLS(file);
    EXPECT_EQ(CellTexts(back), (GridCellTexts{{"a, b", "say \"x\"", "&<", ""},
                                              {"Ødegård", "two\nlines", "12.5", "12345680"},
                                              {"7", "", "x", ""}}));
}

TEST(DatagridWorkbook, WideGridsEndAtTheirColumnLetters) {
    const struct {
        int columns;
        const char* range;
    } rows[] = {{28, "A1:AB1"}, {52, "A1:AZ1"}, {703, "A1:AAA1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.columns);
        TestFolder folder;
        const AnsiString file = folder.Path("wide.xlsx");
        TDataGrid grid(nullptr);
        grid.SetRowCount(1);
        grid.SetColCount(row.columns);
        grid.SetCellEx(0, 0, "first");
        grid.SetCellEx(row.columns - 1, 0, "last");
        grid.SaveToXLS(file);
        EXPECT_EQ(RunPython("import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\n"
                            "print(ws.calculate_dimension(), ws.cell(1, ws.max_column).value)",
                            {QString::fromStdString(file.str())}),
                  std::string(row.range) + " last\n");
    }
}

TEST(DatagridWorkbook, ReadsSheetsMadeByAnotherProgram) {
    TestFolder folder;
    const std::string file = folder.Path("in.xlsx").str();
    MakeWorkbook(file,
                 "ws = wb.active; ws.title = 'One'; ws['A1'] = 'one'\n"
                 "two = wb.create_sheet('Two'); two['B2'] = 'first'; two['C3'] = 12.5; two['D5'] = 'last'\n"
                 "two['C2'] = True; two['D2'] = datetime.date(2011, 1, 31); two['B5'] = '#DIV/0!'\n"
                 "two['C4'] = '=1/0'\n"
                 "three = wb.create_sheet('Three'); three['A1'] = 'three'\n"
                 "wb.active = 1\n");
    DateSettings dates("dd/mm/yyyy", '/');
    const auto loaded = [&](const char* sheet, bool includeFixed) {
        TDataGrid grid(nullptr);
        grid.SetColCount(6);
        grid.SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c)
                grid.SetCellEx(c, r, "k");
        grid.IncludeFixedCells = includeFixed;
        if (*sheet)
            grid.LoadFromXLSSheet(file, sheet);
        else
            grid.LoadFromXLS(file);
        return CellTexts(grid);
    };
    // B2:D5 of the active sheet: 3 columns, 4 rows from B2; the error and the formula without a
    // value keep their cells.
    EXPECT_EQ(loaded("", true),
              (GridCellTexts{
                  {"first", "TRUE", "31/01/2011"}, {"k", "12.5", "k"}, {"k", "k", "k"}, {"k", "k", "last"}}));
    EXPECT_EQ(loaded("", false), (GridCellTexts{{"k", "k", "k", "k"},
                                                {"k", "first", "TRUE", "31/01/2011"},
                                                {"k", "k", "12.5", "k"},
                                                {"k", "k", "k", "k"},
                                                {"k", "k", "k", "last"}}));
    // One cell is 1 x 1, and the counts stay above the fixed ones.
    EXPECT_EQ(loaded("Three", true), (GridCellTexts{{"three", "k"}, {"k", "k"}}));
    EXPECT_EQ(ErrorText<EDataGridError>([&] { loaded("Costs", true); }), "Excel worksheet Costs not found");
}

// Each part of a package with its CRC, one per line.
std::string PartChecksums(const std::string& file) {
    return RunPython(
        "import sys, zipfile\nfor i in zipfile.ZipFile(sys.argv[1]).infolist(): print(i.filename, i.CRC)",
        {QString::fromStdString(file)});
}

TEST(DatagridWorkbook, WritesIntoANamedSheetKeepingTheRest) {
    TestFolder folder;
    const std::string file = folder.Path("book.xlsx").str();
    MakeWorkbook(
        file,
        "ws = wb.active; ws.title = 'First'; ws['A1'] = 'untouched'\n"
        "costs = wb.create_sheet('Costs'); costs['A1'] = 'old'; costs['C3'] = 'old'; costs['E9'] = 'keep'\n"
        "costs['A1'].font = Font(bold=True); costs['A1'].fill = PatternFill('solid', fgColor='FFFF00')\n"
        "last = wb.create_sheet('Last'); last['B2'] = 3\n");
    const std::string before = PartChecksums(file);
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"new", "2.5"}, {"", "x"}});
    grid.SaveToXLSSheet(file, "Costs");
    EXPECT_EQ(SheetAsRead(file, "Costs"),
              "s:new n:2.5 - - -\n- s:x - - -\n- - s:old - -\n"
              "- - - - -\n- - - - -\n- - - - -\n- - - - -\n- - - - -\n- - - - s:keep\n");
    EXPECT_EQ(RunPython("import sys, openpyxl\nwb = openpyxl.load_workbook(sys.argv[1])\n"
                        "print(wb.sheetnames, wb['Costs']['A1'].font.b, wb['Costs']['A1'].fill.fgColor.rgb,"
                        " wb['First']['A1'].value, wb['Last']['B2'].value)",
                        {QString::fromStdString(file)}),
              "['First', 'Costs', 'Last'] True 00FFFF00 untouched 3\n");
    // Only the sheet written changed.
    const std::string after = PartChecksums(file);
    std::istringstream was(before), is(after);
    std::string a, b;
    int changed = 0;
    while (std::getline(was, a) && std::getline(is, b))
        if (a != b) {
            ++changed;
            EXPECT_EQ(a.substr(0, a.find(' ')), "xl/worksheets/sheet2.xml");
        }
    EXPECT_EQ(changed, 1);

    // A new name adds a sheet, which another program reads back.
    grid.SaveToXLSSheet(file, "Added");
    EXPECT_EQ(SheetAsRead(file, "Added"), "s:new n:2.5\n- s:x\n");
    EXPECT_EQ(RunPython("import sys, openpyxl\nprint(openpyxl.load_workbook(sys.argv[1]).sheetnames)",
                        {QString::fromStdString(file)}),
              "['First', 'Costs', 'Last', 'Added']\n");
    TDataGrid back(nullptr);
    back.LoadFromXLSSheet(file, "Added");
    EXPECT_EQ(CellTexts(back), (GridCellTexts{{"new", "2.5"}, {"", "x"}}));

    // A missing file becomes a workbook of that one sheet.
    const std::string fresh = folder.Path("fresh.xlsx").str();
    grid.SaveToXLSSheet(fresh, "Only");
    EXPECT_EQ(RunPython("import sys, openpyxl\nprint(openpyxl.load_workbook(sys.argv[1]).sheetnames)",
                        {QString::fromStdString(fresh)}),
              "['Only']\n");
}

TEST(DatagridWorkbook, AnAddedSheetIsLinkedAsTheWorkbooksOwnSheets) {
    // A strict workbook names its parts' relationships in a namespace of its own.
    const std::string transitional = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string strict = "http://purl.oclc.org/ooxml/officeDocument/relationships";
    const struct {
        const char* label;
        std::string relationships;
    } rows[] = {{"transitional", transitional}, {"strict", strict}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const std::string file = folder.Path("book.xlsx").str();
        MakeWorkbook(file, "wb.active.title = 'First'");
        RunPython("import sys, zipfile\n"
                  "src = zipfile.ZipFile(sys.argv[1]); items = [(i, src.read(i.filename)) for i in "
                  "src.infolist()]\n"
                  "src.close()\n"
                  "with zipfile.ZipFile(sys.argv[1], 'w') as out:\n"
                  "    for info, data in items:\n"
                  "        out.writestr(info, data.replace(sys.argv[2].encode(), sys.argv[3].encode()))\n",
                  {QString::fromStdString(file), QString::fromStdString(transitional),
                   QString::fromStdString(row.relationships)});
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"1"}});
        grid.SaveToXLSSheet(file, "Added");
        // Each sheet with the namespace of its relationship's id.
        EXPECT_EQ(
            RunPython(
                "import sys, zipfile, xml.etree.ElementTree as ET\n"
                "root = ET.fromstring(zipfile.ZipFile(sys.argv[1]).read('xl/workbook.xml'))\n"
                "for s in root.iter():\n"
                "    if s.tag.endswith('}sheet'):\n"
                "        print(s.get('name'), *[k[1:k.index('}')] for k in s.attrib if k.endswith('}id')])\n",
                {QString::fromStdString(file)}),
            "First " + row.relationships + "\nAdded " + row.relationships + "\n");
    }
}

TEST(DatagridWorkbook, ASheetWrittenAgainIsPackedAsANewOne) {
    // Packed as fast as in a new workbook, not with the archive library's slowest default: the
    // same cells written over the same sheet give the same part, packed to the same size.
    TestFolder folder;
    const std::string file = folder.Path("again.xlsx").str();
    TDataGrid grid(nullptr);
    GridCellTexts texts;
    for (int r = 0; r < 300; ++r)
        texts.push_back(
            {"S" + std::to_string(r), std::to_string(r * 37 % 1000) + ".25", "note " + std::to_string(r)});
    SetCellTexts(grid, texts);
    const auto packed = [&] {
        return RunPython(
            "import sys, zipfile\ni = zipfile.ZipFile(sys.argv[1]).getinfo('xl/worksheets/sheet1.xml')\n"
            "print(i.CRC, i.compress_size)",
            {QString::fromStdString(file)});
    };
    grid.SaveToXLS(file);
    const std::string fresh = packed();
    grid.SaveToXLSSheet(file, "Sheet1");
    EXPECT_EQ(packed(), fresh);
}

TEST(DatagridWorkbook, FindsSheetsByTheNamesItWritesThem) {
    // 0xE9 is "\xC3\xA9" in Windows-1252: a name's bytes that are no UTF-8 read so on writing and
    // on reading.
    const struct {
        const char* label;
        std::string written;
        std::string asked;
        const char* names;
    } rows[] = {
        {"Windows-1252", "Caf\xE9", "Caf\xE9", "['First', 'Caf\xC3\xA9']\n"},
        {"asked for in UTF-8", "Caf\xE9", "Caf\xC3\xA9", "['First', 'Caf\xC3\xA9']\n"},
        {"written in UTF-8", "Caf\xC3\xA9", "Caf\xE9", "['First', 'Caf\xC3\xA9']\n"},
        // Names differing only in case, in any script, are one sheet's name.
        {"asked for in capitals", "Caf\xC3\xA9", "CAF\xC3\x89", "['First', 'Caf\xC3\xA9']\n"},
        {"asked for in capitals in Windows-1252", "Caf\xE9", "cAF\xC9", "['First', 'Caf\xC3\xA9']\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const std::string file = folder.Path("names.xlsx").str();
        MakeWorkbook(file, "wb.active.title = 'First'");
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"1", "2"}});
        grid.SaveToXLSSheet(file, row.written);
        TDataGrid back(nullptr);
        back.LoadFromXLSSheet(file, row.asked);
        EXPECT_EQ(CellTexts(back), (GridCellTexts{{"1", "2"}, {"", ""}}));
        // The same sheet again, not a second one.
        SetCellTexts(grid, {{"3", "4"}});
        grid.SaveToXLSSheet(file, row.asked);
        EXPECT_EQ(RunPython("import sys, openpyxl\nprint(openpyxl.load_workbook(sys.argv[1]).sheetnames)",
                            {QString::fromStdString(file)}),
                  row.names);
        EXPECT_EQ(SheetAsRead(file, "Caf\xC3\xA9"), "n:3.0 n:4.0\n");
        // A message names the sheet as the workbook would.
        EXPECT_EQ(ErrorText<EDataGridError>([&] { back.LoadFromXLSSheet(file, "Th\xE9"); }),
                  "Excel worksheet Th\xC3\xA9 not found");
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.SaveToXLSSheet(file, "Th\xE9:"); }),
                  "Invalid worksheet name Th\xC3\xA9:");
    }
}

TEST(DatagridWorkbook, WritesIntoSheetsLaidOutWithWhiteSpace) {
    // How the XML parts lay out their tags: LibreOffice ends its relationships on a line of their
    // own; other programs indent every part.
    const struct {
        const char* label;
        const char* layout;
    } rows[] = {
        {"relationships ending on a new line",
         "text.replace('</Relationships>', '\\n</Relationships>') if name.endswith('.rels') else text"},
        {"every part indented", "text.replace('><', '>\\n  <')"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const std::string file = folder.Path("book.xlsx").str();
        MakeWorkbook(file, "ws = wb.active; ws.title = 'First'; ws['A1'] = 'untouched'\n"
                           "costs = wb.create_sheet('Costs'); costs['A1'] = '=1+1'; costs['E9'] = 'keep'\n"
                           "costs['B2'].font = Font(bold=True)\n");
        // The formula's place in a calculation chain, which a sheet written over it must lose.
        RunPython(
            "import sys, zipfile\n"
            "src = zipfile.ZipFile(sys.argv[1]); items = [(i.filename, src.read(i).decode()) for i in "
            "src.infolist()]\n"
            "src.close()\n"
            "items.append(('xl/calcChain.xml', '<?xml version=\"1.0\"?><calcChain xmlns=\"http://"
            "schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"A1\" i=\"2\"/></calcChain>'))\n"
            "def edit(name, text):\n"
            "    if name == 'xl/_rels/workbook.xml.rels':\n"
            "        text = text.replace('</Relationships>', '<Relationship Id=\"rId99\" Type=\"http://"
            "schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain\" "
            "Target=\"calcChain.xml\"/></Relationships>')\n"
            "    if name == '[Content_Types].xml':\n"
            "        text = text.replace('</Types>', '<Override PartName=\"/xl/calcChain.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>"
            "</Types>')\n"
            "    return " +
                std::string(row.layout) +
                "\n"
                "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as out:\n"
                "    for name, text in items:\n"
                "        out.writestr(name, edit(name, text) if name.endswith('.xml') or "
                "name.endswith('.rels') else text)\n",
            {QString::fromStdString(file)});
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"new", "2.5"}, {"", "x"}});
        grid.SaveToXLSSheet(file, "Costs");
        grid.SaveToXLSSheet(file, "Added");
        EXPECT_EQ(SheetAsRead(file, "Costs"), "s:new n:2.5 - - -\n- s:x - - -\n- - - - -\n- - - - -\n"
                                              "- - - - -\n- - - - -\n- - - - -\n- - - - -\n- - - - s:keep\n");
        EXPECT_EQ(SheetAsRead(file, "Added"), "s:new n:2.5\n- s:x\n");
        EXPECT_EQ(RunPython("import sys, openpyxl\nwb = openpyxl.load_workbook(sys.argv[1])\n"
                            "print(wb.sheetnames, wb['Costs']['B2'].font.b, wb['First']['A1'].value)",
                            {QString::fromStdString(file)}),
                  "['First', 'Costs', 'Added'] True untouched\n");
        // Every part still well-formed, and nothing left of the chain.
        EXPECT_EQ(RunPython("import sys, zipfile, xml.dom.minidom\nz = zipfile.ZipFile(sys.argv[1])\n"
                            "for n in z.namelist():\n"
                            "    text = z.read(n).decode()\n"
                            "    xml.dom.minidom.parseString(text)\n"
                            "    if 'calcChain' in n or 'calcChain' in text: print(n)\n",
                            {QString::fromStdString(file)}),
                  "");
    }
}

TEST(DatagridWorkbook, KeptCellsStayInTheirPlaces) {
    // A1:C1 hold 1, 2, 3; the grid writes "x" and an empty cell over A1:B1, so 3 stays in C1.
    const std::string main = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const std::string refused = "refused";
    const struct {
        const char* label;
        std::string sheetData;
        std::string asRead = "s:x - n:3.0\n";
        GridCellTexts back = {{"x", "", "3"}, {"", "", ""}};
        // Another part replaced by the text, when it names one.
        std::string part = "";
        std::string partText = "";
    } rows[] = {
        {"cells without their references",
         "<sheetData><row r=\"1\"><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c></row></sheetData>"},
        {"a cell nested in a value",
         "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c><c r=\"C1\"><v>3<c "
         "r=\"Z1\"/></v></c></row></sheetData>"},
        {"a prefix declared on the row",
         "<sheetData><row r=\"1\" xmlns:g=\"urn:g\"><c r=\"A1\"><v>1</v></c><c r=\"C1\" "
         "g:note=\"n\"><v>3</v></c></row></sheetData>"},
        {"a prefix declared on the sheet data",
         "<sheetData xmlns:g=\"urn:g\"><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"C1\" "
         "g:note=\"n\"><v>3</v></c></row></sheetData>"},
        // The rows are written again without the element around them.
        {"a prefix declared around the rows",
         "<sheetData><g:group xmlns:g=\"urn:g\"><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"C1\" "
         "g:note=\"n\"><v>3</v></c></row></g:group></sheetData>",
         refused},
        // Other programs leave a row number twice; its cells and attributes become one row.
        {"a row number twice",
         "<sheetData><row r=\"1\" ht=\"20\" customHeight=\"1\"><c r=\"A1\"><v>1</v></c></row>"
         "<row r=\"1\" ht=\"30\"><c r=\"C1\"><v>3</v></c></row></sheetData>"},
        // D1, as the row says, not D2 after the cell placed in row 2.
        {"a cell without its reference after one of another row",
         "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"C2\"><v>3</v></c><c><v>4</v></c>"
         "</row></sheetData>",
         "s:x - - n:4.0\n- - n:3.0 -\n",
         {{"x", "", "", "4"}, {"", "", "3", ""}}},
        // A1 holds the formula that B1 and C1 share, so C1 keeps its value alone; C2 and D2 keep
        // theirs.
        {"a shared formula whose first cell is written over",
         "<sheetData><row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:C1\" si=\"0\">0+1</f><v>1</v></c>"
         "<c r=\"B1\"><f t=\"shared\" si=\"0\"/><v>2</v></c><c r=\"C1\" s=\"0\"><f t=\"shared\" si=\"0\"></f>"
         "<v>3</v></c></row><row r=\"2\"><c r=\"C2\"><f t=\"shared\" ref=\"C2:D2\" "
         "si=\"1\">A2</f><v>5</v></c>"
         "<c r=\"D2\"><f t=\"shared\" si=\"1\"/><v>5</v></c></row></sheetData>",
         "s:x - n:3.0 -\n- - s:=A2 s:=B2\n",
         {{"x", "", "3", ""}, {"", "", "5", "5"}}},
        // Parts the grid's reader refuses, which the write would leave unreadable.
        {"a kept cell naming a string that is not there",
         "<sheetData><row r=\"1\"><c r=\"C1\" t=\"s\"><v>99</v></c></row></sheetData>", refused},
        {"styles cut short",
         "<sheetData><row r=\"1\"><c r=\"C1\"><v>3</v></c></row></sheetData>",
         refused,
         {},
         "xl/styles.xml",
         "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const std::string file = folder.Path("kept.xlsx").str();
        MakeWorkbook(file, "wb.active.title = 'Costs'");
        ReplacePart(file, "xl/worksheets/sheet1.xml",
                    "<?xml version=\"1.0\"?><worksheet " + main + ">" + row.sheetData + "</worksheet>");
        if (!row.part.empty())
            ReplacePart(file, row.part, row.partText);
        const std::string before = FileBytes(file);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"x", ""}});
        if (row.asRead == refused) {
            EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.SaveToXLSSheet(file, "Costs"); }),
                      "File contains no data or corrupt file " + file);
            EXPECT_TRUE(FileBytes(file) == before);
            continue;
        }
        grid.SaveToXLSSheet(file, "Costs");
        EXPECT_EQ(SheetAsRead(file), row.asRead);
        TDataGrid back(nullptr);
        back.LoadFromXLS(file);
        // The grid keeps a row past its fixed one.
        EXPECT_EQ(CellTexts(back), row.back);
    }
}

// A sheet reaching the format's last column and row lists few cells: the grid takes its size and
// those cells, and only they take room.
TEST(DatagridWorkbook, ASheetReachingTheLastColumnAndRowReads) {
    TestFolder folder;
    const struct {
        const char* label;
        const char* program;
        int cols, rows;
        TPoint first, last;
        const char *firstText, *lastText;
    } rows[] = {
        {"XFD1 and A1048576",
         "wb.active['XFD1'] = 'end'; wb.active['A1048576'] = 'foot'",
         16384,
         1048576,
         {16383, 0},
         {0, 1048575},
         "end",
         "foot"},
        {"A1 and Z1048576",
         "wb.active['A1'] = 1; wb.active['Z1048576'] = 2",
         26,
         1048576,
         {0, 0},
         {25, 1048575},
         "1",
         "2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::string file = folder.Path("far.xlsx").str();
        MakeWorkbook(file, row.program);
        TDataGrid grid(nullptr);
        grid.IncludeFixedCells = true;
        grid.LoadFromXLS(file);
        EXPECT_EQ(grid.GetColCount(), row.cols);
        EXPECT_EQ(grid.GetRowCount(), row.rows);
        EXPECT_EQ(grid.GetCellEx(row.first.x, row.first.y), row.firstText);
        EXPECT_EQ(grid.GetCellEx(row.last.x, row.last.y), row.lastText);
        EXPECT_EQ(grid.GetCellEx(1, 1), "");
    }
}

TEST(DatagridWorkbook, BadFilesChangeNothing) {
    TestFolder folder;
    const std::string good = folder.Path("good.xlsx").str();
    MakeWorkbook(good, "wb.active['A1'] = 'a'; wb.active['B1'] = 'b'; wb.active['C1'] = 'c'");
    const auto variant = [&](const char* name, const std::string& part, const std::string& text) {
        const std::string path = folder.Path(name).str();
        QFile::copy(QString::fromStdString(good), QString::fromStdString(path));
        ReplacePart(path, part, text);
        return path;
    };
    const std::string sheetStart =
        "<?xml version=\"1.0\"?><worksheet "
        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    const std::string text = folder.Path("text.xlsx").str();
    WriteFile(text, "Sewer,Length\r\n");
    const std::string truncated = folder.Path("truncated.xlsx").str();
    WriteFile(truncated, FileBytes(good).substr(0, FileBytes(good).size() / 2));
    const std::string bomb = folder.Path("bomb.xlsx").str();
    RunPython(
        "import sys, zipfile, zlib\n"
        "src = zipfile.ZipFile(sys.argv[1]); items = [(i, src.read(i.filename)) for i in src.infolist()]\n"
        "with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED) as out:\n"
        "    for info, data in items:\n"
        "        if info.filename != 'xl/worksheets/sheet1.xml': out.writestr(info, data)\n"
        "    with out.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as part:\n"
        "        block = bytes(1 << 20)\n"
        "        for i in range(300): part.write(block)\n",
        {QString::fromStdString(good), QString::fromStdString(bomb)});
    const struct {
        const char* label;
        std::string file;
        std::string message;
    } rows[] = {
        {"missing", folder.Path("none.xlsx").str(), "Cannot open file "},
        {"text named .xlsx", text, "File contains no data or corrupt file "},
        {"truncated", truncated, "File contains no data or corrupt file "},
        {"300 MiB of zeros", bomb, "File contains no data or corrupt file "},
        {"beyond the last column",
         variant("xfe.xlsx", "xl/worksheets/sheet1.xml",
                 sheetStart + "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row></sheetData></worksheet>"),
         "File contains no data or corrupt file "},
        {"beyond the last row",
         variant("row.xlsx", "xl/worksheets/sheet1.xml",
                 sheetStart +
                     "<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row></sheetData></worksheet>"),
         "File contains no data or corrupt file "},
        {"string 99 of 3",
         variant("sst.xlsx", "xl/worksheets/sheet1.xml",
                 sheetStart + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>99</v></c></row></sheetData></worksheet>"),
         "File contains no data or corrupt file "},
        {"an entity DTD",
         variant("dtd.xlsx", "xl/worksheets/sheet1.xml",
                 "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaa\">]>"
                 "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                 "<row r=\"1\"><c r=\"A1\" "
                 "t=\"inlineStr\"><is><t>&a;</t></is></c></row></sheetData></worksheet>"),
         "File contains no data or corrupt file "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"x", "y"}, {"z", "w"}});
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromXLS(row.file); }), row.message + row.file);
        EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"x", "y"}, {"z", "w"}}));
    }

    // Writing into a file that is no workbook leaves it as it was.
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"x"}});
    EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.SaveToXLSSheet(text, "Sheet1"); }),
              "File contains no data or corrupt file " + text);
    EXPECT_EQ(FileBytes(text), "Sewer,Length\r\n");
    for (const char* name : {"a[1]", "x:y", "1234567890123456789012345678901x",
                             "a\x01"
                             "b",
                             "\xEF\xBF\xBF"})
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.SaveToXLSSheet(good, name); }),
                  std::string("Invalid worksheet name ") + name);
}

} // namespace
