#include "grid/SortCompare.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"

#include <QCollator>

#include <string>
#include <utility>

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

int Sign(double value) {
    return (value > 0) - (value < 0);
}

void DeleteFirst(AnsiString& text, const AnsiString& part) {
    if (const int at = part.IsEmpty() ? 0 : text.Pos(part))
        text.Delete(at, part.Length());
}

double ShortDateOrZero(const AnsiString& text, bool monthFirst) {
    try {
        return monthFirst ? StrToShortdateUS(text) : StrToShortDateEU(text);
    } catch (const EConvertError&) {
        return 0;
    }
}

QCollatorSortKey Collated(const AnsiString& text, bool caseSensitive) {
    // One collator per case rule: making one reads the locale.
    static QCollator withCase = [] {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseSensitive);
        return collator;
    }();
    static QCollator withoutCase = [] {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        return collator;
    }();
    return (caseSensitive ? withCase : withoutCase).sortKey(QString::fromStdString(text.str()));
}

} // namespace

TSortStyle AutomaticStyle(const AnsiString& text) {
    if (IsType(text) < 2)
        return ssNumeric;
    const int p = text.Pos("/");
    if (p > 1 && p < 4 && p < text.Length() && IsAsciiDigit(text[p - 1]) && IsAsciiDigit(text[p + 1]))
        return ssDate;
    return ssAlphabetic;
}

TSortKey MakeSortKey(TSortStyle style, AnsiString text, const AnsiString& prefix, const AnsiString& suffix) {
    TSortKey key;
    key.Empty = text.IsEmpty();
    switch (style) {
    case ssNumeric:
    case ssFinancial: {
        AnsiString plain = text;
        DeleteFirst(plain, prefix);
        DeleteFirst(plain, suffix);
        if (style == ssFinancial) {
            std::string digits = plain.str();
            std::erase(digits, ThousandSeparator);
            plain = AnsiString(digits);
        }
        key.IsNumber = TryStrToFloat(plain, key.Number) || key.Empty;
        if (!key.IsNumber || key.Empty)
            key.Number = 0;
        break;
    }
    case ssDate: {
        TDateTime date = 0;
        key.Number = TryStrToDateTime(text, date) ? date : 0;
        break;
    }
    case ssShortDateEU:
    case ssShortDateUS:
        key.Number = ShortDateOrZero(text, style == ssShortDateUS);
        break;
    case ssAlphaNoCase:
        key.Text = text.UpperCase();
        break;
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase:
        key.Collated = Collated(text, style == ssAnsiAlphaCase);
        break;
    default:
        key.Text = std::move(text);
        break;
    }
    return key;
}

int CompareSortKeys(TSortStyle style, const TSortKey& a, const TSortKey& b) {
    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAlphaNoCase:
    case ssHTML:
        return Sign(a.Text.view().compare(b.Text.view()));
    case ssNumeric:
    case ssFinancial:
        return a.IsNumber && b.IsNumber ? Sign(a.Number - b.Number) : 0;
    case ssDate:
    case ssShortDateEU:
    case ssShortDateUS:
    case ssImages:
        return Sign(a.Number - b.Number);
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase:
        return Sign(a.Collated->compare(*b.Collated));
    default:
        return 1;
    }
}

int PlaceBlanks(bool emptyA, bool emptyB, const TSortPlacement& placement) {
    if (!placement.IgnoreBlanks || emptyA == emptyB)
        return 0;
    return emptyA == placement.BlanksLast ? 1 : -1;
}

int PlaceSortKeys(TSortStyle style, const TSortKey& a, const TSortKey& b, const TSortPlacement& placement,
                  int compared) {
    if (const int blanks = PlaceBlanks(a.Empty, b.Empty, placement))
        return blanks;
    if (IsNumericStyle(style) && a.IsNumber != b.IsNumber)
        return a.IsNumber ? -1 : 1;
    return placement.Descending ? -compared : compared;
}
