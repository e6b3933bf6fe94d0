#include "grid/ClipboardFormat.h"

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

    // A field in quotes spanning lines; false, nothing taken, for any other.
    bool Quoted(std::string& field) {
        if (noClosingQuote)
            return false;
        bool spansLines = false;
        std::size_t close = at + 1;
        for (; close < text.size(); ++close) {
            if (text[close] == '"' && EndsField(text, close + 1))
                break;
            spansLines |= IsLineBreak(text[close]);
        }
        // No quote closes a field further on either.
        noClosingQuote = close >= text.size();
        if (noClosingQuote || !spansLines)
            return false;
        for (std::size_t i = at + 1; i < close;) {
            if (const std::size_t lineBreak = LineBreakAt(text, i)) {
                field += "\r\n";
                i += lineBreak;
            } else {
                field += text[i++];
            }
        }
        at = close + 1;
        return true;
    }

    std::string_view text;
    bool quoting;
    std::size_t at = 0;
    bool noClosingQuote = false;
};

} // namespace

ClipboardFields ReadClipboardText(std::string_view text, bool MultiLineQuoting) {
    return ClipboardReader(text, MultiLineQuoting).Read();
}
