#include "grid/XmlScanner.h"

#include "grid/OfficeOpenXml.h"
#include "grid/XmlCharacters.h"

#include <QStringConverter>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view XmlnsNamespace = "http://www.w3.org/2000/xmlns/";

std::string_view Between(const char* from, const char* to) {
    return {from, static_cast<std::size_t>(to - from)};
}

// UTF-16 in either byte order, or UTF-32, counts as one encoding whatever its name says.
int EncodingFamily(QStringConverter::Encoding encoding) {
    switch (encoding) {
    case QStringConverter::Utf16:
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE:
        return QStringConverter::Utf16;
    case QStringConverter::Utf32:
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE:
        return QStringConverter::Utf32;
    default:
        return encoding;
    }
}

bool IsEncodingName(std::string_view name) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return !name.empty() && letter(name[0]) && std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

} // namespace

XmlScanner::XmlScanner(std::string_view bytes, const AnsiString& FileName) : fileName(FileName) {
    // A byte order mark, or the first '<' in UTF-16 or UTF-32, tells the encoding; else the
    // declaration does, UTF-8 when it names none.
    constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
    std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), u'<');
    if (bytes.starts_with(utf8Mark)) {
        marked = QStringConverter::Utf8;
        bytes.remove_prefix(utf8Mark.size());
    } else if (marked && *marked != QStringConverter::Utf8) {
        ConvertFrom(QStringConverter::nameForEncoding(*marked), bytes);
        bytes = converted;
    } else
        marked.reset();
    at = bytes.data();
    end = at + bytes.size();
    const std::string encoding = ReadDeclaration();
    const std::optional<QStringConverter::Encoding> named =
        encoding.empty() ? marked : QStringConverter::encodingForName(encoding.c_str());
    // A declaration naming another encoding than the mark's makes no sense of the part.
    if (marked && (!named || EncodingFamily(*named) != EncodingFamily(*marked)))
        Corrupt();
    if (!marked && !encoding.empty() && named != QStringConverter::Utf8)
        ConvertFrom(encoding.c_str(), Between(at, end));
    else if (!IsXmlCharacters(Between(at, end)))
        Corrupt();
}

// The bytes in that encoding as UTF-8 to scan, the mark left out.
void XmlScanner::ConvertFrom(const char* encoding, std::string_view bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        Corrupt();
    QString decoded = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError())
        Corrupt();
    if (decoded.startsWith(QChar::ByteOrderMark))
        decoded.remove(0, 1);
    converted = decoded.toStdString();
    at = converted.data();
    end = at + converted.size();
    if (!IsXmlCharacters(converted))
        Corrupt();
}

// <?xml version="1.0" encoding="..." standalone="yes|no"?>, all but the version optional; the
// encoding it names.
std::string XmlScanner::ReadDeclaration() {
    const std::string_view rest = Between(at, end);
    if (!rest.starts_with("<?xml") || rest.size() < 6 ||
        std::string_view(" \t\r\n").find(rest[5]) == std::string_view::npos)
        return {};
    at += 5;
    const auto pseudoAttribute = [&](std::string_view name) {
        Expect(name);
        SkipSpace();
        Expect("=");
        SkipSpace();
        if (at == end || (*at != '"' && *at != '\''))
            Corrupt();
        const char* close =
            static_cast<const char*>(std::memchr(at + 1, *at, static_cast<std::size_t>(end - at - 1)));
        if (!close)
            Corrupt();
        const std::string_view value = Between(at + 1, close);
        at = close + 1;
        return value;
    };
    SkipSpace();
    if (pseudoAttribute("version") != "1.0")
        Corrupt();
    bool space = SkipSpace();
    std::string encoding;
    if (space && Between(at, end).starts_with("encoding")) {
        encoding = pseudoAttribute("encoding");
        if (!IsEncodingName(encoding))
            Corrupt();
        space = SkipSpace();
    }
    if (space && Between(at, end).starts_with("standalone")) {
        const std::string_view standalone = pseudoAttribute("standalone");
        if (standalone != "yes" && standalone != "no")
            Corrupt();
        SkipSpace();
    }
    Expect("?>");
    return encoding;
}

