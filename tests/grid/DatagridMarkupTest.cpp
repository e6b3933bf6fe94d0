#include "grid/Datagrid.h"

#include "framework/StringList.h"
#include "grid/Gridutil.h"
#include "grid/MarkupFormat.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/HtmlTableCells.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A grid whose cell (1, 1) prints red, in a blue bold font; the rest as the grid leaves them.
struct ColouredGrid : TDataGrid {
    using TDataGrid::TDataGrid;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState&, bool Print, bool, TBrush* ABrush,
                             TFont* AFont, TAlignment&, TVAlignment&, bool&) override {
        if (Print && ACol == 1 && ARow == 1) {
            ABrush->Color = clRed;
            AFont->Color = clBlue;
            AFont->Style = fsBold | fsUnderline;
        }
    }
};

TEST(DatagridMarkup, HtmlTablesCarryAlignmentSpansColoursAndLinks) {
    TestFolder folder;
    ColouredGrid grid(nullptr);
    SetCellTexts(grid, {{"Name", "Link", "Note"}, {"a<b&c", "http://x.org/p", ""}, {"S2", "merged", "gone"}});
    grid.MergeCells(1, 2, 2, 1);
    grid.URLShow = true;
    grid.OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
        if (ACol == 0)
            HAlign = taRightJustify;
    };
    grid.HTMLSettings->ColWidths.Add(50);
    const AnsiString file = folder.Path("t.html");
    grid.SaveToHTML(file);
    // Fixed cells in the border colour, written here as "@".
    std::string table = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" Width=\"100%\">\r\n"
                        "<tr>\r\n"
                        "<td nowrap align=\"right\" @ WIDTH=50><B>Name</B></td>\r\n"
                        "<td nowrap @><B>Link</B></td>\r\n"
                        "<td nowrap @><B>Note</B></td>\r\n"
                        "</tr>\r\n"
                        "<tr>\r\n"
                        "<td nowrap align=\"right\" @>a&lt;b&amp;c</td>\r\n"
                        "<td nowrap BGCOLOR=\"#FF0000\"><Font Color=\"#0000FF\"><B><U>"
                        "<A HREF=\"http://x.org/p\">x.org/p</A></U></B></Font></td>\r\n"
                        "<td nowrap><br></td>\r\n"
                        "</tr>\r\n"
                        "<tr>\r\n"
                        "<td nowrap align=\"right\" @>S2</td>\r\n"
                        "<td COLSPAN=2 nowrap>merged</td>\r\n"
                        "</tr>\r\n"
                        "</table><p>\r\n";
    for (std::size_t at = table.find('@'); at != std::string::npos; at = table.find('@'))
        table.replace(at, 1, "BGCOLOR=\"#" + HTMLColor(clActiveBorder).str() + "\"");
    EXPECT_EQ(FileBytes(file), table);

    // A second table after the first, between the lines of a header and a footer file.
    WriteFile(folder.Path("head.txt"), "<h1>Results</h1>\n");
    grid.HTMLSettings->HeaderFile = folder.Path("head.txt");
    grid.HTMLSettings->FooterFile = folder.Path("missing.txt");
    grid.HTMLSettings->PrefixTag = "<div>";
    grid.HTMLSettings->SuffixTag = "</div>";
    grid.AppendToHTML(file);
    EXPECT_EQ(FileBytes(file), table + "<h1>Results</h1>\r\n<div>\r\n" + table + "</div>\r\n");
}

