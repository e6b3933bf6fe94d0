#include "grid/FixedFormat.h"
#include "grid/OfficeOpenXml.h"
#include "grid/OfficePackage.h"

#include <algorithm>

namespace {

constexpr char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
// A4 with margins of an inch: the table spreads over the width between them, in twentieths of a
// point.
constexpr int TextWidth = 9026;

std::string TableProperties() {
    std::string borders;
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        borders +=
            std::string("<w:") + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>";
    return "<w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>" + borders +
           "</w:tblBorders><w:tblLayout w:type=\"fixed\"/></w:tblPr>";
}

void AppendCellParagraphs(std::string& out, const AnsiString& text, TAlignment alignment) {
    std::string properties;
    if (alignment == taRightJustify)
        properties = "<w:pPr><w:jc w:val=\"right\"/></w:pPr>";
    else if (alignment == taCenter)
        properties = "<w:pPr><w:jc w:val=\"center\"/></w:pPr>";
    for (const std::string_view line : CellLines(text.view(), true)) {
        out += "<w:p>" + properties;
        if (!line.empty()) {
            out += "<w:r><w:t xml:space=\"preserve\">";
            AppendXmlText(out, line);
            out += "</w:t></w:r>";
        }
        out += "</w:p>";
    }
}

std::string DocumentPart(const OfficeCells& Cells, const std::function<TAlignment(int, int)>& Alignment) {
    const std::string width = std::to_string(TextWidth / std::max(Cells.Cols, 1));
    std::string out = XmlDeclaration;
    out += "<w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:tbl>" +
           TableProperties() + "<w:tblGrid>";
    for (int c = 0; c < Cells.Cols; ++c)
        out += "<w:gridCol w:w=\"" + width + "\"/>";
    out += "</w:tblGrid>";
    for (int r = 0; r < Cells.Rows; ++r) {
        out += "<w:tr>";
        for (int c = 0; c < Cells.Cols; ++c) {
            out += "<w:tc><w:tcPr><w:tcW w:w=\"" + width + "\" w:type=\"dxa\"/></w:tcPr>";
            AppendCellParagraphs(out, Cells.Text(c, r), Alignment(c, r));
            out += "</w:tc>";
        }
        out += "</w:tr>";
    }
    // A document ends with a paragraph after its last table.
    out += "</w:tbl><w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" "
           "w:right=\"1440\" "
           "w:bottom=\"1440\" w:left=\"1440\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr>"
           "</w:body></w:document>";
    return out;
}

} // namespace

void WriteDocument(const AnsiString& FileName, const OfficeCells& Cells,
                   const std::function<TAlignment(int Col, int Row)>& Alignment) {
    ZipArchive package = ZipArchive::Create();
    const bool written =
        package.Write(
            "[Content_Types].xml",
            std::string(XmlDeclaration) +
                "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" "
                "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/word/document.xml\" "
                "ContentType=\"application/"
                "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>") &&
        package.Write(
            "_rels/.rels",
            std::string(XmlDeclaration) +
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" "
                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                "officeDocument\" Target=\"word/document.xml\"/></Relationships>") &&
        package.Write("word/document.xml", DocumentPart(Cells, Alignment));
    if (!written)
        throw EOfficeFileError(CannotCreateMessage(FileName));
    SavePackage(package, FileName);
}
