#include "grid/WorkbookPackage.h"

#include "framework/TextEncoding.h"

#include <algorithm>
#include <charconv>

std::string WorkbookPackage::SheetPart(const QString& name, const AnsiString& FileName) const {
    const Sheet* found = nullptr;
    if (name.isEmpty()) {
        if (ActiveTab >= 0 && ActiveTab < static_cast<int>(Sheets.size()))
            found = &Sheets[static_cast<std::size_t>(ActiveTab)];
        else if (!Sheets.empty())
            found = &Sheets.front();
    } else {
        // The owner of the format tells sheet names apart without case, in any script.
        const Sheet* sameButCase = nullptr;
        for (const Sheet& sheet : Sheets)
            if (sheet.Name == name)
                found = &sheet;
            else if (sheet.Name.compare(name, Qt::CaseInsensitive) == 0)
                sameButCase = &sheet;
        if (!found)
            found = sameButCase;
    }
    if (!found)
        return {};
    for (const Relationship& relationship : Relationships)
        if (relationship.Id == found->RelationshipId)
            return relationship.Target;
    throw EOfficeFileError(CorruptFileMessage(FileName));
}

std::string WorkbookPackage::RelatedPart(std::string_view kind) const {
    const Relationship* relationship = FindRelationship(Relationships, kind);
    return relationship ? relationship->Target : std::string();
}

QString SheetNameText(const AnsiString& SheetName) {
    return QString::fromStdString(TextFromFileBytes(SheetName.view()));
}

WorkbookPackage ReadWorkbookPackage(const ZipArchive& package, const AnsiString& FileName) {
    const std::vector<Relationship> root = ReadRelationships(package, "", FileName);
    const Relationship* document = FindRelationship(root, "officeDocument");
    if (!document)
        throw EOfficeFileError(CorruptFileMessage(FileName));
    WorkbookPackage workbook;
    workbook.Part = document->Target;
    const std::string bytes = ReadPart(package, workbook.Part, FileName);
    PartReader reader(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), FileName);
    bool isWorkbook = false;
    while (reader.Next()) {
        if (!reader.isStartElement())
            continue;
        const QStringView name = reader.name();
        if (name == u"workbook")
            isWorkbook = true;
        else if (name == u"sheet")
            workbook.Sheets.push_back({AttributeOf(reader, u"name").toString(),
                                       AttributeOf(reader, u"id").toString().toStdString()});
        else if (name == u"workbookView" && !AttributeOf(reader, u"activeTab").isEmpty())
            workbook.ActiveTab = AttributeOf(reader, u"activeTab").toInt();
        else if (name == u"workbookPr") {
            const QStringView date1904 = AttributeOf(reader, u"date1904");
            workbook.Date1904 = date1904 == u"1" || date1904 == u"true";
        }
    }
    if (!isWorkbook)
        throw EOfficeFileError(CorruptFileMessage(FileName));
    workbook.Relationships = ReadRelationships(package, workbook.Part, FileName);
    return workbook;
}

bool ParseCellReference(std::string_view text, int& Col, int& Row) {
    std::size_t i = 0;
    long long col = 0;
    while (i < text.size() && i < 4 && text[i] >= 'A' && text[i] <= 'Z')
        col = col * 26 + (text[i++] - 'A' + 1);
    long long row = 0;
    const std::size_t digitsFrom = i;
    while (i < text.size() && i - digitsFrom < 8 && text[i] >= '0' && text[i] <= '9')
        row = row * 10 + (text[i++] - '0');
    if (i != text.size() || digitsFrom == 0 || i == digitsFrom || col > SheetColumns || row < 1 ||
        row > SheetRows)
        return false;
    Col = static_cast<int>(col);
    Row = static_cast<int>(row);
    return true;
}

bool SheetPlace::StartRow(std::string_view number) {
    row = number.empty() ? row + 1 : AttributeInt(number);
    col = 0;
    return row >= 1 && row <= SheetRows;
}

bool SheetPlace::StartCell(std::string_view reference, int& Col, int& Row) {
    Row = row;
    if (reference.empty() ? ++col > SheetColumns || row < 1 : !ParseCellReference(reference, col, Row))
        return false;
    Col = col;
    return true;
}

bool CellHoldsValue(std::string_view type, std::string_view value) {
    return type != "e" && (!value.empty() || type == "inlineStr" || type == "str");
}

int AttributeInt(std::string_view text) {
    // Plain digits, the usual case, without making a QString.
    int value = 0;
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toInt();
}
