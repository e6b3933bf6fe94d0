#pragma once

#include "framework/AnsiString.h"

#include <QString>
#include <QXmlStreamReader>

#include <functional>

// Edits of a part's XML text in place: every character outside an edit stays as it was. Text
// that is no well-formed XML raises the corrupt-file message for FileName.

// Text inserted where the end tag of the first element of that local name begins; make gets the
// element's prefix ("x:" or ""). The text as it was when there is no such element.
QString InsertBeforeEndTag(const QString& text, QStringView element,
                           const std::function<QString(const QString&)>& make, const AnsiString& FileName);
// Every element that match accepts (at its start) removed with its content.
QString RemoveElements(const QString& text, const std::function<bool(const QXmlStreamReader&)>& match,
                       const AnsiString& FileName);
// Where the tag the reader has just read begins. The reader's offset will not do: it ends text
// only once it has taken the '<' that follows.
qint64 TagStart(const QString& text, const QXmlStreamReader& reader);
// "x:" for "x:row", "" for "row".
QString PrefixOf(QStringView qualifiedName);

QString QStringOfUtf8(const std::string& bytes);
std::string Utf8Of(const QString& text);
