#include "grid/ClipboardFormat.h"

#include "grid/CsvFormat.h"
#include "grid/TextLines.h"

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

bool EndsField(std::string_view text, std::size_t i) {
    return i == text.size() || text[i] == '\t' || IsLineBreak(text[i]);
}

class ClipboardReader {
public:
    ClipboardReader(std::string_view text, bool multiLineQuoting) : text(text), quoting(multiLineQuoting) {}

    ClipboardFields Read() {
        ClipboardFields fields;
        while (at < text.size()) {
            AddField(fields.Rows);
            ++fields.Count;
            if (at < text.size() && text[at] == '\t') {
                ++at;
            } else {
                at += LineBreakAt(text, at);
                fields.Rows.EndRow();
                continue;
            }
            if (at == text.size()) {
                fields.Rows.EndRow();
                break;
            }
        }
        // The empty field after a last TAB or line break is counted, never stored.
        fields.Count += !text.empty() && (text.back() == '\t' || IsLineBreak(text.back()));
        return fields;
    }

private:
    void AddField(FieldTable& rows) {
        if (quoting && text[at] == '"') {
            std::string quoted;
            if (Quoted(quoted)) {
                rows.AddOwnedField(std::move(quoted));
                return;
            }
        }
        const std::size_t start = at;
        while (!EndsField(text, at))
            ++at;
        rows.AddField(text.substr(start, at - start));
    }

    // A field in quotes as a copy writes it; false, nothing taken, for any other.
    bool Quoted(std::string& field) {
        if (noClosingQuote)
            return false;
        for (std::size_t i = at + 1; i < text.size(); ++i) {
            if (text[i] != '"') {
                field += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (EndsField(text, i + 1)) {
                at = i + 1;
                return true;
            } else {
                // A lone quote inside: the text was not quoted by a copy.
                return false;
            }
        }
        // Open to the end: later fields are taken as they stand, so no text is read twice over.
        noClosingQuote = true;
        return false;
    }

    std::string_view text;
    bool quoting;
    std::size_t at = 0;
    bool noClosingQuote = false;
};

} // namespace

void AppendClipboardCell(std::string& out, std::string_view cell, bool MultiLineQuoting) {
    if (!MultiLineQuoting) {
        out += cell;
        return;
    }
    CsvWriteOptions options;
    options.Separator = '\t';
    options.QuoteEmptyFields = false;
    AppendCsvField(out, cell, options);
}

ClipboardFields ReadClipboardText(std::string_view text, bool MultiLineQuoting) {
    return ClipboardReader(text, MultiLineQuoting).Read();
}
