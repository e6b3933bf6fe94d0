#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "grid/OfficeOpenXml.h"
#include "grid/WorkbookPackage.h"
#include "grid/XmlCharacters.h"
#include "grid/XmlScanner.h"

#include <QDateTime>
#include <QStringDecoder>

#include <charconv>
#include <cmath>

namespace {

QByteArray View(const std::string& bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A leading U+FEFF is part of the value (fromUtf8 would drop it as a byte order mark).
QString Utf16Of(std::string_view text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// QString's toULongLong and toDouble, taking plain digits without making a QString.
qulonglong ToULongLong(std::string_view text, bool& good) {
    qulonglong value = 0;
    good = !text.empty() && text.size() <= 18 && IsDigits(text);
    if (good) {
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    return Utf16Of(text).toULongLong(&good);
}

double ToDouble(std::string_view text, bool& good) {
    // Both round a decimal correctly; QString's takes the spaces and signs from_chars leaves.
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    good = error == std::errc() && end == text.data() + text.size();
    return good ? value : Utf16Of(text).toDouble(&good);
}

// The text of a string item (a shared string or an inline one) up to the end of the element
// just started: its runs joined, phonetic hints left out.
std::string StringItem(XmlScanner& reader) {
    std::string text;
    int depth = 1;
    while (depth > 0 && reader.Next()) {
        if (!reader.IsStartElement())
            --depth;
        else if (reader.Name() == "t")
            text += reader.ElementText();
        else if (reader.Name() == "rPh")
            reader.SkipElement();
        else
            ++depth;
    }
    return UnescapedXstring(std::move(text));
}

std::vector<AnsiString> ReadSharedStrings(const ZipArchive& package, const std::string& part,
                                          const AnsiString& FileName) {
    std::vector<AnsiString> strings;
    if (part.empty())
        return strings;
    const std::string bytes = ReadPart(package, part, FileName);
    XmlScanner reader(bytes, FileName);
    while (reader.Next())
        if (reader.IsStartElement() && reader.Name() == "si")
            strings.emplace_back(StringItem(reader));
    return strings;
}

// Whether a number format shows a date or time: the built-in ones that do, and codes holding
// date or time letters outside quoted text, escapes and colour or condition brackets.
bool IsDateFormat(int id, QStringView code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\\' || c == u'_' || c == u'*')
            ++i;
        else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i);
            const QString inside = code.mid(i + 1, close < 0 ? -1 : close - i - 1).toString().toLower();
            // Elapsed time ([h], [mm], [ss]) is time; colours, locales and conditions are not.
            if (!inside.isEmpty() && (inside.count(inside[0]) == inside.size()) &&
                QStringView(u"hms").contains(inside[0]))
                return true;
            if (close < 0)
                break;
            i = close;
        } else if (QStringView(u"dDmMyYhHsS").contains(c))
            return true;
    }
    return false;
}

// Per cell style (index into the cell formats), whether it shows a date.
std::vector<bool> ReadDateStyles(const ZipArchive& package, const std::string& part,
                                 const AnsiString& FileName) {
    std::vector<bool> dateStyles;
    if (part.empty())
        return dateStyles;
    const std::string bytes = ReadPart(package, part, FileName);
    PartReader reader(View(bytes), FileName);
    std::vector<std::pair<int, QString>> codes;
    bool inCellFormats = false;
    while (reader.Next()) {
        if (reader.isEndElement() && reader.name() == u"cellXfs")
            inCellFormats = false;
        if (!reader.isStartElement())
            continue;
        if (reader.name() == u"numFmt")
            codes.emplace_back(AttributeOf(reader, u"numFmtId").toInt(),
                               AttributeOf(reader, u"formatCode").toString());
        else if (reader.name() == u"cellXfs")
            inCellFormats = true;
        else if (inCellFormats && reader.name() == u"xf") {
            const int id = AttributeOf(reader, u"numFmtId").toInt();
            QString code;
            for (const auto& [codeId, text] : codes)
                if (codeId == id)
                    code = text;
            dateStyles.push_back(IsDateFormat(id, code));
            reader.skipCurrentElement();
        }
    }
    return dateStyles;
}

// Whether a date lies from 0001-01-01 to 9999-12-31 once its time is rounded to the millisecond,
// as it is shown.
bool IsCalendarDate(TDateTime date) {
    constexpr double FirstDay = -693593;
    constexpr double DayAfterLast = 2958466;
    if (!(date >= FirstDay && date < DayAfterLast))
        return false;
    const double day = std::floor(date);
    return day + std::round((date - day) * 86400000) / 86400000 < DayAfterLast;
}

TDateTime DateOfSerial(double serial, bool Date1904) {
    if (Date1904)
        return serial + 1462;
    // The 1900 system counts a 29 February 1900 that never was.
    return serial < 61 ? serial + 1 : serial;
}

struct SheetContext {
    const std::vector<AnsiString>& SharedStrings;
    const std::vector<bool>& DateStyles;
    bool Date1904;
};

// The text of the cell just started, read to its end; false when it holds no value.
bool CellText(XmlScanner& reader, const SheetContext& context, AnsiString& text) {
    const std::string type(reader.Attribute("t"));
    const int style = AttributeInt(reader.Attribute("s"));
    std::string value;
    bool hasValue = false;
    while (reader.Next() && !(!reader.IsStartElement() && reader.Name() == "c")) {
        if (!reader.IsStartElement())
            continue;
        if (reader.Name() == "v") {
            value = reader.ElementText();
            hasValue = true;
        } else if (reader.Name() == "is") {
            value = StringItem(reader);
            hasValue = true;
        } else
            reader.SkipElement();
    }
    // A formula not yet calculated has an empty value.
    if (!hasValue || !CellHoldsValue(type, value))
        return false;
    if (type == "s") {
        bool good = false;
        const qulonglong index = ToULongLong(value, good);
        if (!good || index >= context.SharedStrings.size())
            reader.Corrupt();
        text = context.SharedStrings[static_cast<std::size_t>(index)];
    } else if (type == "inlineStr")
        text = std::move(value);
    else if (type == "str")
        text = UnescapedXstring(std::move(value));
    else if (type == "b")
        text = Utf16Of(value).trimmed() == u"1" ? "TRUE" : "FALSE";
    else if (type == "d") {
        const QDateTime at = QDateTime::fromString(Utf16Of(value), Qt::ISODateWithMs);
        if (!at.isValid())
            reader.Corrupt();
        const QDate day = at.date();
        const QTime time = at.time();
        const TDateTime date = EncodeDate(day.year(), day.month(), day.day());
        text = time.msecsSinceStartOfDay() == 0
                   ? DateToStr(date)
                   : DateTimeToStr(date + EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
    } else {
        bool good = false;
        const double number = ToDouble(value, good);
        if (!good || !std::isfinite(number))
            reader.Corrupt();
        const bool isDate = style >= 0 && static_cast<std::size_t>(style) < context.DateStyles.size() &&
                            context.DateStyles[static_cast<std::size_t>(style)];
        const TDateTime date = isDate ? DateOfSerial(number, context.Date1904) : 0;
        if (!isDate || !IsCalendarDate(date))
            text = FloatToStr(number);
        else
            text = date == std::floor(date) ? DateToStr(date) : DateTimeToStr(date);
    }
    return true;
}

WorksheetCells ReadSheetCells(const std::string& bytes, const SheetContext& context,
                              const AnsiString& FileName) {
    WorksheetCells cells;
    XmlScanner reader(bytes, FileName);
    bool inData = false;
    SheetPlace place;
    while (reader.Next()) {
        if (!reader.IsStartElement() && reader.Name() == "sheetData")
            inData = false;
        if (!reader.IsStartElement())
            continue;
        if (reader.Name() == "sheetData")
            inData = true;
        else if (inData && reader.Name() == "row") {
            if (!place.StartRow(reader.Attribute("r")))
                reader.Corrupt();
        } else if (inData && reader.Name() == "c") {
            int col = 0;
            int cellRow = 0;
            if (!place.StartCell(reader.Attribute("r"), col, cellRow))
                reader.Corrupt();
            if (cells.FirstCol == 0) {
                cells.FirstCol = cells.LastCol = col;
                cells.FirstRow = cells.LastRow = cellRow;
            }
            cells.FirstCol = std::min(cells.FirstCol, col);
            cells.LastCol = std::max(cells.LastCol, col);
            cells.FirstRow = std::min(cells.FirstRow, cellRow);
            cells.LastRow = std::max(cells.LastRow, cellRow);
            AnsiString text;
            if (CellText(reader, context, text))
                cells.Values.push_back({col, cellRow, std::move(text)});
        }
    }
    return cells;
}

} // namespace

WorksheetCells ReadWorksheet(const AnsiString& FileName, const AnsiString& SheetName) {
    return ReadPackageWorksheet(OpenPackage(FileName), FileName, SheetName);
}

WorksheetCells ReadPackageWorksheet(const ZipArchive& package, const AnsiString& FileName,
                                    const AnsiString& SheetName) {
    const WorkbookPackage workbook = ReadWorkbookPackage(package, FileName);
    const std::string sheetPart = workbook.SheetPart(SheetNameText(SheetName), FileName);
    if (sheetPart.empty()) {
        if (SheetName.IsEmpty())
            throw EOfficeFileError(CorruptFileMessage(FileName));
        throw EOfficeFileError(SheetNotFoundMessage(SheetName));
    }
    const std::vector<AnsiString> sharedStrings =
        ReadSharedStrings(package, workbook.RelatedPart("sharedStrings"), FileName);
    const std::vector<bool> dateStyles = ReadDateStyles(package, workbook.RelatedPart("styles"), FileName);
    return ReadSheetCells(ReadPart(package, sheetPart, FileName),
                          {sharedStrings, dateStyles, workbook.Date1904}, FileName);
}
