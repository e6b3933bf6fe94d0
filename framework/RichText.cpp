#include "framework/RichText.h"

#include "framework/RtfParser.h"

#include <string>

namespace {

// What a rich edit control shows of rich text as plain text.
class PlainSink : public RtfSink {
public:
    void Text(std::string_view text, const RtfFormat&) override { out += text; }
    void LineBreak(const RtfFormat&) override { out += "\r\n"; }
    void ParagraphBreak(const RtfFormat&) override { out += "\r\n"; }

    std::string out;
};

} // namespace

AnsiString RtfToPlainText(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf"))
        return AnsiString(rtf);
    RtfParser parser(rtf);
    PlainSink sink;
    parser.Parse(sink);
    if (sink.out.ends_with("\r\n"))
        sink.out.resize(sink.out.size() - 2);
    return sink.out;
}
