#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"
#include "grid/MarkupFormat.h"
#include "grid/OfficeOpenXml.h"
#include "grid/WorkbookPackage.h"
#include "grid/XmlScanner.h"
#include "grid/XmlSplice.h"

#include <QFileInfo>
#include <QStringConverter>

#include <charconv>
#include <cmath>
#include <map>
#include <set>

namespace {

constexpr char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char SheetNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char RelationshipNamespace[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char WorksheetType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr char WorksheetContentType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

// Appends one cell, a number where the text reads whole as one, else an inline string. Style is
// the cell format kept from the cell it replaces.
void AppendCell(std::string& out, const QString& prefix, int Col, int Row, const AnsiString& cellText,
                const QString& style) {
    // NUL is left out: its escape "_x0000_" would read back as those seven characters.
    std::string kept(cellText.view());
    std::erase(kept, '\0');
    const AnsiString text(std::move(kept));
    const std::string c = Utf8Of(prefix) + "c";
    out += '<' + c + " r=\"" + CellAddress(Col, Row).str() + '"';
    if (!style.isEmpty()) {
        out += " s=\"";
        AppendXmlAttribute(out, Utf8Of(style));
        out += '"';
    }
    if (text.IsEmpty()) {
        out += "/>";
        return;
    }
    double number = 0;
    if (TryStrToFloat(text, number) && std::isfinite(number)) {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        out += "><v>";
        out.append(digits, end);
        out += "</v></" + c + '>';
        return;
    }
    const std::string p = Utf8Of(prefix);
    out += " t=\"inlineStr\"><" + p + "is><" + p + "t xml:space=\"preserve\">";
    // Characters XML cannot hold, and a text's own "_xHHHH_", in the sheet's escape.
    out += EscapeXmlText(text.view());
    out += "</" + p + "t></" + p + "is></" + c + '>';
}

AnsiString RangeAddress(int Cols, int Rows) {
    return "A1:" + CellAddress(std::max(Cols, 1), std::max(Rows, 1));
}

std::string NewSheet(const OfficeCells& Cells, const char* sheetNamespace) {
    std::string out = XmlDeclaration;
    out +=
        "<worksheet xmlns=\"" + std::string(sheetNamespace) + "\" xmlns:r=\"" + RelationshipNamespace + "\">";
    out += "<dimension ref=\"" + RangeAddress(Cells.Cols, Cells.Rows).str() + "\"/><sheetData>";
    for (int r = 0; r < Cells.Rows; ++r) {
        bool rowOpen = false;
        for (int c = 0; c < Cells.Cols; ++c) {
            const AnsiString text = Cells.Text(c, r);
            if (text.IsEmpty())
                continue;
            if (!rowOpen)
                out += "<row r=\"" + std::to_string(r + 1) + "\">";
            rowOpen = true;
            AppendCell(out, {}, c + 1, r + 1, text, {});
        }
        if (rowOpen)
            out += "</row>";
    }
    out += "</sheetData></worksheet>";
    return out;
}

bool IsMacroWorkbook(const AnsiString& FileName) {
    return QFileInfo(QString::fromStdString(FileName.str())).suffix().compare(u"xlsm", Qt::CaseInsensitive) ==
           0;
}

void WriteNewWorkbook(const AnsiString& FileName, const AnsiString& SheetName, const OfficeCells& Cells) {
    const char* mainType = IsMacroWorkbook(FileName)
                               ? "application/vnd.ms-excel.sheet.macroEnabled.main+xml"
                               : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
    ZipArchive package = ZipArchive::Create();
    std::string types = XmlDeclaration;
    types +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
        std::string(mainType) + "\"/><Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
        WorksheetContentType +
        "\"/><Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>";
    std::string rels = XmlDeclaration;
    rels += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
            "Target=\"xl/workbook.xml\"/></Relationships>";
    std::string workbook = XmlDeclaration;
    workbook += "<workbook xmlns=\"" + std::string(SheetNamespace) + "\" xmlns:r=\"" + RelationshipNamespace +
                "\"><sheets><sheet name=\"";
    AppendXmlAttribute(workbook, SheetName.view());
    workbook += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    std::string workbookRels = XmlDeclaration;
    workbookRels += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"" +
                    std::string(WorksheetType) +
                    "\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                    "Target=\"styles.xml\"/></Relationships>";
    std::string styles = XmlDeclaration;
    styles +=
        "<styleSheet xmlns=\"" + std::string(SheetNamespace) +
        "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill "
        "patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border><left/><right/><top/><bottom/>"
        "<diagonal/></border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
        "fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
        "builtinId=\"0\"/></cellStyles></styleSheet>";
    const bool written = package.Write("[Content_Types].xml", std::move(types)) &&
                         package.Write("_rels/.rels", std::move(rels)) &&
                         package.Write("xl/workbook.xml", std::move(workbook)) &&
                         package.Write("xl/_rels/workbook.xml.rels", std::move(workbookRels)) &&
                         package.Write("xl/styles.xml", std::move(styles)) &&
                         package.Write("xl/worksheets/sheet1.xml", NewSheet(Cells, SheetNamespace));
    if (!written)
        throw EOfficeFileError(CannotCreateMessage(FileName));
    SavePackage(package, FileName);
}

// A cell of a sheet being rewritten, as the sheet has it.
struct KeptCell {
    QString Xml;
    QString Style;
    bool Formula = false;
    // The shared formula the cell takes part in (its "si"), whether it is the first cell, which
    // holds the formula's text, and where the formula lies in Xml.
    int SharedFormula = -1;
    bool SharedFirst = false;
    int FormulaFrom = 0;
    int FormulaTo = 0;
};

// A start tag's attributes and namespace declarations by qualified name, their values escaped.
using TagAttributes = std::vector<std::pair<QString, QString>>;

struct KeptRow {
    // The row's start tag without its number and its column span, which the rewrite changes.
    TagAttributes Attributes;
    std::map<int, KeptCell> Cells;
};

// The attributes and namespace declarations of the element just started, but for the attributes
// named in leftOut.
TagAttributes StartTagAttributes(const QXmlStreamReader& reader, std::initializer_list<QStringView> leftOut) {
    TagAttributes out;
    for (const QXmlStreamNamespaceDeclaration& declaration : reader.namespaceDeclarations())
        out.emplace_back(declaration.prefix().isEmpty() ? QString("xmlns")
                                                        : "xmlns:" + declaration.prefix().toString(),
                         declaration.namespaceUri().toString().toHtmlEscaped());
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        if (std::find(leftOut.begin(), leftOut.end(), attribute.qualifiedName()) == leftOut.end())
            out.emplace_back(attribute.qualifiedName().toString(),
                             attribute.value().toString().toHtmlEscaped());
    return out;
}

// A row number met again adds its attributes to the row's, a later value replacing an earlier
// one, as its cells replace those of the same column.
void MergeAttributes(TagAttributes& into, TagAttributes&& more) {
    for (auto& [name, value] : more) {
        const auto same =
            std::find_if(into.begin(), into.end(), [&](const auto& kept) { return kept.first == name; });
        if (same == into.end())
            into.emplace_back(std::move(name), std::move(value));
        else
            same->second = std::move(value);
    }
}

// The attributes as they stand in a tag, each after a blank.
std::string AttributesText(const TagAttributes& attributes) {
    std::string out;
    for (const auto& [name, value] : attributes)
        out += ' ' + Utf8Of(name) + "=\"" + Utf8Of(value) + '"';
    return out;
}

// The sheet's text with Cells written from A1: the sheet data rebuilt, each cell outside the
// range as it was, and the dimension updated. Formula is set when a formula was overwritten.
QString RewriteSheet(const QString& text, const OfficeCells& Cells, const AnsiString& FileName,
                     bool& Formula) {
    PartReader reader(text, FileName);
    qint64 dimensionStart = -1, dimensionEnd = -1, dataStart = -1, dataEnd = -1;
    QString prefix;
    std::string dataAttributes;
    std::map<int, KeptRow> rows;
    int row = 0;
    int col = 0;
    while (reader.Next()) {
        if (reader.isEndElement() && reader.name() == u"sheetData" && dataEnd < 0)
            dataEnd = reader.characterOffset();
        if (!reader.isStartElement())
            continue;
        const qint64 start = TagStart(text, reader);
        const QStringView name = reader.name();
        if (dataStart < 0 && name == u"dimension") {
            dimensionStart = start;
            reader.skipCurrentElement();
            dimensionEnd = reader.characterOffset();
        } else if (dataStart < 0 && name == u"sheetData") {
            dataStart = start;
            prefix = PrefixOf(reader.qualifiedName());
            dataAttributes = AttributesText(StartTagAttributes(reader, {}));
        } else if (dataStart >= 0 && dataEnd < 0 && name == u"row") {
            const QStringView number = AttributeOf(reader, u"r");
            row = number.isEmpty() ? row + 1 : number.toInt();
            col = 0;
            if (row < 1 || row > SheetRows)
                reader.Corrupt();
            MergeAttributes(rows[row].Attributes, StartTagAttributes(reader, {u"r", u"spans"}));
        } else if (dataStart >= 0 && dataEnd < 0 && name == u"c") {
            const QStringView reference = AttributeOf(reader, u"r");
            int cellRow = row;
            if (reference.isEmpty() ? ++col > SheetColumns || row < 1
                                    : !ParseCellReference(reference.toLatin1().toStdString(), col, cellRow))
                reader.Corrupt();
            KeptCell cell;
            cell.Style = AttributeOf(reader, u"s").toString();
            const qsizetype nameEnd = start + 1 + reader.qualifiedName().size();
            const bool referenced = !reference.isEmpty();
            qint64 formulaFrom = -1, formulaTo = -1;
            // The cell ends at its own end tag, whatever its content holds.
            for (int depth = 1; depth > 0 && reader.Next();)
                if (reader.isStartElement()) {
                    ++depth;
                    cell.Formula = cell.Formula || reader.name() == u"f";
                    if (depth == 2 && reader.name() == u"f" && AttributeOf(reader, u"t") == u"shared") {
                        bool number = false;
                        const int index = AttributeOf(reader, u"si").toInt(&number);
                        cell.SharedFormula = number ? index : -1;
                        cell.SharedFirst = !AttributeOf(reader, u"ref").isEmpty();
                        formulaFrom = TagStart(text, reader);
                    }
                } else if (reader.isEndElement()) {
                    if (depth-- == 2 && formulaFrom >= 0 && formulaTo < 0)
                        formulaTo = reader.characterOffset();
                }
            // A cell without its reference would take its column from the cell before it.
            cell.Xml = text.mid(start, nameEnd - start);
            if (!referenced)
                cell.Xml += " r=\"" + QString::fromStdString(CellAddress(col, cellRow).str()) + QChar('"');
            if (formulaTo >= 0) {
                cell.FormulaFrom = static_cast<int>(cell.Xml.size() + formulaFrom - nameEnd);
                cell.FormulaTo = static_cast<int>(cell.Xml.size() + formulaTo - nameEnd);
            }
            cell.Xml += text.mid(nameEnd, reader.characterOffset() - nameEnd);
            rows[cellRow].Cells[col] = std::move(cell);
        }
    }
    if (dataStart < 0 || dataEnd < 0)
        reader.Corrupt();
    std::string data = "<" + Utf8Of(prefix) + "sheetData" + dataAttributes + ">";
    int lastCol = Cells.Rows > 0 ? Cells.Cols : 0;
    int lastRow = Cells.Rows;
    for (int r = 1; r <= Cells.Rows; ++r)
        rows.try_emplace(r);
    // A shared formula whose first cell is written over is gone: the cells that shared it keep
    // their values alone, as no formula of theirs would be left to read.
    std::set<int> lostFormulas;
    for (const auto& [number, kept] : rows)
        for (const auto& [c, cell] : kept.Cells)
            if (number <= Cells.Rows && c <= Cells.Cols && cell.SharedFirst)
                lostFormulas.insert(cell.SharedFormula);
    for (auto& [number, kept] : rows) {
        std::string cells;
        for (const auto& [c, cell] : kept.Cells) {
            if (number <= Cells.Rows && c <= Cells.Cols) {
                Formula = Formula || cell.Formula;
                continue;
            }
            if (cell.SharedFormula >= 0 && !cell.SharedFirst && lostFormulas.contains(cell.SharedFormula))
                cells += Utf8Of(cell.Xml.left(cell.FormulaFrom) + cell.Xml.mid(cell.FormulaTo));
            else
                cells += Utf8Of(cell.Xml);
            lastCol = std::max(lastCol, c);
        }
        std::string written;
        for (int c = 1; number <= Cells.Rows && c <= Cells.Cols; ++c) {
            const auto old = kept.Cells.find(c);
            const QString style = old == kept.Cells.end() ? QString() : old->second.Style;
            const AnsiString value = Cells.Text(c - 1, number - 1);
            if (!value.IsEmpty() || !style.isEmpty())
                AppendCell(written, prefix, c, number, value, style);
        }
        // Cells beyond the range lie to the right of the written ones.
        cells.insert(0, written);
        if (cells.empty() && kept.Attributes.empty())
            continue;
        lastRow = std::max(lastRow, number);
        const std::string tag = Utf8Of(prefix) + "row";
        data.append("<").append(tag).append(" r=\"").append(std::to_string(number)).append("\"");
        data.append(AttributesText(kept.Attributes))
            .append(">")
            .append(cells)
            .append("</")
            .append(tag)
            .append(">");
    }
    data.append("</").append(Utf8Of(prefix)).append("sheetData>");
    QString result = text.left(dataStart) + QStringOfUtf8(data) + text.mid(dataEnd);
    if (dimensionStart >= 0)
        result = result.left(dimensionStart) + QChar('<') + prefix + "dimension ref=\"" +
                 QString::fromStdString(RangeAddress(lastCol, lastRow).str()) + "\"/>" +
                 result.mid(dimensionEnd);
    return result;
}

bool ValidSheetName(const QString& name) {
    if (name.isEmpty() || name.size() > 31)
        return false;
    for (const QChar c : name)
        if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < 0x20 || c.unicode() >= 0xFFFE)
            return false;
    return true;
}

// The lowest number n from 1 for which taken(n) is false.
int FirstFree(const std::function<bool(int)>& taken) {
    int n = 1;
    while (taken(n))
        ++n;
    return n;
}

std::string FolderOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// Every part rewritten is checked whole: an edit of a part that is no well-formed XML, or one that
// makes it none (rows written again without an element around them that declared their prefixes),
// leaves the file as it was.
void WritePart(ZipArchive& package, const std::string& part, const QString& text,
               const AnsiString& FileName) {
    std::string bytes = Utf8Of(text);
    CheckWellFormedXml(bytes, FileName);
    if (!package.Write(part, std::move(bytes)))
        throw EOfficeFileError(CannotCreateMessage(FileName));
}

// A part's text to edit. One that is no well-formed XML is no text to copy; nor is one in another
// encoding than UTF-8, the encoding it is written back in.
QString ReadXmlPart(const ZipArchive& package, const std::string& part, const AnsiString& FileName) {
    const std::string bytes = ReadPart(package, part, FileName);
    CheckWellFormedXml(bytes, FileName);
    const QString text = QStringOfUtf8(bytes);
    PartReader declaration(text, FileName);
    declaration.Next();
    const QString encoding = declaration.documentEncoding().toString();
    if (!IsValidUtf8(bytes) ||
        (!encoding.isEmpty() &&
         QStringConverter::encodingForName(encoding.toLatin1().constData()) != QStringConverter::Utf8))
        declaration.Corrupt();
    return text;
}

// Reads, edits and writes back one XML part of the package (once: the archive reads no part it
// was given).
void EditPart(ZipArchive& package, const std::string& part, const AnsiString& FileName,
              const std::function<QString(const QString&)>& edit) {
    WritePart(package, part, edit(ReadXmlPart(package, part, FileName)), FileName);
}

QString Attribute(const char* name, const std::string& value) {
    return QString::fromUtf8(name) + "=\"" + QString::fromStdString(value).toHtmlEscaped() + QChar('"');
}

// A sheet's relationship, its entry in the workbook and its content type added; the sheet's
// part and its empty text are given back.
std::string AddSheet(ZipArchive& package, const WorkbookPackage& workbook, const QString& SheetName,
                     const AnsiString& FileName, QString& sheetText) {
    const std::string folder = FolderOf(workbook.Part);
    const int number = FirstFree(
        [&](int n) { return package.Has(folder + "worksheets/sheet" + std::to_string(n) + ".xml"); });
    const std::string target = "worksheets/sheet" + std::to_string(number) + ".xml";
    const int idNumber = FirstFree([&](int n) {
        for (const Relationship& relationship : workbook.Relationships)
            if (relationship.Id == "rId" + std::to_string(n))
                return true;
        return false;
    });
    const std::string id = "rId" + std::to_string(idNumber);
    const Relationship* sibling = FindRelationship(workbook.Relationships, "worksheet");
    const std::string type = sibling ? sibling->Type : WorksheetType;

    const std::string relsPart = RelationshipsPart(workbook.Part);
    const QString rels = package.Has(relsPart)
                             ? ReadXmlPart(package, relsPart, FileName)
                             : QString::fromUtf8(XmlDeclaration) +
                                   "<Relationships xmlns=\"http://schemas.openxmlformats.org/"
                                   "package/2006/relationships\"></Relationships>";
    WritePart(package, relsPart,
              InsertBeforeEndTag(
                  rels, u"Relationships",
                  [&](const QString& prefix) {
                      return QChar('<') + prefix + "Relationship " + Attribute("Id", id) + QChar(' ') +
                             Attribute("Type", type) + QChar(' ') + Attribute("Target", target) + "/>";
                  },
                  FileName),
              FileName);

    QString sheetNamespace = QString::fromUtf8(SheetNamespace);
    EditPart(package, workbook.Part, FileName, [&](const QString& text) {
        int sheetId = 0;
        PartReader reader(text, FileName);
        while (reader.Next())
            if (reader.isStartElement() && reader.name() == u"workbook")
                sheetNamespace = reader.namespaceUri().toString();
            else if (reader.isStartElement() && reader.name() == u"sheet")
                sheetId = std::max(sheetId, AttributeOf(reader, u"sheetId").toInt());
        // The relationship prefix is declared on the element itself: a workbook may declare it
        // only where its own sheets use it.
        return InsertBeforeEndTag(
            text, u"sheets",
            [&](const QString& prefix) {
                return QChar('<') + prefix + "sheet " + Attribute("name", Utf8Of(SheetName)) + QChar(' ') +
                       Attribute("sheetId", std::to_string(sheetId + 1)) + " xmlns:r=\"" +
                       QString::fromUtf8(RelationshipNamespace) + "\" " + Attribute("r:id", id) + "/>";
            },
            FileName);
    });

    EditPart(package, "[Content_Types].xml", FileName, [&](const QString& text) {
        return InsertBeforeEndTag(
            text, u"Types",
            [&](const QString& prefix) {
                return QChar('<') + prefix + "Override " + Attribute("PartName", "/" + folder + target) +
                       QChar(' ') + Attribute("ContentType", WorksheetContentType) + "/>";
            },
            FileName);
    });
    sheetText = QStringOfUtf8(NewSheet({}, Utf8Of(sheetNamespace).c_str()));
    return folder + target;
}

// The formula chain lists formula cells; one that lists a cell without a formula makes the
// workbook damaged to its owner, so it goes, to be rebuilt when the workbook is next calculated.
void RemoveFormulaChain(ZipArchive& package, const WorkbookPackage& workbook, const AnsiString& FileName) {
    const std::string chain = workbook.RelatedPart("calcChain");
    if (chain.empty())
        return;
    package.Remove(chain);
    EditPart(package, RelationshipsPart(workbook.Part), FileName, [&](const QString& text) {
        return RemoveElements(
            text,
            [](const QXmlStreamReader& reader) {
                return reader.name() == u"Relationship" &&
                       AttributeOf(reader, u"Type").endsWith(u"/calcChain");
            },
            FileName);
    });
    EditPart(package, "[Content_Types].xml", FileName, [&](const QString& text) {
        return RemoveElements(
            text,
            [&](const QXmlStreamReader& reader) {
                return reader.name() == u"Override" &&
                       AttributeOf(reader, u"PartName") == QString::fromStdString("/" + chain);
            },
            FileName);
    });
}

} // namespace