void XmlScanner::Corrupt() const {
    throw EOfficeFileError(CorruptFileMessage(fileName));
}

bool XmlScanner::SkipSpace() {
    const char* from = at;
    while (at < end && (*at == ' ' || *at == '\n' || *at == '\t' || *at == '\r'))
        ++at;
    return at != from;
}

void XmlScanner::Expect(std::string_view what) {
    if (!Between(at, end).starts_with(what))
        Corrupt();
    at += what.size();
}

bool XmlScanner::ReadNameCharacter(bool first) {
    if (at == end)
        return false;
    const auto byte = static_cast<unsigned char>(*at);
    if (byte < 0x80) {
        if (!(first ? IsNameStartCharacter(byte) : IsNameCharacter(byte)))
            return false;
        ++at;
        return true;
    }
    const char* next = at;
    const char32_t c = CodePointAt(next);
    if (!(first ? IsNameStartCharacter(c) : IsNameCharacter(c)))
        return false;
    at = next;
    return true;
}

// A name with at most one prefix, both parts beginning as names begin.
std::string_view XmlScanner::ReadQualifiedName(std::string_view& local) {
    const char* from = at;
    const char* localFrom = at;
    if (!ReadNameCharacter(true))
        Corrupt();
    for (;;) {
        if (at < end && *at == ':' && localFrom == from) {
            localFrom = ++at;
            if (!ReadNameCharacter(true))
                Corrupt();
        } else if (!ReadNameCharacter(false))
            break;
    }
    local = Between(localFrom, at);
    return Between(from, at);
}

bool XmlScanner::Next() {
    for (;;)
        switch (Advance()) {
        case Token::Start:
        case Token::End:
            return true;
        case Token::Done:
            return false;
        case Token::Text:
            break;
        }
}

XmlScanner::Token XmlScanner::Advance() {
    if (emptyElement) {
        emptyElement = false;
        CloseElement();
        return Token::End;
    }
    for (;;) {
        if (open.empty()) {
            // Outside the root only white space and markup.
            SkipSpace();
            if (at == end) {
                if (!rootDone)
                    Corrupt();
                return Token::Done;
            }
            if (*at != '<')
                Corrupt();
        }
        if (at == end)
            Corrupt();
        if (*at != '<') {
            ReadText();
            return Token::Text;
        }
        if (end - at < 2)
            Corrupt();
        tagBegin = at;
        if (at[1] == '/') {
            ReadEndTag();
            return Token::End;
        }
        if (at[1] == '!' && !open.empty() && Between(at, end).starts_with("<![CDATA[")) {
            at += 9;
            const std::string_view rest = Between(at, end);
            const std::size_t close = rest.find("]]>");
            if (close == std::string_view::npos)
                Corrupt();
            run = rest.substr(0, close);
            runKind = run.find('\r') == std::string_view::npos ? Run::Plain : Run::CharacterData;
            at += close + 3;
            return Token::Text;
        }
        if (at[1] == '!' || at[1] == '?') {
            ReadMarkup();
            continue;
        }
        if (rootDone)
            Corrupt();
        ReadStartTag();
        return Token::Start;
    }
}

void XmlScanner::ReadText() {
    const char* from = at;
    runKind = Run::Plain;
    while (at < end && *at != '<') {
        const char c = *at;
        if (c == '&') {
            at = ReadReference(at, end, nullptr);
            if (!at)
                Corrupt();
            runKind = Run::Content;
            continue;
        }
        if (c == '\r')
            runKind = Run::Content;
        else if (c == ']' && Between(at, end).starts_with("]]>"))
            Corrupt();
        ++at;
    }
    run = Between(from, at);
}

