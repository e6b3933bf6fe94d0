#include "framework/RichDocument.h"

#include "framework/RtfParser.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

// The half points a run is raised by ("\up", negative for "\dn"), kept exactly beside the
// baseline offset that shows it.
constexpr int OffsetProperty = QTextFormat::UserProperty + 1;

// Every character of text, a byte order mark at its start too.
QString FromUtf8(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

// The text of each run goes in at once: a document lays its paragraph out again on every
// insertion.
class DocumentSink : public RtfSink {
public:
    DocumentSink(QTextDocument& doc, const RtfParser& parser) : cursor(&doc), parser(parser) {
        cursor.beginEditBlock();
    }
    // The text still held goes in, and the document is laid out once.
    void Finish() {
        Flush();
        cursor.endEditBlock();
    }

    void Text(std::string_view text, const RtfFormat& format) override {
        Open();
        if (format != pendingFormat)
            Flush();
        pendingFormat = format;
        pending += text;
    }
    void LineBreak(const RtfFormat& format) override { Text("\u2028", format); }
    // The break waits for what follows, so that a closing "\par" leaves no empty paragraph.
    void ParagraphBreak(const RtfFormat&) override {
        if (std::exchange(paragraphPending, true)) {
            Flush();
            cursor.insertBlock();
        }
    }

private:
    void Open() {
        if (std::exchange(paragraphPending, false)) {
            Flush();
            cursor.insertBlock();
        }
    }

    void Flush() {
        if (pending.empty())
            return;
        cursor.insertText(FromUtf8(pending), CharFormat(pendingFormat));
        pending.clear();
    }

    QTextCharFormat CharFormat(const RtfFormat& format) const {
        QTextCharFormat result;
        result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
        result.setFontItalic(format.Italic);
        result.setFontUnderline(format.Underline);
        result.setFontStrikeOut(format.StrikeOut);
        const double points = format.Size / 2.0;
        result.setFontPointSize(points);
        for (const auto& [number, name] : parser.Fonts)
            if (number == format.Font) {
                result.setFontFamilies({QString::fromStdString(name)});
                break;
            }
        const auto color = [this](int index) {
            const RtfColor& c = parser.Colors[static_cast<std::size_t>(index)];
            return QColor(c.Red, c.Green, c.Blue);
        };
        const int colors = static_cast<int>(parser.Colors.size());
        if (format.Color > 0 && format.Color < colors)
            result.setForeground(color(format.Color));
        if (format.Highlight > 0 && format.Highlight < colors)
            result.setBackground(color(format.Highlight));
        if (format.Offset != 0)
            SetRaisedBy(result, format.Offset, points);
        if (format.Script != 0)
            result.setVerticalAlignment(format.Script > 0 ? QTextCharFormat::AlignSuperScript
                                                          : QTextCharFormat::AlignSubScript);
        return result;
    }

    QTextCursor cursor;
    const RtfParser& parser;
    bool paragraphPending = false;
    std::string pending;
    RtfFormat pendingFormat;
};

// The tables of the document's fonts and colours, in order of first use.
struct Tables {
    std::vector<QString> Fonts;
    std::vector<QColor> Colors;

    int Font(const QString& name) {
        const auto at = std::find(Fonts.begin(), Fonts.end(), name);
        if (at != Fonts.end())
            return static_cast<int>(at - Fonts.begin());
        Fonts.push_back(name);
        return static_cast<int>(Fonts.size()) - 1;
    }
    // Colour table index; 0 is the automatic colour.
    int Color(const QColor& color) {
        const auto at = std::find(Colors.begin(), Colors.end(), color);
        if (at != Colors.end())
            return static_cast<int>(at - Colors.begin()) + 1;
        Colors.push_back(color);
        return static_cast<int>(Colors.size());
    }
};

RtfFormat FormatOf(const QTextCharFormat& format, const QFont& defaultFont, Tables& tables) {
    RtfFormat result;
    result.Bold = format.fontWeight() >= QFont::Bold;
    result.Italic = format.fontItalic();
    result.Underline = format.fontUnderline();
    result.StrikeOut = format.fontStrikeOut();
    const double points = format.fontPointSize() > 0 ? format.fontPointSize() : defaultFont.pointSizeF();
    result.Size = points > 0 ? static_cast<int>(std::lround(points * 2)) : 24;
    const QStringList families = format.fontFamilies().toStringList();
    result.Font = tables.Font(families.isEmpty() ? defaultFont.family() : families.first());
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        result.Color = tables.Color(format.foreground().color());
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        result.Highlight = tables.Color(format.background().color());
    result.Offset = RaisedBy(format);
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        result.Script = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        result.Script = -1;
    return result;
}

// The control words that turn formatting from into to.
std::string FormatWords(const RtfFormat& from, const RtfFormat& to) {
    std::string words;
    const auto flag = [&](bool was, bool is, const char* on, const char* off) {
        if (was != is)
            words += is ? on : off;
    };
    flag(from.Bold, to.Bold, "\\b", "\\b0");
    flag(from.Italic, to.Italic, "\\i", "\\i0");
    flag(from.Underline, to.Underline, "\\ul", "\\ulnone");
    flag(from.StrikeOut, to.StrikeOut, "\\strike", "\\strike0");
    if (from.Size != to.Size)
        words += "\\fs" + std::to_string(to.Size);
    if (from.Font != to.Font)
        words += "\\f" + std::to_string(to.Font);
    if (from.Color != to.Color)
        words += "\\cf" + std::to_string(to.Color);
    if (from.Highlight != to.Highlight)
        words += "\\highlight" + std::to_string(to.Highlight);
    if (from.Offset != to.Offset)
        words += to.Offset >= 0 ? "\\up" + std::to_string(to.Offset) : "\\dn" + std::to_string(-to.Offset);
    if (from.Script != to.Script)
        words += to.Script > 0 ? "\\super" : to.Script < 0 ? "\\sub" : "\\nosupersub";
    if (!words.empty())
        words += ' ';
    return words;
}

// Text as the body or a font name holds it. A font name ends at a ';' and takes no control words
// (a "\\tab" there would be lost), so a ';' and a tab in it are bytes of the code page, as every
// control character is.
void AppendEscaped(std::string& out, const QString& text, bool fontName = false) {
    static const char digits[] = "0123456789abcdef";
    const auto hex = [&out](char32_t code) {
        out += "\\'";
        out += digits[code >> 4];
        out += digits[code & 0xF];
    };
    for (const char32_t code : text.toUcs4()) {
        if (code == '\\' || code == '{' || code == '}') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code == '\t' && !fontName) {
            out += "\\tab ";
        } else if (code == QChar::LineSeparator) {
            out += "\\line ";
        } else if (code == 0xA0) {
            out += "\\~";
        } else if ((code > 0 && code < 0x20) || (fontName && code == ';') || (code >= 0xA0 && code < 0x100)) {
            // Windows-1252 and Latin-1 agree below 0x80 and from 0xA0 to the end of the byte.
            hex(code);
        } else if (code >= 0x20 && code < 0x7F) {
            out += static_cast<char>(code);
        } else if (code >= 0x20) {
            const auto unit = [&out](char32_t half) {
                out +=
                    "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(half))) + "?";
            };
            if (code >= 0x10000) {
                unit(0xD800 + ((code - 0x10000) >> 10));
                unit(0xDC00 + ((code - 0x10000) & 0x3FF));
            } else {
                unit(code);
            }
        }
    }
}

