#include "grid/XmlSplice.h"

#include "grid/OfficePackage.h"

QString InsertBeforeEndTag(const QString& text, QStringView element,
                           const std::function<QString(const QString&)>& make, const AnsiString& FileName) {
    PartReader reader(text, FileName);
    int depth = 0;
    int elementDepth = -1;
    QString prefix;
    while (reader.Next()) {
        if (reader.isStartElement()) {
            ++depth;
            if (elementDepth < 0 && reader.name() == element) {
                elementDepth = depth;
                prefix = PrefixOf(reader.qualifiedName());
            }
        } else if (reader.isEndElement()) {
            if (depth-- == elementDepth) {
                const qint64 start = TagStart(text, reader);
                return text.left(start) + make(prefix) + text.mid(start);
            }
        }
    }
    return text;
}

QString RemoveElements(const QString& text, const std::function<bool(const QXmlStreamReader&)>& match,
                       const AnsiString& FileName) {
    PartReader reader(text, FileName);
    QString result;
    qint64 kept = 0;
    while (reader.Next()) {
        if (!reader.isStartElement() || !match(reader))
            continue;
        const qint64 start = TagStart(text, reader);
        reader.skipCurrentElement();
        if (reader.hasError())
            reader.Corrupt();
        result += text.mid(kept, start - kept);
        kept = reader.characterOffset();
    }
    return result + text.mid(kept);
}

qint64 TagStart(const QString& text, const QXmlStreamReader& reader) {
    // A tag holds no '<' of its own, not even in its attributes' values.
    return text.lastIndexOf(u'<', reader.characterOffset() - 1);
}

QString PrefixOf(QStringView qualifiedName) {
    const qsizetype colon = qualifiedName.indexOf(u':');
    return colon < 0 ? QString() : qualifiedName.left(colon + 1).toString();
}

QString QStringOfUtf8(const std::string& bytes) {
    // A byte order mark would stand before the XML declaration as a character.
    const std::size_t from = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    return QString::fromUtf8(bytes.data() + from, static_cast<qsizetype>(bytes.size() - from));
}

std::string Utf8Of(const QString& text) {
    return text.toStdString();
}