// Comments and processing instructions are passed over; a DTD is refused wherever it stands.
void XmlScanner::ReadMarkup() {
    const std::string_view rest = Between(at, end);
    if (rest.starts_with("<!--")) {
        const std::size_t dashes = rest.find("--", 4);
        if (dashes == std::string_view::npos || dashes + 2 >= rest.size() || rest[dashes + 2] != '>')
            Corrupt();
        at += dashes + 3;
        return;
    }
    if (!rest.starts_with("<?"))
        Corrupt();
    at += 2;
    std::string_view local;
    const std::string_view target = ReadQualifiedName(local);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (target != local ||
        (target.size() == 3 && lower(target[0]) == 'x' && lower(target[1]) == 'm' && lower(target[2]) == 'l'))
        Corrupt();
    const std::string_view body = Between(at, end);
    const std::size_t close = body.find("?>");
    if (close == std::string_view::npos || (close > 0 && !SkipSpace()))
        Corrupt();
    at = body.data() + close + 2;
}

void XmlScanner::ReadStartTag() {
    ++at;
    std::string_view local;
    const std::string_view name = ReadQualifiedName(local);
    attributes.clear();
    bool plain = true;
    for (;;) {
        const bool space = SkipSpace();
        if (at == end)
            Corrupt();
        if (*at == '>') {
            ++at;
            break;
        }
        if (*at == '/') {
            ++at;
            Expect(">");
            emptyElement = true;
            break;
        }
        if (!space)
            Corrupt();
        ReadAttribute();
        plain = plain && attributes.back().Plain;
    }
    if (!plain) {
        attributeValues.resize(attributes.size());
        for (std::size_t i = 0; i < attributes.size(); ++i)
            if (!attributes[i].Plain) {
                attributeValues[i].clear();
                AppendDecoded(attributeValues[i], attributes[i].Value, true);
                attributes[i].Value = attributeValues[i];
            }
    }
    open.push_back({name, local, bindings.size()});
    BindNamespaces();
    start = true;
    localName = local;
    qualifiedName = name;
}

void XmlScanner::ReadAttribute() {
    TagAttribute attribute;
    attribute.QualifiedName = ReadQualifiedName(attribute.LocalName);
    SkipSpace();
    Expect("=");
    SkipSpace();
    if (at == end || (*at != '"' && *at != '\''))
        Corrupt();
    const char quote = *at++;
    const char* from = at;
    attribute.Plain = true;
    for (;;) {
        if (at == end || *at == '<')
            Corrupt();
        const char c = *at;
        if (c == quote)
            break;
        if (c == '&') {
            at = ReadReference(at, end, nullptr);
            if (!at)
                Corrupt();
            attribute.Plain = false;
            continue;
        }
        if (c == '\t' || c == '\n' || c == '\r')
            attribute.Plain = false;
        ++at;
    }
    attribute.Value = attribute.RawValue = Between(from, at++);
    attribute.Declaration =
        attribute.QualifiedName == "xmlns" || attribute.QualifiedName.starts_with("xmlns:");
    attributes.push_back(attribute);
}

// Declares the element's prefixes, and checks that every prefix it uses is declared and that no
// two attributes share a namespace and a local name.
void XmlScanner::BindNamespaces() {
    for (const TagAttribute& attribute : attributes) {
        if (!attribute.Declaration)
            continue;
        // A default namespace may also be undeclared with an empty value.
        if (attribute.QualifiedName == "xmlns") {
            bindings.push_back({{}, std::string(attribute.Value)});
            continue;
        }
        const std::string_view prefix = attribute.LocalName;
        if (prefix == "xmlns" || (prefix == "xml") != (attribute.Value == XmlNamespace) ||
            attribute.Value.empty() || attribute.Value == XmlnsNamespace)
            Corrupt();
        bindings.push_back({prefix, std::string(attribute.Value)});
    }
    const OpenElement& element = open.back();
    if (element.QualifiedName.size() != element.LocalName.size())
        NamespaceOf({element.QualifiedName, element.LocalName, {}, {}, true, false});
    expandedNames.clear();
    for (const TagAttribute& attribute : attributes)
        if (!attribute.Declaration)
            expandedNames.emplace_back(attribute.LocalName, NamespaceOf(attribute));
    if (expandedNames.size() < 2)
        return;
    std::sort(expandedNames.begin(), expandedNames.end());
    if (std::adjacent_find(expandedNames.begin(), expandedNames.end()) != expandedNames.end())
        Corrupt();
}