void WriteWorkbook(const AnsiString& FileName, const OfficeCells& Cells) {
    WriteNewWorkbook(FileName, "Sheet1", Cells);
}

void WriteWorksheet(const AnsiString& FileName, const AnsiString& SheetName, const OfficeCells& Cells) {
    const QString name = SheetNameText(SheetName);
    if (!ValidSheetName(name))
        throw EOfficeFileError(InvalidSheetNameMessage(SheetName));
    if (!QFileInfo::exists(QString::fromStdString(FileName.str()))) {
        WriteNewWorkbook(FileName, SheetName, Cells);
        return;
    }
    ZipArchive package = OpenPackage(FileName);
    const WorkbookPackage workbook = ReadWorkbookPackage(package, FileName);
    std::string part = workbook.SheetPart(name, FileName);
    QString sheet;
    if (part.empty()) {
        // The owner of the format tells sheet names apart without case.
        for (const WorkbookPackage::Sheet& other : workbook.Sheets)
            if (other.Name.compare(name, Qt::CaseInsensitive) == 0)
                throw EOfficeFileError(InvalidSheetNameMessage(SheetName));
        part = AddSheet(package, workbook, name, FileName, sheet);
    } else
        sheet = ReadXmlPart(package, part, FileName);
    bool formula = false;
    WritePart(package, part, RewriteSheet(sheet, Cells, FileName, formula), FileName);
    if (formula)
        RemoveFormulaChain(package, workbook, FileName);
    // Never a file the grid cannot read back: its shared strings, styles and kept cells too.
    SavePackage(package, FileName,
                [&](const ZipArchive& written) { ReadPackageWorksheet(written, FileName, SheetName); });
}
