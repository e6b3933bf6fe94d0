#include "grid/Datagrid.h"
#include "grid/ZipArchive.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>

namespace {

const std::string Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string Relationships = "http://schemas.openxmlformats.org/package/2006/relationships";
const std::string Types = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A workbook of one sheet holding the given part, and a shared strings part when one is given.
void WriteWorkbookOf(const AnsiString& file, const std::string& sheet, const std::string& strings) {
    ZipArchive package = ZipArchive::Create();
    const std::string types = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    package.Write(
        "[Content_Types].xml",
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default "
        "Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
            types + "sheet.main+xml\"/><Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
            types + "worksheet+xml\"/><Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + types +
            "sharedStrings+xml\"/></Types>");
    package.Write("_rels/.rels", "<Relationships xmlns=\"" + Relationships +
                                     "\"><Relationship Id=\"rId1\" Type=\"" + Types +
                                     "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    package.Write("xl/workbook.xml", "<workbook xmlns=\"" + Main + "\" xmlns:r=\"" +
                                         Types.substr(0, Types.size() - 1) +
                                         "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>"
                                         "</sheets></workbook>");
    std::string relationships = "<Relationships xmlns=\"" + Relationships +
                                "\"><Relationship Id=\"rId1\" Type=\"" + Types +
                                "worksheet\" Target=\"worksheets/sheet1.xml\"/>";
    if (!strings.empty()) {
        relationships +=
            "<Relationship Id=\"rId2\" Type=\"" + Types + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
        package.Write("xl/sharedStrings.xml", strings);
    }
    package.Write("xl/_rels/workbook.xml.rels", relationships + "</Relationships>");
    package.Write("xl/worksheets/sheet1.xml", sheet);
    WriteFile(file, *package.Finish());
}

// The error loading a workbook of those parts into the grid raises, the file's name left out, or
// "no error".
std::string LoadWorkbookOf(TDataGrid& grid, const std::string& sheet, const std::string& strings) {
    TestFolder folder;
    const AnsiString file = folder.Path("sheet.xlsx");
    WriteWorkbookOf(file, sheet, strings);
    std::string error = ErrorText([&] { grid.LoadFromXLS(file); });
    if (error.ends_with(file.str()))
        error.resize(error.size() - file.str().size());
    return error;
}

// A sheet whose first row holds the cells.
std::string RowSheet(const std::string& cells) {
    return "<worksheet xmlns=\"" + Main + "\"><sheetData><row r=\"1\">" + cells +
           "</row></sheetData></worksheet>";
}

// Whether the grid writes the cells into the one sheet of a workbook of that part; a write refused
// gives the corrupt-file message and leaves the file as it was.
bool WriteIntoSheet(const AnsiString& file, const std::string& sheet, const GridCellTexts& cells) {
    WriteWorkbookOf(file, sheet, "");
    const std::string before = FileBytes(file);
    TDataGrid grid(nullptr);
    SetCellTexts(grid, cells);
    const std::string error = ErrorText([&] { grid.SaveToXLSSheet(file, "Sheet1"); });
    if (error == "no error")
        return true;
    EXPECT_EQ(error, "File contains no data or corrupt file " + file.str());
    EXPECT_TRUE(FileBytes(file) == before);
    return false;
}

std::string Utf16WithMark(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.utf16()), 2 * text.size());
}

