#pragma once

#include "framework/AnsiString.h"
#include "grid/ZipArchive.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The package layer under workbooks and documents: parts, relationships and XML, each failure
// raising EOfficeFileError with the file's name.

// No part of a file the program reads may unpack to more.
constexpr std::uint64_t MaxPartBytes = std::uint64_t{256} << 20;

// The package in a file: the cannot-open message when it cannot be read, the corrupt-file
// message when it is no ZIP archive.
ZipArchive OpenPackage(const AnsiString& FileName);
// A part's bytes; a missing or damaged part is a corrupt file.
std::string ReadPart(const ZipArchive& package, std::string_view name, const AnsiString& FileName);
// Writes the finished package as the file's new content; when check is given, only once check
// has passed on the package as it will stand (check raises to leave the file as it was).
void SavePackage(ZipArchive& package, const AnsiString& FileName,
                 const std::function<void(const ZipArchive&)>& check = {});

struct Relationship {
    std::string Id;
    std::string Type;
    // The part it points at, as a name in the package.
    std::string Target;
};
// The relationships of a part ("" for the package's own); none when it has no relationship part.
std::vector<Relationship> ReadRelationships(const ZipArchive& package, std::string_view part,
                                            const AnsiString& FileName);
std::string RelationshipsPart(std::string_view part);
// The first relationship whose type ends with "/" + kind (both the transitional and the strict
// schemas name their types so), or null.
const Relationship* FindRelationship(const std::vector<Relationship>& relationships, std::string_view kind);

// A reader of one part that takes no DTD: any error or DTD raises the corrupt-file message.
class PartReader : public QXmlStreamReader {
public:
    PartReader(const QByteArray& bytes, const AnsiString& FileName)
        : QXmlStreamReader(bytes), fileName(FileName) {}
    PartReader(const QString& text, const AnsiString& FileName)
        : QXmlStreamReader(text), fileName(FileName) {}
    // The next token; false at the end of the document.
    bool Next();
    // The text of the element just started, up to its end.
    QString ElementText();
    [[noreturn]] void Corrupt() const;
    const AnsiString& FileName() const { return fileName; }

private:
    AnsiString fileName;
};

// An attribute by local name, whatever its namespace.
QStringView AttributeOf(const QXmlStreamReader& reader, QStringView name);

// Text escaped for XML content, or for an attribute value in double quotes; bytes that are not
// UTF-8 are taken as Windows-1252, and characters XML 1.0 cannot hold are left out.
void AppendXmlText(std::string& out, std::string_view text);
void AppendXmlAttribute(std::string& out, std::string_view text);
