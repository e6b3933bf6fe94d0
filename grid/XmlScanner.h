#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A reader of one large XML part (a worksheet, the shared strings) straight over its bytes: a
// document that is not well-formed XML with namespaces, or holds a DTD, raises the corrupt-file
// message. Elements are known by their local names, whatever their prefixes; texts come back as
// UTF-8.
class XmlScanner {
public:
    // The bytes must outlive the scanner; a part in another encoding than UTF-8 is converted first.
    XmlScanner(std::string_view bytes, const AnsiString& FileName);
    XmlScanner(const XmlScanner&) = delete;
    XmlScanner& operator=(const XmlScanner&) = delete;

    // The next start or end of an element, checking what lies between; false at the end of the
    // document. An empty element gives a start and an end.
    bool Next();
    bool IsStartElement() const { return start; }
    std::string_view Name() const { return localName; }
    // The namespace of the element just started; empty for none.
    std::string_view NamespaceUri() const;
    // The value of the first attribute of the element just started with that local name,
    // whatever its prefix; empty when it has none. Valid until the next call.
    std::string_view Attribute(std::string_view name) const;
    // The text of the element just started, its children's included, read to its end. Valid until
    // the next call.
    std::string_view ElementText();
    // Reads past the end of the element just started.
    void SkipElement();
    [[noreturn]] void Corrupt() const;

    // For a copy of the part's text around what is read: where the tag just read begins, and
    // where reading stands, in the bytes given (for a part read as UTF-8, else in its conversion).
    const char* TagBegin() const { return tagBegin; }
    const char* Position() const { return at; }
    // Whether the part was read as the UTF-8 bytes given, not converted from another encoding.
    bool ReadAsGiven() const { return converted.empty(); }
    // The name of the element just started as it stands, prefix and all.
    std::string_view QualifiedName() const { return qualifiedName; }
    // An attribute, or a namespace declaration, of the element just started as the tag has it:
    // its value still escaped. Valid until the next call.
    struct RawAttribute {
        std::string_view QualifiedName;
        std::string_view Value;
    };
    std::vector<RawAttribute> RawAttributes() const;

private:
    enum class Token { Start, End, Text, Done };
    struct OpenElement {
        std::string_view QualifiedName;
        std::string_view LocalName;
        std::size_t Bindings;
    };
    struct Binding {
        std::string_view Prefix;
        std::string Uri;
    };
    struct TagAttribute {
        std::string_view QualifiedName;
        std::string_view LocalName;
        std::string_view Value;
        std::string_view RawValue;
        bool Plain;
        bool Declaration;
    };
    // How a text run is turned into text.
    enum class Run { Plain, Content, CharacterData };

    Token Advance();
    void ConvertFrom(const char* encoding, std::string_view bytes);
    std::string ReadDeclaration();
    void ReadStartTag();
    void ReadAttribute();
    void ReadEndTag();
    void ReadText();
    void ReadMarkup();
    std::string_view ReadQualifiedName(std::string_view& local);
    bool ReadNameCharacter(bool first);
    bool SkipSpace();
    void Expect(std::string_view what);
    void BindNamespaces();
    std::string_view NamespaceOf(const TagAttribute& attribute);
    // The namespace a prefix ("" for the default one) stands for where reading stands; null when
    // it is not declared.
    const std::string* BoundNamespace(std::string_view prefix) const;
    void CloseElement();

    std::string converted;
    const char* at = nullptr;
    const char* end = nullptr;
    AnsiString fileName;

    const char* tagBegin = nullptr;
    std::string_view qualifiedName;
    bool start = false;
    bool emptyElement = false;
    bool rootDone = false;
    std::string_view localName;
    std::vector<OpenElement> open;
    std::vector<Binding> bindings;
    std::vector<TagAttribute> attributes;
    std::vector<std::string> attributeValues;

    std::vector<std::pair<std::string_view, std::string_view>> expandedNames;

    // The text of the last Text token, as it stands in the part.
    std::string_view run;
    Run runKind = Run::Plain;
    std::string text;
};

// Reads the part through, raising the corrupt-file message unless it is well-formed XML with
// namespaces; one pass, in time linear in its length.
void CheckWellFormedXml(std::string_view bytes, const AnsiString& FileName);