TEST(WorkbookSheetXml, ReadsWhatWellFormedSheetsMayHold) {
    const struct {
        const char* label;
        std::string sheet;
        std::string strings;
        std::vector<std::string> firstRow;
    } rows[] = {
        {"the five entities and character references",
         RowSheet("<c r=\"A1\" "
                  "t=\"inlineStr\"><is><t>&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#xe9;&#x1F600;</t></is></c>"),
         "",
         {"<>&'\"AB\xC3\xA9\xF0\x9F\x98\x80", ""}},
        // CR LF and a lone CR are line feeds; a referenced CR stays.
        {"line ends",
         RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><t>a\r\nb\rc&#13;d</t></is></c>"),
         "",
         {"a\nb\nc\rd", ""}},
        {"spaces kept with or without xml:space",
         RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a </t></is></c>"
                  "<c r=\"B1\" t=\"inlineStr\"><is><t> b </t></is></c>"),
         "",
         {" a ", " b "}},
        {"a prefixed main namespace",
         "<x:worksheet xmlns:x=\"" + Main +
             "\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\"><x:v>1.5</x:v></x:c><x:c r=\"B1\" t=\"inlineStr\">"
             "<x:is><x:t>p</x:t></x:is></x:c></x:row></x:sheetData></x:worksheet>",
         "",
         {"1.5", "p"}},
        {"an empty cell widens the range",
         RowSheet("<c r=\"A1\"><v>1</v></c><c r=\"C1\"/>"),
         "",
         {"1", "", ""}},
        {"attributes in either quotes",
         RowSheet("<c r='A1' t=\"inlineStr\"><is><t>it's</t></is></c><c r=\"B1\" t='str'><v>\"q\"</v></c>"),
         "",
         {"it's", "\"q\""}},
        {"an entity in an attribute",
         RowSheet("<c r=\"A1\" t=\"inline&#83;tr\"><is><t>x</t></is></c>"),
         "",
         {"x", ""}},
        {"character data",
         RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><t>a<![CDATA[<b>&amp;]]>c</t></is></c>"),
         "",
         {"a<b>&amp;c", ""}},
        // The cached value of a formula; a formula without one leaves its cell.
        {"formulas",
         RowSheet(
             "<c r=\"A1\"><f>1+1</f><v>2</v></c><c r=\"B1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c>"
             "<c r=\"C1\"><f>D1</f></c><c r=\"D1\"><f>X</f><v></v></c>"),
         "",
         {"2", "ab", "", ""}},
        {"rich text runs without their phonetic hints",
         RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><r><t>a</t></r><r><rPr><b/></rPr><t "
                  "xml:space=\"preserve\"> b</t>"
                  "</r><rPh sb=\"0\" eb=\"1\"><t>x</t></rPh></is></c>"),
         "",
         {"a b", ""}},
        {"a byte order mark, a declaration, comments and instructions",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!-- made by hand -->"
         "<worksheet xmlns=\"" +
             Main +
             "\"><?app data?><sheetData><row r=\"1\"><!-- x --><c r=\"A1\"><v>3</v></c></row></sheetData>"
             "</worksheet>\n<!-- end -->\n",
         "",
         {"3", ""}},
        {"shared strings",
         RowSheet("<c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"),
         "<sst xmlns=\"" + Main + "\"><si><t>a&amp;b</t></si><si><r><t>c</t></r><r><t>d</t></r></si></sst>",
         {"cd", "a&b"}},
        {"numbers with spaces and signs",
         RowSheet("<c r=\"A1\"><v> 7 </v></c><c r=\"B1\"><v>+3</v></c>"),
         "",
         {"7", "3"}},
        // U+FEFF is no white space, and no byte order mark inside a value.
        {"booleans",
         RowSheet("<c r=\"A1\" t=\"b\"><v>&#xFEFF;1</v></c><c r=\"B1\" t=\"b\"><v> 1 </v></c>"),
         "",
         {"FALSE", "TRUE"}},
        {"UTF-16",
         Utf16WithMark(RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><t>\xC3\xA9</t></is></c>")),
         "",
         {"\xC3\xA9", ""}},
        // The row's number, as the writer and other programs take it, not the row of the cell before.
        {"a cell without its reference after a cell of another row",
         RowSheet("<c r=\"A1\"><v>1</v></c><c r=\"C2\"><v>3</v></c><c><v>4</v></c>"),
         "",
         {"1", "", "", "4"}},
        {"a declared Latin-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
             RowSheet("<c r=\"A1\" t=\"inlineStr\"><is><t>\xE9t\xE9</t></is></c>"),
         "",
         {"\xC3\xA9t\xC3\xA9", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        grid.IncludeFixedCells = true;
        EXPECT_EQ(LoadWorkbookOf(grid, row.sheet, row.strings), "no error");
        // The grid keeps a column and a row past its fixed ones whatever it loads.
        EXPECT_EQ(CellTexts(grid).front(), row.firstRow);
    }
}

TEST(WorkbookSheetXml, WritesOnlyIntoSheetsInUtf8) {
    // The sheet goes back in UTF-8: one in another encoding would have its characters changed, or
    // be declared in an encoding it is no longer in.
    const std::string kept = "<c r=\"C1\" t=\"inlineStr\"><is><t>caf\xC3\xA9</t></is></c>";
    const struct {
        const char* label;
        std::string sheet;
        bool written;
    } rows[] = {
        {"UTF-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + RowSheet(kept), true},
        {"no encoding declared", "<?xml version=\"1.0\"?>" + RowSheet(kept), true},
        // Another name of UTF-8, as the reader takes it.
        {"utf8 declared", "<?xml version=\"1.0\" encoding=\"utf8\"?>" + RowSheet(kept), true},
        {"Latin-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
             RowSheet("<c r=\"C1\" t=\"inlineStr\"><is><t>caf\xE9</t></is></c>"),
         false},
        {"Latin-1 of ASCII letters alone", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + RowSheet(""),
         false},
        {"UTF-16", Utf16WithMark(RowSheet(kept)), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const AnsiString file = folder.Path("sheet.xlsx");
        EXPECT_EQ(WriteIntoSheet(file, row.sheet, {{"x\xC3\xBC", ""}}), row.written);
        if (!row.written)
            continue;
        TDataGrid back(nullptr);
        back.LoadFromXLS(file);
        EXPECT_EQ(CellTexts(back).front(), (std::vector<std::string>{"x\xC3\xBC", "", "caf\xC3\xA9"}));
    }
}

TEST(WorkbookSheetXml, RefusesSheetsThatAreNotWellFormed) {
    const std::string cell = "<c r=\"A1\" t=\"inlineStr\"><is><t>";
    const std::string cellEnd = "</t></is></c>";
    const struct {
        const char* label;
        std::string sheet;
        std::string strings = "";
    } rows[] = {
        {"a tag cut short", "<worksheet xmlns=\"" + Main + "\"><sheetData><row r=\"1\"><c r=\"A1\""},
        {"a document cut short",
         "<worksheet xmlns=\"" + Main + "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c>"},
        {"an attribute value never closed", RowSheet("<c r=\"A1><v>1</v></c>")},
        {"quotes that differ", RowSheet("<c r=\"A1'><v>1</v></c>")},
        {"an attribute without quotes", RowSheet("<c r=A1><v>1</v></c>")},
        {"an attribute twice", RowSheet("<c r=\"A1\" r=\"B1\"><v>1</v></c>")},
        {"an end tag of another element", RowSheet("<c r=\"A1\"><v>1</c></v>")},
        {"an undeclared prefix", RowSheet("<x:c r=\"A1\"><x:v>1</x:v></x:c>")},
        {"an unknown entity", RowSheet(cell + "&nbsp;" + cellEnd)},
        {"an entity without its semicolon", RowSheet(cell + "&amp" + cellEnd)},
        {"a reference to character 0", RowSheet(cell + "&#0;" + cellEnd)},
        {"a reference to a surrogate", RowSheet(cell + "&#xD800;" + cellEnd)},
        {"a reference past the last character", RowSheet(cell + "&#x110000;" + cellEnd)},
        {"a control character", RowSheet(cell + "\x01" + cellEnd)},
        {"bytes that are no UTF-8", RowSheet(cell + "\xC3(" + cellEnd)},
        {"]]> in text", RowSheet(cell + "a]]>b" + cellEnd)},
        {"character data never closed", RowSheet(cell + "<![CDATA[a" + cellEnd)},
        {"a comment never closed", RowSheet("<!-- x <c r=\"A1\"><v>1</v></c>")},
        {"a DTD inside the sheet", RowSheet("<!DOCTYPE x><c r=\"A1\"><v>1</v></c>")},
        {"text after the sheet", RowSheet("<c r=\"A1\"><v>1</v></c>") + "x"},
        {"a second root", RowSheet("<c r=\"A1\"><v>1</v></c>") + "<worksheet/>"},
        {"a declaration not at the start", " <?xml version=\"1.0\"?>" + RowSheet("<c r=\"A1\"><v>1</v></c>")},
        {"version 1.1", "<?xml version=\"1.1\"?>" + RowSheet("<c r=\"A1\"><v>1</v></c>")},
        {"an encoding nobody knows",
         "<?xml version=\"1.0\" encoding=\"nobody\"?>" + RowSheet("<c r=\"A1\"><v>1</v></c>")},
        {"shared strings cut short", RowSheet("<c r=\"A1\" t=\"s\"><v>0</v></c>"), "<sst><si><t>a</t></si>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"x", "y"}});
        EXPECT_EQ(LoadWorkbookOf(grid, row.sheet, row.strings), "File contains no data or corrupt file ");
        EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"x", "y"}}));
        // Nor is a sheet the grid cannot read written into.
        TestFolder folder;
        const AnsiString file = folder.Path("sheet.xlsx");
        WriteWorkbookOf(file, row.sheet, row.strings);
        const std::string before = FileBytes(file);
        EXPECT_EQ(ErrorText([&] { grid.SaveToXLSSheet(file, "Sheet1"); }),
                  "File contains no data or corrupt file " + file.str());
        EXPECT_TRUE(FileBytes(file) == before);
    }
}