TEST(DatagridMarkup, MergedBlocksKeepEveryRowsColumns) {
    using Rows = std::vector<std::vector<std::string>>;
    struct Row {
        const char* label;
        int fixedCols, fixedRows;
        bool includeFixed;
        // A block of cols x rows at (col, row), and the real columns hidden.
        int col, row, cols, rows;
        int hideFrom, hideTo;
        Rows expected;
    } rows[] = {
        {"hidden column left of the block",
         0,
         0,
         true,
         2,
         0,
         2,
         1,
         0,
         0,
         {{"B0", "C0 x2", "E0"}, {"B1", "C1", "D1", "E1"}}},
        {"block starting in a hidden column",
         0,
         0,
         true,
         1,
         0,
         2,
         1,
         1,
         1,
         {{"A0", "B0", "D0", "E0"}, {"A1", "C1", "D1", "E1"}}},
        {"hidden column inside the block",
         0,
         0,
         true,
         1,
         0,
         3,
         1,
         2,
         2,
         {{"A0", "B0 x2", "E0"}, {"A1", "B1", "D1", "E1"}}},
        {"block starting in a fixed column left out",
         1,
         0,
         false,
         0,
         0,
         3,
         2,
         -1,
         -1,
         {{"A0 x2 v2", "D0", "E0"}, {"D1", "E1"}}},
        {"block starting in the header row",
         0,
         1,
         true,
         1,
         0,
         2,
         2,
         -1,
         -1,
         {{"A0", "B0", "B0", "D0", "E0"}, {"A1", "B0 x2", "D1", "E1"}}},
        {"block starting in a fixed row left out",
         0,
         1,
         false,
         1,
         0,
         1,
         2,
         -1,
         -1,
         {{"A1", "B0", "C1", "D1", "E1"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"A0", "B0", "C0", "D0", "E0"}, {"A1", "B1", "C1", "D1", "E1"}});
        grid.SetFixedCols(row.fixedCols);
        grid.SetFixedRows(row.fixedRows);
        grid.IncludeFixedCells = row.includeFixed;
        grid.MergeCells(row.col, row.row, row.cols, row.rows);
        if (row.hideFrom >= 0)
            grid.HideColumns(row.hideFrom, row.hideTo);
        grid.SaveToHTML(folder.Path("m.html"));
        EXPECT_EQ(TableCells(FileBytes(folder.Path("m.html"))), row.expected);
    }
}

// A block of column 1 over rows 0-3 keeps its base cell, its text and its shown rows through
// rows hidden from it, and comes back whole when they show again.
TEST(DatagridMarkup, MergedBlocksKeepTheirShapeThroughHiddenRows) {
    using Rows = std::vector<std::vector<std::string>>;
    using Call = std::function<void(TDataGrid&)>;
    const Call unhideAll = [](TDataGrid& grid) { grid.UnHideRowsAll(); };
    struct Row {
        const char* label;
        Call hide;
        Rows expected;
        // A shown cell of the block: its base cell and the block's spans.
        TPoint probe, base, span;
        Call unhide;
    } rows[] = {
        {"a middle row",
         [](TDataGrid& grid) { grid.HideRows(1, 1); },
         {{"A0", "B0 v3", "C0"}, {"A2", "C2"}, {"A3", "C3"}, {"A4", "B4", "C4"}},
         {1, 2},
         {1, 0},
         {0, 2},
         [](TDataGrid& grid) { grid.UnHideRows(1, 1); }},
        {"a middle row filtered out",
         [](TDataGrid& grid) {
             TFilterData* condition = grid.Filter->Add();
             condition->Column = 0;
             condition->Condition = "!A1";
             grid.SetFilterActive(true);
         },
         {{"A0", "B0 v3", "C0"}, {"A2", "C2"}, {"A3", "C3"}, {"A4", "B4", "C4"}},
         {1, 2},
         {1, 0},
         {0, 2},
         [](TDataGrid& grid) { grid.SetFilterActive(false); }},
        {"the top row",
         [](TDataGrid& grid) { grid.HideRows(0, 0); },
         {{"A1", "B0 v3", "C1"}, {"A2", "C2"}, {"A3", "C3"}, {"A4", "B4", "C4"}},
         {1, 2},
         {1, 0},
         {0, 2},
         unhideAll},
        {"the last row, hidden as after a removal",
         [](TDataGrid& grid) { grid.HideRowsEx(3, 3); },
         {{"A0", "B0 v3", "C0"}, {"A1", "C1"}, {"A2", "C2"}, {"A4", "B4", "C4"}},
         {1, 2},
         {1, 0},
         {0, 2},
         [](TDataGrid& grid) { grid.UnHideRows(3, 3); }},
        {"the top two rows one by one",
         [](TDataGrid& grid) {
             grid.HideRows(0, 0);
             grid.HideRows(1, 1);
         },
         {{"A2", "B0 v2", "C2"}, {"A3", "C3"}, {"A4", "B4", "C4"}},
         {1, 1},
         {1, 0},
         {0, 1},
         [](TDataGrid& grid) {
             grid.UnHideRows(1, 1);
             grid.UnHideRows(0, 0);
         }},
        {"every row of the block",
         [](TDataGrid& grid) { grid.HideRows(0, 3); },
         {{"A4", "B4", "C4"}},
         {1, 0},
         {1, 0},
         {0, 0},
         unhideAll},
    };
    const Rows whole = {{"A0", "B0 v4", "C0"}, {"A1", "C1"}, {"A2", "C2"}, {"A3", "C3"}, {"A4", "B4", "C4"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"A0", "B0", "C0"},
                            {"A1", "B1", "C1"},
                            {"A2", "B2", "C2"},
                            {"A3", "B3", "C3"},
                            {"A4", "B4", "C4"}});
        grid.SetFixedCols(0);
        grid.SetFixedRows(0);
        grid.MergeCells(1, 0, 1, 4);
        row.hide(grid);
        grid.SaveToHTML(folder.Path("m.html"));
        EXPECT_EQ(TableCells(FileBytes(folder.Path("m.html"))), row.expected);
        EXPECT_EQ(grid.BaseCell(row.probe.x, row.probe.y), row.base);
        EXPECT_EQ(grid.CellSpan(row.probe.x, row.probe.y), row.span);
        EXPECT_EQ(grid.GetCellEx(row.probe.x, row.probe.y), row.expected[0][1].substr(0, 2));
        row.unhide(grid);
        grid.SaveToHTML(folder.Path("m.html"));
        EXPECT_EQ(TableCells(FileBytes(folder.Path("m.html"))), whole);
        EXPECT_EQ(grid.BaseCell(1, 3), Point(1, 0));
        EXPECT_EQ(grid.CellSpan(1, 2), Point(0, 3));
        // Split, each cell shows its own text again.
        grid.SplitCells(1, 2);
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(grid.GetCellEx(1, r), "B" + std::to_string(r));
    }
}

