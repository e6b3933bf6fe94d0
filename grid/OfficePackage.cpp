#include "grid/OfficePackage.h"

#include "framework/FileBytes.h"
#include "framework/TextEncoding.h"
#include "grid/OfficeOpenXml.h"
#include "grid/XmlCharacters.h"

#include <algorithm>

ZipArchive OpenPackage(const AnsiString& FileName) {
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes))
        throw EOfficeFileError(CannotOpenMessage(FileName));
    std::optional<ZipArchive> package = ZipArchive::Open(std::move(bytes));
    if (!package)
        throw EOfficeFileError(CorruptFileMessage(FileName));
    return std::move(*package);
}

std::string ReadPart(const ZipArchive& package, std::string_view name, const AnsiString& FileName) {
    std::optional<std::string> bytes = package.Read(name, MaxPartBytes);
    if (!bytes)
        throw EOfficeFileError(CorruptFileMessage(FileName));
    return std::move(*bytes);
}

void SavePackage(ZipArchive& package, const AnsiString& FileName,
                 const std::function<void(const ZipArchive&)>& check) {
    const std::optional<std::string> bytes = package.Finish();
    if (!bytes)
        throw EOfficeFileError(CannotCreateMessage(FileName));
    if (check) {
        const std::optional<ZipArchive> written = ZipArchive::Open(*bytes);
        if (!written)
            throw EOfficeFileError(CorruptFileMessage(FileName));
        check(*written);
    }
    if (!WriteFileBytes(FileName, *bytes))
        throw EOfficeFileError(CannotCreateMessage(FileName));
}

std::string RelationshipsPart(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? "" : part.substr(0, slash + 1);
    const std::string_view name = slash == std::string_view::npos ? part : part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(name) + ".rels";
}

namespace {

// A target relative to the part's folder, or from the package root when it begins with "/".
std::string ResolveTarget(std::string_view part, std::string_view target) {
    std::string whole;
    if (!target.starts_with('/') && part.rfind('/') != std::string_view::npos)
        whole = part.substr(0, part.rfind('/') + 1);
    whole += target;
    std::vector<std::string_view> segments;
    const std::string_view all = whole;
    std::size_t from = 0;
    while (from <= all.size()) {
        const std::size_t to = std::min(all.find('/', from), all.size());
        const std::string_view segment = all.substr(from, to - from);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".")
            segments.push_back(segment);
        from = to + 1;
    }
    std::string joined;
    for (const std::string_view segment : segments) {
        if (!joined.empty())
            joined += '/';
        joined += segment;
    }
    return joined;
}

} // namespace

std::vector<Relationship> ReadRelationships(const ZipArchive& package, std::string_view part,
                                            const AnsiString& FileName) {
    const std::string relsName = RelationshipsPart(part);
    std::vector<Relationship> result;
    if (!package.Has(relsName))
        return result;
    const std::string bytes = ReadPart(package, relsName, FileName);
    PartReader reader(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), FileName);
    while (reader.Next()) {
        if (!reader.isStartElement() || reader.name() != u"Relationship" ||
            AttributeOf(reader, u"TargetMode") == u"External")
            continue;
        result.push_back({AttributeOf(reader, u"Id").toString().toStdString(),
                          AttributeOf(reader, u"Type").toString().toStdString(),
                          ResolveTarget(part, AttributeOf(reader, u"Target").toString().toStdString())});
    }
    return result;
}

const Relationship* FindRelationship(const std::vector<Relationship>& relationships, std::string_view kind) {
    std::string suffix(1, '/');
    suffix += kind;
    for (const Relationship& relationship : relationships)
        if (relationship.Type.ends_with(suffix))
            return &relationship;
    return nullptr;
}

bool PartReader::Next() {
    while (!atEnd()) {
        readNext();
        if (tokenType() == DTD)
            Corrupt();
        if (!hasError())
            return true;
    }
    if (hasError())
        Corrupt();
    return false;
}

QString PartReader::ElementText() {
    const QString text = readElementText(IncludeChildElements);
    if (hasError())
        Corrupt();
    return text;
}

void PartReader::Corrupt() const {
    throw EOfficeFileError(CorruptFileMessage(fileName));
}

QStringView AttributeOf(const QXmlStreamReader& reader, QStringView name) {
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        if (attribute.name() == name)
            return attribute.value();
    return {};
}

namespace {

void AppendEscaped(std::string& out, std::string_view bytes, bool attribute) {
    const std::string text = TextFromFileBytes(bytes);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            // Other control characters, U+FFFE and U+FFFF (EF BF BE, EF BF BF) have no place in
            // XML 1.0.
            if (IsNonCharacterAt(text, i))
                i += 2;
            else if (static_cast<unsigned char>(c) >= 0x20)
                out += c;
        }
    }
}

} // namespace

void AppendXmlText(std::string& out, std::string_view text) {
    AppendEscaped(out, text, false);
}

void AppendXmlAttribute(std::string& out, std::string_view text) {
    AppendEscaped(out, text, true);
}
