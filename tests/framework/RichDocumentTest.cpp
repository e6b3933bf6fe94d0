#include "framework/RichDocument.h"
#include "framework/RichText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

namespace {

// The runs of a document with what sets each apart, paragraphs split by "|".
std::string Describe(const QTextDocument& doc) {
    std::string out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            out += "|";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment part = it.fragment();
            const QTextCharFormat f = part.charFormat();
            std::string marks;
            if (f.fontWeight() >= QFont::Bold)
                marks += " b";
            if (f.fontItalic())
                marks += " i";
            if (f.fontUnderline())
                marks += " u";
            if (f.fontStrikeOut())
                marks += " s";
            if (f.fontPointSize() != 12)
                marks += " " + std::to_string(f.fontPointSize()).substr(0, 4) + "pt";
            if (const QStringList families = f.fontFamilies().toStringList(); !families.isEmpty())
                marks += " " + families.first().toStdString();
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                marks += " fg" + f.foreground().color().name().toStdString();
            if (f.hasProperty(QTextFormat::BackgroundBrush))
                marks += " bg" + f.background().color().name().toStdString();
            if (f.baselineOffset() != 0)
                marks += " offset" + std::to_string(static_cast<int>(f.baselineOffset()));
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                marks += " super";
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                marks += " sub";
            QString text = part.text();
            text.replace(QChar::LineSeparator, "/");
            out += "[" + text.toStdString() + marks + "]";
        }
    }
    return out;
}

constexpr const char* Head = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fswiss Courier New;}}"
                             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\f0 ";

