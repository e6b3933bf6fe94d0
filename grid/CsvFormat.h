#pragma once

#include "grid/FieldTable.h"

#include <string>
#include <string_view>

// The grid's delimited text: one record per line, fields split by a separator character, a field
// in double quotes when it holds the separator or a line break.

// The separator that the first two records agree on, each read as ReadCsv reads it with that
// separator (so quoted separators and line breaks do not count): the first of ",", ";", "#", TAB
// and "|" that splits both records as often as the other and more often than any earlier one.
// A text of one record only needs one separator. 0 when none qualifies.
char DetectCsvDelimiter(std::string_view text);

// What a reader hands the fields of a text to, record by record. A field is good only for the
// length of the call.
class CsvSink {
public:
    virtual ~CsvSink() = default;
    virtual void Field(std::string_view field) = 0;
    virtual void EndRecord() = 0;
};

// The records of a text, field by field, to a sink. A record ends at CR LF, LF or CR. A field that begins
// with a double quote runs to a double quote followed by the separator, a line end or the end of the text;
// inside it two double quotes are one and line breaks stay as they are. A quoted field still open at the end
// of the text is taken as it stands up to its separator, and from there on no field spans lines. Other fields
// keep every character. An empty field after the last separator of a line is no field. Separator 0 makes each
// record one field. With TildeLineBreaks every "~" becomes CR LF.
void ReadCsv(std::string_view text, char Separator, bool TildeLineBreaks, CsvSink& sink);

struct CsvShape {
    int Records = 0;
    int MaxFields = 0;
};
// How many records the text has, and the most fields in one.
CsvShape MeasureCsv(std::string_view text, char Separator);

// All records at once; the table's fields may view text, which must outlive it.
FieldTable ReadCsvRecords(std::string_view text, char Separator, bool TildeLineBreaks);

struct CsvWriteOptions {
    char Separator = ',';
    bool QuoteEmptyFields = true;
    bool QuoteAllFields = false;
    bool TildeLineBreaks = false;
};

// Appends one field as the writer writes it. An empty field is "^" with TildeLineBreaks, else two
// double quotes with QuoteEmptyFields or QuoteAllFields. Line breaks become "~" with
// TildeLineBreaks; otherwise a field with a line break is quoted, its line breaks kept. A field
// is also quoted when it holds the separator or begins with a double quote, or with
// QuoteAllFields; quoting doubles the double quotes inside.
void AppendCsvField(std::string& out, std::string_view text, const CsvWriteOptions& options);
