#include "framework/TextEncoding.h"
#include "grid/OfficeOpenXml.h"
#include "grid/WorkbookPackage.h"
#include "grid/WorksheetRewrite.h"
#include "grid/XmlScanner.h"
#include "grid/XmlSplice.h"

#include <QFileInfo>
#include <QStringConverter>

namespace {

constexpr char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char SheetNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char RelationshipNamespace[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char WorksheetType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr char WorksheetContentType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

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
void WritePart(ZipArchive& package, const std::string& part, std::string bytes, const AnsiString& FileName) {
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
    WritePart(package, part, Utf8Of(edit(ReadXmlPart(package, part, FileName))), FileName);
}

QString Attribute(const char* name, const std::string& value) {
    return QString::fromUtf8(name) + "=\"" + QString::fromStdString(value).toHtmlEscaped() + QChar('"');
}

// A sheet's relationship, its entry in the workbook and its content type added; the sheet's
// part and its empty text are given back.
std::string AddSheet(ZipArchive& package, const WorkbookPackage& workbook, const QString& SheetName,
                     const AnsiString& FileName, std::string& sheetText) {
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
              Utf8Of(InsertBeforeEndTag(
                  rels, u"Relationships",
                  [&](const QString& prefix) {
                      return QChar('<') + prefix + "Relationship " + Attribute("Id", id) + QChar(' ') +
                             Attribute("Type", type) + QChar(' ') + Attribute("Target", target) + "/>";
                  },
                  FileName)),
              FileName);

    QString sheetNamespace = QString::fromUtf8(SheetNamespace);
    // A strict workbook links its sheets in a relationship namespace of its own.
    QString relationshipNamespace = QString::fromUtf8(RelationshipNamespace);
    EditPart(package, workbook.Part, FileName, [&](const QString& text) {
        int sheetId = 0;
        PartReader reader(text, FileName);
        while (reader.Next())
            if (reader.isStartElement() && reader.name() == u"workbook")
                sheetNamespace = reader.namespaceUri().toString();
            else if (reader.isStartElement() && reader.name() == u"sheet") {
                sheetId = std::max(sheetId, AttributeOf(reader, u"sheetId").toInt());
                for (const QXmlStreamAttribute& attribute : reader.attributes())
                    if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                        relationshipNamespace = attribute.namespaceUri().toString();
            }
        // The relationship prefix is declared on the element itself: a workbook may declare it
        // only where its own sheets use it.
        return InsertBeforeEndTag(
            text, u"sheets",
            [&](const QString& prefix) {
                return QChar('<') + prefix + "sheet " + Attribute("name", Utf8Of(SheetName)) + QChar(' ') +
                       Attribute("sheetId", std::to_string(sheetId + 1)) + " xmlns:r=\"" +
                       relationshipNamespace + "\" " + Attribute("r:id", id) + "/>";
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
    sheetText = NewSheet({}, Utf8Of(sheetNamespace).c_str());
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
    std::string sheet;
    if (part.empty())
        part = AddSheet(package, workbook, name, FileName, sheet);
    else
        sheet = ReadPart(package, part, FileName);
    bool formula = false;
    WritePart(package, part, RewriteSheet(sheet, Cells, FileName, formula), FileName);
    if (formula)
        RemoveFormulaChain(package, workbook, FileName);
    // Never a file the grid cannot read back: its shared strings, styles and kept cells too.
    SavePackage(package, FileName,
                [&](const ZipArchive& written) { ReadPackageWorksheet(written, FileName, SheetName); });
}