TEST(RichDocument, EachControlWordReadsWritesAndReadsAgainTheSame) {
    struct Row {
        const char* label;
        const char* body;
        const char* expected;
    } rows[] = {
        {"bold on and off", "a\\b b\\b0 c", "[a Arial][b b Arial][c Arial]"},
        {"italic", "\\i x\\i0", "[x i Arial]"},
        {"underline", "\\ul x\\ulnone y", "[x u Arial][y Arial]"},
        {"strike-out", "\\strike x", "[x s Arial]"},
        {"size in half points", "\\fs20 x", "[x 10.0pt Arial]"},
        {"font", "\\f1 x", "[x Courier New]"},
        {"colour", "\\cf1 x", "[x Arial fg#ff0000]"},
        {"highlight", "\\highlight2 x", "[x Arial bg#0000ff]"},
        {"raised 2 points of 12", "\\up4 x", "[x Arial offset16]"},
        {"lowered", "\\dn4 x", "[x Arial offset-16]"},
        {"superscript", "\\super x\\nosupersub y", "[x Arial super][y Arial]"},
        {"subscript", "\\sub x", "[x Arial sub]"},
        {"paragraphs, a closing one adds none", "a\\par b\\par", "[a Arial]|[b Arial]"},
        {"line break and tab", "a\\line b\\tab c", "[a/b\tc Arial]"},
        {"Windows-1252 byte", "caf\\'e9 \\'80", "[caf\xC3\xA9 \xE2\x82\xAC Arial]"},
        {"unicode with one stand-in", "\\u8364?x", "[\xE2\x82\xACx Arial]"},
        {"unicode with two stand-ins", "\\uc2\\u945 ab!", "[\xCE\xB1! Arial]"},
        {"a character beyond the first plane", "\\u-10179?\\u-8704?", "[\xF0\x9F\x98\x80 Arial]"},
        {"starred destination and unknown word skipped", "{\\*\\generator Me;}\\foo12 x", "[x Arial]"},
        {"escaped braces and backslash", "\\{\\}\\\\", "[{}\\ Arial]"},
        {"groups restore the formatting", "{\\b x}y", "[x b Arial][y Arial]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        QTextDocument doc;
        RtfToDocument(std::string(Head) + row.body + "}", doc);
        EXPECT_EQ(Describe(doc), row.expected);
        const std::string written = DocumentToRtf(doc);
        QTextDocument again;
        RtfToDocument(written, again);
        EXPECT_EQ(Describe(again), row.expected) << written;
        EXPECT_EQ(RtfToPlainText(written), RtfToPlainText(std::string(Head) + row.body + "}"));
    }
}

// A ';' in a font name is written as the hex escape every RTF reader takes, not a control symbol.
TEST(RichDocument, SemicolonInFontNameWrittenAsHexEscape) {
    QTextDocument doc;
    QTextCharFormat format;
    format.setFontFamilies({QString("A;B")});
    QTextCursor(&doc).insertText("x", format);
    const std::string written = DocumentToRtf(doc);
    EXPECT_NE(written.find(" A\\'3bB;"), std::string::npos) << written;
    EXPECT_EQ(written.find("\\;"), std::string::npos) << written;
}

// Names a font table could not hold as they stand, and a byte order mark inside the text.
TEST(RichDocument, FontNamesAndEveryCharacterReadBackAsWritten) {
    const char* names[] = {"Z\xC3\xBCrich Sans",    "A;B",       "back\\slash", "{braced}", "\xCE\xA9mega",
                           "\xF0\x9F\x98\x80 face", "tab\tstop", "bell\x07"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        QTextDocument doc;
        QTextCharFormat format;
        format.setFontFamilies({QString::fromUtf8(name)});
        format.setFontPointSize(12);
        QTextCursor(&doc).insertText("x", format);
        const std::string written = DocumentToRtf(doc);
        QTextDocument again;
        RtfToDocument(written, again);
        EXPECT_EQ(Describe(again), std::string("[x ") + name + "]") << written;
    }
    struct Row {
        const char* label;
        const char* body;
        const char* text;
    } rows[] = {
        {"a mark first", "\\u65279?a",
         "\xEF\xBB\xBF"
         "a"},
        {"a mark after a change of format", "a{\\b \\u-257?b}",
         "a\xEF\xBB\xBF"
         "b"},
        {"a control character", "a\\'01b",
         "a\x01"
         "b"},
        {"a Windows-1252 byte closing a group", "{caf\xE9}", "caf\xC3\xA9"},
        {"a NUL, which is written as nothing", "a\\'00b", "ab"},
        {"a mark as UTF-8 bytes",
         "\xEF\xBB\xBF"
         "a",
         "\xEF\xBB\xBF"
         "a"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        QTextDocument doc;
        RtfToDocument(std::string(Head) + row.body + "}", doc);
        EXPECT_EQ(doc.toPlainText().toStdString(), row.text);
        QTextDocument again;
        RtfToDocument(DocumentToRtf(doc), again);
        EXPECT_EQ(again.toPlainText().toStdString(), row.text);
    }
}

// A font name in a character set of its own reads in that set's code page, as its text does.
TEST(RichDocument, AFontNameReadsInItsCharacterSet) {
    QTextDocument doc;
    RtfToDocument("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 \\'cf\\'f0\\'e8\xEC\xE5\xF0;}}"
                  "\\f1 \\'e9}",
                  doc);
    const char* name = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80";
    EXPECT_EQ(Describe(doc), std::string("[\xD0\xB9 ") + name + "]");
    QTextDocument again;
    RtfToDocument(DocumentToRtf(doc), again);
    EXPECT_EQ(Describe(again), Describe(doc));
}

TEST(RichDocument, PlainTextGoesInAsItStands) {
    QTextDocument doc;
    RtfToDocument("not {\\rtf", doc);
    EXPECT_EQ(doc.toPlainText().toStdString(), "not {\\rtf");
    RtfToDocument("\xEF\xBB\xBF"
                  "a",
                  doc);
    EXPECT_EQ(doc.toPlainText().toStdString(), "\xEF\xBB\xBF"
                                               "a");
}

// Truncated, unbalanced and random texts read without failing, for a few seconds.
TEST(RichDocument, DamagedTextsNeverFail) {
    const std::string sample =
        std::string(Head) + "{\\b bold}\\par \\'e9\\u8364?{\\*\\x y}\\up4 up\\dn4\\fs30\\cf2 end\\par}";
    for (std::size_t cut = 0; cut <= sample.size(); ++cut) {
        QTextDocument doc;
        RtfToDocument(sample.substr(0, cut), doc);
        RtfToDocument(sample.substr(cut), doc);
    }
    const std::string pieces[] = {"{",
                                  "}",
                                  "\\",
                                  "\\b",
                                  "\\u",
                                  "\\u-",
                                  "\\'",
                                  "\\'z",
                                  "\\uc9",
                                  "\\fs",
                                  "\\fs-5",
                                  "\\cf99",
                                  "\\f7",
                                  "\\par",
                                  "\\line",
                                  "x",
                                  " ",
                                  "\\*",
                                  "\\bin3",
                                  "{\\fonttbl",
                                  "{\\colortbl;",
                                  "\\red300",
                                  "\\up99999999999",
                                  "\\dn"};
    std::mt19937 random(20241207);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
        std::string text = "{\\rtf1";
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        QTextDocument doc;
        RtfToDocument(text, doc);
        QTextDocument again;
        RtfToDocument(DocumentToRtf(doc), again);
        ASSERT_EQ(again.toPlainText(), doc.toPlainText()) << text;
    }
}

} // namespace