constexpr int LongWord = 10000;

bool HoldsLongWord(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() <= LongWord)
            continue;
        int word = 0;
        for (const QChar c : block.text()) {
            word = c.isSpace() ? 0 : word + 1;
            if (word >= LongWord)
                return true;
        }
    }
    return false;
}

} // namespace

void SetRaisedBy(QTextCharFormat& format, int halfPoints, double points) {
    format.setProperty(OffsetProperty, halfPoints);
    // Half points as a share of the font's size.
    format.setBaselineOffset(points > 0 ? halfPoints * 0.5 / points * 100.0 : 0.0);
}

int RaisedBy(const QTextCharFormat& format) {
    return format.property(OffsetProperty).toInt();
}

void RtfToDocument(std::string_view rtf, QTextDocument& doc) {
    doc.clear();
    if (!rtf.starts_with("{\\rtf")) {
        doc.setPlainText(FromUtf8(rtf));
        return;
    }
    RtfParser parser(rtf);
    DocumentSink sink(doc, parser);
    parser.Parse(sink);
    sink.Finish();
}

std::string DocumentToRtf(const QTextDocument& doc) {
    Tables tables;
    tables.Font(doc.defaultFont().family());
    std::string body;
    RtfFormat current;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            body += "\\par\n";
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            const RtfFormat format = FormatOf(part.charFormat(), doc.defaultFont(), tables);
            body += FormatWords(current, format);
            current = format;
            AppendEscaped(body, part.text());
        }
    }
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < tables.Fonts.size(); ++i) {
        rtf += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendEscaped(rtf, tables.Fonts[i], true);
        rtf += ";}";
    }
    rtf += "}{\\colortbl ;";
    for (const QColor& color : tables.Colors)
        rtf += "\\red" + std::to_string(color.red()) + "\\green" + std::to_string(color.green()) + "\\blue" +
               std::to_string(color.blue()) + ";";
    rtf += "}\n\\pard\\plain " + body + "\\par\n}";
    return rtf;
}

QTextOption::WrapMode WrapModeOf(const QTextDocument& doc) {
    return HoldsLongWord(doc) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
}