// The cells of a sheet part as a reader that knows its elements by namespace takes them, the last
// cell listed at a place winning: "A1=1.5 B1=p", places in the order of their names.
std::string CellsByNamespace(const std::string& part) {
    QXmlStreamReader reader(QByteArray::fromStdString(part));
    std::map<std::string, std::string> cells;
    std::string place;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            reader.namespaceUri() != QString::fromStdString(Main))
            continue;
        if (reader.name() == u"c") {
            place = reader.attributes().value("r").toString().toStdString();
            cells.erase(place);
        } else if (reader.name() == u"v")
            cells[place] = reader.readElementText().toStdString();
        else if (reader.name() == u"t")
            cells[place] += reader.readElementText().toStdString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    std::string out;
    for (const auto& [at, value] : cells)
        out += (out.empty() ? "" : " ") + at + "=" + value;
    return out;
}

TEST(WorkbookSheetXml, WrittenCellsReadByNamespaceWithEveryOtherCellKept) {
    // 1.5 and "p" written over A1:B1 of sheets holding C1 = 3.
    const std::string refused = "refused";
    const std::string prefixed = "<x:worksheet xmlns:x=\"" + Main + "\"><x:sheetData>";
    const struct {
        const char* label;
        std::string sheet;
        std::string asRead;
    } rows[] = {
        {"the main namespace by default", RowSheet("<c r=\"C1\"><v>3</v></c>"), "A1=1.5 B1=p C1=3"},
        {"the main namespace by a prefix",
         prefixed + "<x:row r=\"1\"><x:c r=\"C1\"><x:v>3</x:v></x:c></x:row></x:sheetData></x:worksheet>",
         "A1=1.5 B1=p C1=3"},
        {"the sheet data alone prefixed, its prefix declared on it",
         "<worksheet xmlns=\"" + Main + "\"><dimension ref=\"C1\"/><x:sheetData xmlns:x=\"" + Main +
             "\"><x:row r=\"1\"><x:c r=\"C1\"><x:v>3</x:v></x:c></x:row></x:sheetData></worksheet>",
         "A1=1.5 B1=p C1=3"},
        // Both readers take 7 from the later row before the write and after it.
        {"a row listed twice, the later value taken by every reader",
         RowSheet("<c r=\"C1\"><v>5</v></c></row><row r=\"1\"><c r=\"C1\"><v>7</v></c>"), "A1=1.5 B1=p C1=7"},
        // The grid takes 3 from C1, skipping the error listed after it; one row would hold the
        // error alone.
        {"a row listed thrice, the later copies with a boolean and an error",
         RowSheet("<c r=\"C1\"><v>3</v></c></row><row r=\"1\"><c r=\"D1\" t=\"b\"><v>1</v></c></row>"
                  "<row r=\"1\"><c r=\"C1\" t=\"e\"><v>#N/A</v></c>"),
         refused},
        {"a row listed twice, the later with an empty boolean",
         RowSheet("<c r=\"C1\"><v>3</v></c></row><row r=\"1\"><c r=\"C1\" t=\"b\"/>"), refused},
        // Readers take the cells of both, the written ones from the first replaced by the second's.
        {"an empty sheet data before the one holding the cells",
         "<worksheet xmlns=\"" + Main +
             "\"><sheetData/><sheetData><row r=\"1\"><c r=\"A1\"><v>9</v></c>"
             "<c r=\"C1\"><v>3</v></c></row></sheetData></worksheet>",
         refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const AnsiString file = folder.Path("sheet.xlsx");
        EXPECT_EQ(WriteIntoSheet(file, row.sheet, {{"1.5", "p"}}), row.asRead != refused);
        if (row.asRead == refused)
            continue;
        const std::optional<std::string> part =
            ZipArchive::Open(FileBytes(file))->Read("xl/worksheets/sheet1.xml", 1 << 20);
        ASSERT_TRUE(part);
        EXPECT_EQ(CellsByNamespace(*part), row.asRead);
    }
}

TEST(WorkbookSheetXml, AWriteIntoADamagedSheetIsRefusedOrReadsBack) {
    // A sheet with much to keep, cut and patched at random with pieces of markup.
    const std::string sheet =
        "<worksheet xmlns=\"" + Main +
        "\" xmlns:g=\"urn:g\"><dimension ref=\"A1:D2\"/><sheetData><row r=\"1\" ht=\"20\"><c r=\"A1\" "
        "t=\"inlineStr\"><is><t>a&amp;b</t></is></c><c r=\"C1\"><v>3</v></c><c><v>4</v></c></row>"
        "<row r=\"2\" g:x=\"y\"><c r=\"B2\" t=\"s\"><v>0</v></c><c r=\"D2\"><f>1+1</f><v>2</v></c></row>"
        "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"A1:B1\"/></mergeCells></worksheet>";
    const std::string strings = "<sst xmlns=\"" + Main + "\"><si><t>s</t></si></sst>";
    constexpr std::string_view pieces[] = {"<",
                                           ">",
                                           "/",
                                           "\"",
                                           "=",
                                           "&",
                                           ";",
                                           " ",
                                           "\xC3",
                                           "r=\"1\"",
                                           "<row r=\"1\">",
                                           "<row r=\"1\" ht=\"5\">",
                                           "</row>",
                                           "<c>",
                                           "</c>",
                                           "<c r=\"B1\">",
                                           "<c r=\"C2\"/>",
                                           "<c/>",
                                           "<c><v>5</v></c>",
                                           "<v>6</v>",
                                           "g:",
                                           "xmlns:g=\"urn:h\"",
                                           "<![CDATA[",
                                           "]]>",
                                           "<!--",
                                           "-->",
                                           "&#0;",
                                           "_x0000_",
                                           "</row><row>",
                                           "</row><row r=\"2\" ht=\"7\">",
                                           "</row><row r=\"1\" ht=\"8\">"};
    std::mt19937 random(20250611);
    TestFolder folder;
    int written = 0;
    for (int round = 0; round < 300; ++round) {
        std::string damaged = sheet;
        for (int edit = std::uniform_int_distribution<int>(1, 2)(random); edit > 0; --edit) {
            // Mostly a piece put before a tag within the sheet data or after it, so that many still read.
            std::vector<std::size_t> tags;
            for (std::size_t i = damaged.find("<sheetData>") + 1; i < damaged.size(); ++i)
                if (damaged[i] == '<')
                    tags.push_back(i);
            const std::size_t at = tags.empty() ? 0 : tags[random() % tags.size()];
            if (random() % 4 == 0)
                damaged.erase(at + random() % 8, 1 + random() % 3);
            else
                damaged.insert(at, pieces[random() % std::size(pieces)]);
        }
        SCOPED_TRACE(damaged);
        const std::string name = std::to_string(round) + ".xlsx";
        const AnsiString in = folder.Path(("in" + name).c_str());
        const AnsiString out = folder.Path(("out" + name).c_str());
        WriteWorkbookOf(out, damaged, strings);
        const std::string before = FileBytes(out);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"x", ""}});
        const std::string error = ErrorText([&] { grid.SaveToXLSSheet(out, "Sheet1"); });
        if (error == "no error") {
            ++written;
            WriteFile(in, before);
            continue;
        }
        EXPECT_EQ(error, "File contains no data or corrupt file " + out.str());
        EXPECT_TRUE(FileBytes(out) == before);
    }
    EXPECT_GT(written, 60);
    // Every part of each workbook written is well-formed XML, and one that another program opened
    // before the write opens after it.
    EXPECT_EQ(RunPython("import sys, os, zipfile, openpyxl, xml.dom.minidom\n"
                        "def opens(path):\n"
                        "    try: openpyxl.load_workbook(path); return True\n"
                        "    except Exception: return False\n"
                        "for name in sorted(os.listdir(sys.argv[1])):\n"
                        "    if not name.startswith('in'): continue\n"
                        "    out = os.path.join(sys.argv[1], 'out' + name[2:])\n"
                        "    z = zipfile.ZipFile(out)\n"
                        "    for part in z.namelist():\n"
                        "        try: xml.dom.minidom.parseString(z.read(part))\n"
                        "        except Exception as e: print(out, part, e)\n"
                        "    if opens(os.path.join(sys.argv[1], name)) and not opens(out): print(out)\n",
                        {folder.dir.path()}),
              "");
}

} // namespace
