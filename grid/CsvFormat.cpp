#include "grid/CsvFormat.h"

#include "grid/Gridutil.h"
#include "grid/TextLines.h"

#include <algorithm>

namespace {

constexpr char Quote = '"';

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

class CsvReader {
public:
    CsvReader(std::string_view text, char separator, bool tildeLineBreaks, CsvSink& sink)
        : text(text), separator(separator), tildeLineBreaks(tildeLineBreaks), sink(sink) {}

    void Read() {
        while (!AtEnd())
            ReadRecord();
    }

    bool AtEnd() const { return at >= text.size(); }

    // One record to the sink; the separators between its fields.
    int ReadRecord() {
        int separators = 0;
        for (;; ++separators) {
            const std::size_t start = at;
            std::string quoted;
            const bool isQuoted = at < text.size() && text[at] == Quote && ReadQuoted(quoted);
            const std::string_view plain = isQuoted ? std::string_view() : ReadPlain();
            const bool separated = at < text.size() && IsSeparator(text[at]);
            if (separated || at > start) {
                if (isQuoted)
                    Store(std::move(quoted));
                else
                    Store(plain);
            }
            if (!separated)
                break;
            ++at;
        }
        at += LineBreakAt(text, at);
        sink.EndRecord();
        return separators;
    }

private:
    bool IsSeparator(char c) const { return separator != 0 && c == separator; }

    // From the opening quote to the closing one; false when the field does not close.
    bool ReadQuoted(std::string& field) {
        std::size_t j = at + 1;
        while (j < text.size()) {
            const std::size_t special = FindAnyOf(text, j, Quote, '\r', '\n');
            field.append(text.substr(j, special - j));
            j = special;
            if (j == text.size())
                break;
            if (text[j] != Quote) {
                if (!spanLines)
                    return false;
                field += text[j++];
            } else if (j + 1 < text.size() && text[j + 1] == Quote) {
                field += Quote;
                j += 2;
            } else if (j + 1 == text.size() || IsSeparator(text[j + 1]) || IsLineBreak(text[j + 1])) {
                at = j + 1;
                return true;
            } else {
                field += Quote;
                ++j;
            }
        }
        // Open to the end: from here on a quote cannot swallow the rows that follow.
        spanLines = false;
        return false;
    }

    std::string_view ReadPlain() {
        const std::size_t end = FindAnyOf(text, at, '\r', '\n', separator != 0 ? separator : '\n');
        const std::string_view field = text.substr(at, end - at);
        at = end;
        return field;
    }

    void Store(std::string_view field) {
        if (tildeLineBreaks && field.find('~') != std::string_view::npos)
            Store(std::string(field));
        else
            sink.Field(field);
    }

    void Store(std::string field) {
        if (!tildeLineBreaks) {
            sink.Field(field);
            return;
        }
        AnsiString lines(std::move(field));
        JavaToLineFeeds(lines);
        sink.Field(lines.view());
    }

    std::string_view text;
    char separator;
    bool tildeLineBreaks;
    std::size_t at = 0;
    bool spanLines = true;
    CsvSink& sink;
};

// Takes the fields to nowhere: only how the records split matters.
class IgnoringSink : public CsvSink {
public:
    void Field(std::string_view) override {}
    void EndRecord() override {}
};

// Counts records and fields, keeping nothing.
class ShapeSink : public CsvSink {
public:
    void Field(std::string_view) override { ++fields; }
    void EndRecord() override {
        ++shape.Records;
        shape.MaxFields = std::max(shape.MaxFields, fields);
        fields = 0;
    }

    CsvShape shape;

private:
    int fields = 0;
};

// Keeps every field: a view into the text where it stands there, else a copy.
class TableSink : public CsvSink {
public:
    explicit TableSink(std::string_view text) : text(text) {}
    void Field(std::string_view field) override {
        if (field.data() >= text.data() && field.data() + field.size() <= text.data() + text.size())
            table.AddField(field);
        else
            table.AddOwnedField(std::string(field));
    }
    void EndRecord() override { table.EndRow(); }

    FieldTable table;

private:
    std::string_view text;
};

} // namespace

char DetectCsvDelimiter(std::string_view text) {
    char chosen = 0;
    int best = 0;
    for (const char candidate : {',', ';', '#', '\t', '|'}) {
        IgnoringSink ignore;
        CsvReader reader(text, candidate, false, ignore);
        const int first = reader.ReadRecord();
        if (first > best && (reader.AtEnd() || reader.ReadRecord() == first)) {
            chosen = candidate;
            best = first;
        }
    }
    return chosen;
}

void ReadCsv(std::string_view text, char Separator, bool TildeLineBreaks, CsvSink& sink) {
    CsvReader(text, Separator, TildeLineBreaks, sink).Read();
}

CsvShape MeasureCsv(std::string_view text, char Separator) {
    ShapeSink sink;
    ReadCsv(text, Separator, false, sink);
    return sink.shape;
}

FieldTable ReadCsvRecords(std::string_view text, char Separator, bool TildeLineBreaks) {
    TableSink sink(text);
    ReadCsv(text, Separator, TildeLineBreaks, sink);
    return std::move(sink.table);
}

void AppendCsvField(std::string& out, std::string_view text, const CsvWriteOptions& options) {
    if (text.empty()) {
        if (options.QuoteAllFields)
            out += "\"\"";
        else if (options.TildeLineBreaks)
            out += '^';
        else if (options.QuoteEmptyFields)
            out += "\"\"";
        return;
    }
    // One scan finds the ordinary field; only the others are looked at again.
    const bool special = FindAnyOf(text, 0, '\r', '\n', options.Separator) < text.size();
    const bool hasBreak = special && FindAnyOf(text, 0, '\r', '\n', '\n') < text.size();
    AnsiString converted;
    if (hasBreak && options.TildeLineBreaks) {
        converted = AnsiString(text);
        LineFeedsToJava(converted);
        text = converted.view();
    }
    // Decided on the text as written: a line feed dropped may leave a quote in front.
    const bool quoted = options.QuoteAllFields || (!text.empty() && text.front() == Quote) ||
                        (special && text.find(options.Separator) != std::string_view::npos) ||
                        (hasBreak && !options.TildeLineBreaks);
    if (!quoted) {
        out += text;
        return;
    }
    out += Quote;
    for (const char c : text) {
        out += c;
        if (c == Quote)
            out += Quote;
    }
    out += Quote;
}