std::string_view XmlScanner::NamespaceOf(const TagAttribute& attribute) {
    if (attribute.QualifiedName.size() == attribute.LocalName.size())
        return {};
    const std::string_view prefix =
        attribute.QualifiedName.substr(0, attribute.QualifiedName.size() - attribute.LocalName.size() - 1);
    if (prefix == "xml")
        return XmlNamespace;
    if (const std::string* uri = BoundNamespace(prefix))
        return *uri;
    Corrupt();
}

const std::string* XmlScanner::BoundNamespace(std::string_view prefix) const {
    for (auto binding = bindings.rbegin(); binding != bindings.rend(); ++binding)
        if (binding->Prefix == prefix)
            return &binding->Uri;
    return nullptr;
}

std::string_view XmlScanner::NamespaceUri() const {
    const OpenElement& element = open.back();
    if (element.QualifiedName.size() == element.LocalName.size()) {
        const std::string* uri = BoundNamespace({});
        return uri ? std::string_view(*uri) : std::string_view();
    }
    const std::string_view prefix =
        element.QualifiedName.substr(0, element.QualifiedName.size() - element.LocalName.size() - 1);
    if (prefix == "xml")
        return XmlNamespace;
    // Bound already: the start tag was checked.
    return *BoundNamespace(prefix);
}

void XmlScanner::ReadEndTag() {
    at += 2;
    if (open.empty())
        Corrupt();
    const std::string_view name = open.back().QualifiedName;
    // The name must be the start tag's and end there.
    if (!Between(at, end).starts_with(name))
        Corrupt();
    at += name.size();
    const char* after = at;
    if (ReadNameCharacter(false) || (at < end && *at == ':'))
        Corrupt();
    at = after;
    SkipSpace();
    Expect(">");
    CloseElement();
}

void XmlScanner::CloseElement() {
    start = false;
    localName = open.back().LocalName;
    bindings.resize(open.back().Bindings);
    open.pop_back();
    rootDone = open.empty();
}

std::string_view XmlScanner::Attribute(std::string_view name) const {
    for (const TagAttribute& attribute : attributes)
        if (!attribute.Declaration && attribute.LocalName == name)
            return attribute.Value;
    return {};
}

std::vector<XmlScanner::RawAttribute> XmlScanner::RawAttributes() const {
    std::vector<RawAttribute> out;
    out.reserve(attributes.size());
    for (const TagAttribute& attribute : attributes)
        out.push_back({attribute.QualifiedName, attribute.RawValue});
    return out;
}

std::string_view XmlScanner::ElementText() {
    const std::size_t depth = open.size();
    std::string_view single;
    bool buffered = false;
    for (;;) {
        const Token token = Advance();
        if (token == Token::End && open.size() < depth)
            break;
        if (token != Token::Text)
            continue;
        if (!buffered && single.empty() && runKind == Run::Plain) {
            single = run;
            continue;
        }
        if (!buffered) {
            text.assign(single);
            buffered = true;
        }
        if (runKind == Run::Content)
            AppendDecoded(text, run, false);
        else if (runKind == Run::CharacterData)
            AppendLineFeeds(text, run);
        else
            text += run;
    }
    return buffered ? std::string_view(text) : single;
}

void XmlScanner::SkipElement() {
    const std::size_t depth = open.size();
    while (Advance() != Token::End || open.size() >= depth) {
    }
}

void CheckWellFormedXml(std::string_view bytes, const AnsiString& FileName) {
    XmlScanner scanner(bytes, FileName);
    while (scanner.Next()) {
    }
}