// Split while its base row is hidden, a block gives each cell its own text: the base's comes
// back with its row.
TEST(DatagridMarkup, ABlockSplitUnderItsHiddenBaseRowGivesEachCellItsText) {
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"B0"}, {"B1"}, {"B2"}});
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.MergeCells(0, 0, 1, 3);
    grid.HideRow(0);
    EXPECT_EQ(grid.GetCellEx(0, 1), "B0");
    grid.SplitCells(0, 1);
    EXPECT_EQ(grid.GetCellEx(0, 0), "B1");
    EXPECT_EQ(grid.GetCellEx(0, 1), "B2");
    grid.UnHideRowsAll();
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(grid.GetCellEx(0, r), "B" + std::to_string(r));
    EXPECT_EQ(grid.CellSpan(0, 1), Point(0, 0));
}

TEST(DatagridMarkup, CellsHoldingHtmlStayHtml) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"h"}, {"<B>bold</B>"}, {"l1\r\nl2"}});
    grid.WordWrap = true;
    grid.SaveToHTML(folder.Path("h.html"));
    const std::string html = FileBytes(folder.Path("h.html"));
    // Each body cell in the printed font's colour.
    EXPECT_NE(html.find("\"><B>bold</B></Font></td>"), std::string::npos) << html;
    EXPECT_NE(html.find("\">l1<br>\nl2</Font></td>"), std::string::npos) << html;
    grid.EnableHTML = false;
    grid.SaveToHTML(folder.Path("h.html"));
    EXPECT_NE(FileBytes(folder.Path("h.html")).find("\">&lt;B&gt;bold&lt;/B&gt;</Font></td>"),
              std::string::npos);
}

TEST(DatagridMarkup, XmlHasAnElementPerRowAndCell) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"a", "b<", "c"}, {"\"1\"", "", "3&"}});
    TStringList tags;
    tags.Add("Name");
    tags.Add("Size");
    grid.SaveToXML(folder.Path("t.xml"), "Table", "Row", &tags);
    EXPECT_EQ(FileBytes(folder.Path("t.xml")),
              "<?xml version=\"1.0\"?>\r\n<Table>\r\n"
              "<Row>\r\n<Name>a</Name>\r\n<Size>b&lt;</Size>\r\n<FIELD2>c</FIELD2>\r\n</Row>\r\n"
              "<Row>\r\n<Name>&quot;1&quot;</Name>\r\n<Size></Size>\r\n"
              "<FIELD2>3&amp;</FIELD2>\r\n</Row>\r\n</Table>\r\n");
    grid.IncludeFixedCells = false;
    grid.SaveToXML(folder.Path("u.xml"), "L", "R", nullptr);
    EXPECT_EQ(FileBytes(folder.Path("u.xml")),
              "<?xml version=\"1.0\"?>\r\n<L>\r\n<R>\r\n<FIELD0></FIELD0>\r\n"
              "<FIELD1>3&amp;</FIELD1>\r\n</R>\r\n</L>\r\n");
}

// The cells of an XML file as a parser reads them, the "_xHHHH_" escapes taken back.
GridCellTexts XmlCells(const std::string& bytes) {
    GridCellTexts cells;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    xml.readNextStartElement();
    while (xml.readNextStartElement()) {
        cells.emplace_back();
        while (xml.readNextStartElement()) {
            const QString text = xml.readElementText();
            static const QRegularExpression escape("_x([0-9A-Fa-f]{4})_");
            QString decoded;
            qsizetype at = 0;
            for (auto match = escape.globalMatch(text); match.hasNext();) {
                const QRegularExpressionMatch found = match.next();
                decoded += text.mid(at, found.capturedStart() - at);
                decoded += QChar(found.captured(1).toUShort(nullptr, 16));
                at = found.capturedEnd();
            }
            cells.back().push_back((decoded + text.mid(at)).toStdString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return cells;
}

TEST(DatagridMarkup, AnXmlParserReadsEveryCellBackWhole) {
    const GridCellTexts cells = {
        {"a\r\nb", "lone\rCR", "tab\tand\nLF", "\x01\x08\x0B\x1A\x1F"},
        {"_x0041_ stays", "<&>\"'", "\xEF\xBF\xBE\xEF\xBF\xBF", "\xC3\x98 \xF0\x9F\x98\x80"},
    };
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, cells);
    grid.SaveToXML(folder.Path("t.xml"), "Table", "Row", nullptr);
    const std::string xml = FileBytes(folder.Path("t.xml"));
    EXPECT_EQ(XmlCells(xml), cells) << xml;
    EXPECT_NE(xml.find("<FIELD0>a&#13;\nb</FIELD0>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<FIELD0>_x005F_x0041_ stays</FIELD0>"), std::string::npos) << xml;
}

TEST(DatagridMarkup, HtmlCellsGoOutAsTheGridDrawsThemWithNothingLive) {
    struct Row {
        const char* text;
        const char* written;
    } rows[] = {
        {"<IMG/src=x/onerror=alert(1)>", "<IMG src=\"x/onerror=alert(1)\">"},
        {"<IMG SRC=\"IDX:1\" onerror=alert(1) WIDTH=9>", "<IMG SRC=\"IDX:1\" WIDTH=\"9\">"},
        {"<B onmouseover='alert(1)'>b</B>", "<B>b</B>"},
        {"<script>alert(1)</script><I>i</I>", "alert(1)<I>i</I>"},
        {"<A HREF=\" java\tscript:alert(1)\">x</A>", "<A>x</A>"},
        {"<A HREF=\"http://x.org/?a=1&b=\"\">x</A>", "<A HREF=\"http://x.org/?a=1&amp;b=\">x</A>"},
        {"<FONT COLOR=\"clRed\" style=\"x\">r</FONT>&lt;<BR>a < b",
         "<FONT COLOR=\"clRed\">r</FONT>&lt;<BR>a &lt; b"},
        {"<Bx>no</B>", "no</B>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TestFolder folder;
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"h"}, {row.text}});
        grid.WordWrap = true;
        grid.SaveToHTML(folder.Path("h.html"));
        const std::string html = FileBytes(folder.Path("h.html"));
        EXPECT_NE(html.find(std::string("\">") + row.written + "</Font></td>"), std::string::npos) << html;
    }
}

TEST(MarkupFormat, EscapesWhatMarkupWouldRead) {
    EXPECT_EQ(EscapeMarkup("a<b> & \"c\" 'd'"), "a&lt;b&gt; &amp; &quot;c&quot; 'd'");
    EXPECT_EQ(EscapeMarkup("\xC3\x98"), "\xC3\x98");
}

TEST(MarkupFormat, AddressesBecomeLinks) {
    const std::string longAddress = "http://" + std::string(300, 'a');
    struct Row {
        std::string text;
        bool full;
        std::string expected;
    } rows[] = {
        {"http://x.org/a", false, "<A HREF=\"http://x.org/a\">x.org/a</A>"},
        {"http://x.org/a", true, "<A HREF=\"http://x.org/a\">http://x.org/a</A>"},
        {"mailto:me@x.org", false, "<A HREF=\"mailto:me@x.org\">me@x.org</A>"},
        {"plain", false, "plain"},
        {"<b>http://x</b>", false, "<b>http://x</b>"},
        {longAddress, false, "<A HREF=\"" + longAddress + "\">" + std::string(255, 'a') + "</A>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(WithLinks(row.text, row.full), row.expected);
    }
}

} // namespace
