#include "framework/RichEdit.h"
#include "framework/RichDocument.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Each run of the edit: its text, its half points raised and its baseline offset in per cent.
struct TextRun {
    std::string Text;
    int Raised;
    double Offset;
};

std::vector<TextRun> Runs(const QTextDocument& doc) {
    std::vector<TextRun> runs;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            runs.push_back({it.fragment().text().toStdString(), RaisedBy(format), format.baselineOffset()});
        }
    return runs;
}

int Count(const std::string& text, const std::string& word) {
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

TEST(RichEdit, RaisingTheSelectionKeepsItsTwipsAndShowsThemInEachRunsSize) {
    struct Row {
        const char* label;
        int twips;
        // "\up" or "\dn" words written, and the offsets of the 10- and 20-point runs:
        // 4 half points are 2 points, 20 % of 10 points and 10 % of 20.
        int up;
        int down;
        double small;
        double large;
    } rows[] = {
        {"raised 40 twips", 40, 1, 0, 20, 10},
        {"lowered 40 twips", -40, 0, 1, -20, -10},
        {"back on the baseline", 0, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TRichEdit edit(nullptr);
        edit.SetRichText("{\\rtf1\\ansi\\fs20 ab\\fs40 cd\\par}");
        edit.SelectAll();
        edit.SetSelOffset(row.twips);
        EXPECT_EQ(edit.GetSelOffset(), row.twips);
        EXPECT_TRUE(edit.GetModified());
        const std::vector<TextRun> runs = Runs(edit.Document());
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].Text, "ab");
        EXPECT_EQ(runs[0].Raised, row.twips / 10);
        EXPECT_DOUBLE_EQ(runs[0].Offset, row.small);
        EXPECT_EQ(runs[1].Raised, row.twips / 10);
        EXPECT_DOUBLE_EQ(runs[1].Offset, row.large);
        // Written once for both runs, and read back the same.
        const std::string rtf = edit.GetRichText();
        EXPECT_EQ(Count(rtf, "\\up4"), row.up) << rtf;
        EXPECT_EQ(Count(rtf, "\\dn4"), row.down) << rtf;
        TRichEdit again(nullptr);
        again.SetRichText(rtf);
        EXPECT_EQ(Runs(again.Document())[1].Raised, row.twips / 10);
        EXPECT_FALSE(again.GetModified());
    }
}

// Formatting a run merges it with its neighbour: the runs are found before any is formatted.
TEST(RichEdit, OffsetOfASelectionWhoseRunsMerge) {
    struct Row {
        const char* label;
        const char* rtf;
        int twips;
        const char* runs;
    } rows[] = {
        {"raised run brought back", "{\\rtf1 a{\\up4 b}}", 0, "ab:0"},
        {"plain run raised to its neighbour", "{\\rtf1 a{\\up4 b}}", 40, "ab:4"},
        {"three runs, the middle one apart", "{\\rtf1 a{\\dn2 b}c}", 0, "abc:0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TRichEdit edit(nullptr);
        edit.SetRichText(row.rtf);
        edit.SelectAll();
        edit.SetSelOffset(row.twips);
        std::string runs;
        for (const TextRun& run : Runs(edit.Document()))
            runs += (runs.empty() ? "" : " ") + run.Text + ":" + std::to_string(run.Raised);
        EXPECT_EQ(runs, row.runs);
    }
}

TEST(RichEdit, StyleSetsTheSelectionOrWhatIsTypedNext) {
    TRichEdit edit(nullptr);
    edit.SetRichText("abcd");
    edit.SetSelection(1, 3);
    EXPECT_EQ(edit.GetSelStyle(), 0u);
    edit.SetSelStyle(fsBold | fsItalic);
    EXPECT_EQ(edit.GetSelStyle(), static_cast<unsigned>(fsBold | fsItalic));
    // Without a selection the style is the one the next character takes: the one before.
    edit.SetSelection(3, 3);
    EXPECT_EQ(edit.GetSelStyle(), static_cast<unsigned>(fsBold | fsItalic));
    edit.SetSelection(4, 4);
    EXPECT_EQ(edit.GetSelStyle(), 0u);
    edit.SetSelStyle(fsUnderline);
    EXPECT_EQ(edit.GetSelStyle(), static_cast<unsigned>(fsUnderline));
    const std::string rtf = edit.GetRichText();
    EXPECT_NE(rtf.find("a\\b\\i bc\\b0\\i0 d"), std::string::npos) << rtf;
}

TEST(RichEdit, AnEmptyEditWritesNothingAndAPlainTextReadsAsItStands) {
    TRichEdit edit(nullptr);
    EXPECT_EQ(edit.GetRichText(), "");
    edit.SetRichText("plain {text}");
    EXPECT_EQ(edit.GetTextLen(), 12);
    EXPECT_FALSE(edit.GetModified());
    TRichEdit again(nullptr);
    again.SetRichText(edit.GetRichText());
    EXPECT_EQ(again.Document().toPlainText().toStdString(), "plain {text}");
    edit.Clear();
    EXPECT_TRUE(edit.IsEmpty());
    EXPECT_EQ(edit.GetRichText(), "");
}

TEST(RichEdit, ItAsksForTheHeightItsParagraphsNeedAtItsWidth) {
    TRichEdit edit(nullptr);
    std::vector<TRect> asked;
    edit.OnResizeRequest = [&](TObject* Sender, const TRect& Rect) {
        EXPECT_EQ(Sender, &edit);
        asked.push_back(Rect);
    };
    edit.SetBounds(0, 0, 100, 20);
    edit.SetTextInset(2);
    edit.SetRichText("one");
    ASSERT_FALSE(asked.empty());
    const TRect one = asked.back();
    edit.SetRichText("one\ntwo\nthree");
    const TRect three = asked.back();
    EXPECT_EQ(one.Width(), 100);
    EXPECT_EQ(three.Width(), 100);
    // Two more lines of the same height within the same 2-pixel margins.
    const int line = one.Height() - 4;
    EXPECT_GT(line, 5);
    EXPECT_NEAR(three.Height(), 4 + 3 * line, 1);
    // The same text again asks for nothing new.
    const std::size_t count = asked.size();
    edit.SetRichText("one\ntwo\nthree");
    EXPECT_EQ(asked.size(), count);
}

// How far the character at position moves the pen, in its own format.
double NextAdvance(QTextDocument& document, int position) {
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return QFontMetricsF(cursor.charFormat().font()).horizontalAdvance(document.characterAt(position));
}

// A word wider than the edit breaks where each line is full; words of a paragraph with blanks go
// to the next line whole, in a document that holds no such word.
TEST(RichEdit, ALongWordBreaksWhereTheLineIsFull) {
    // Runs of nine letters, every other one bold.
    std::string word;
    for (int run = 0; run < 200; ++run)
        word += run % 2 == 1 ? "{\\b mmmmmmmmm}" : "mmmmmmmmm";
    const std::string words = "pipe sewer manhole outfall gradient invert level cover depth flow";
    struct Row {
        const char* label;
        std::string rtf;
        int width;
        // Typed in after the text is read.
        int typed;
        bool blanks;
    } rows[] = {
        {"one word read in", "{\\rtf1\\ansi " + word + "}", 200, 0, false},
        {"one word in a narrow edit", "{\\rtf1\\ansi " + word + "}", 37, 0, false},
        {"one word typed", "{\\rtf1\\ansi m}", 200, 1800, false},
        {"words", std::string("{\\rtf1\\ansi ") + words + " " + words + "}", 120, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TRichEdit edit(nullptr);
        edit.SetBounds(0, 0, row.width, 100);
        edit.SetRichText(row.rtf);
        if (row.typed > 0) {
            QTextCursor cursor(&edit.Document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QString(row.typed, 'm'));
        }
        const QString text = edit.Document().begin().text();
        const QTextLayout& layout = *edit.Document().begin().layout();
        ASSERT_GT(layout.lineCount(), 2);
        for (int i = 0; i + 1 < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const int next = line.textStart() + line.textLength();
            EXPECT_LE(line.naturalTextWidth(), line.width());
            if (row.blanks)
                EXPECT_EQ(text[next - 1], ' ') << i;
            else
                EXPECT_GT(line.naturalTextWidth() + NextAdvance(edit.Document(), next), line.width()) << i;
        }
    }
}

// Every line of the paragraph but its last ends after a blank.
void ExpectBreaksAtBlanks(const QTextBlock& block) {
    const QTextLayout& layout = *block.layout();
    ASSERT_GT(layout.lineCount(), 2);
    for (int i = 0; i + 1 < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        EXPECT_EQ(block.text()[line.textStart() + line.textLength() - 1], ' ') << i;
    }
}

// Only a word wider than the line breaks inside it: a paragraph of words beside it breaks at
// blanks, while the long word is there and once it is gone.
TEST(RichEdit, OnlyAWordWiderThanTheLineBreaksInsideIt) {
    const std::string words = "pipe sewer manhole outfall gradient invert level cover depth flow";
    const auto beside = [&words](int length) {
        return "{\\rtf1\\ansi " + words + "\\par " + std::string(static_cast<std::size_t>(length), 'm') + "}";
    };
    struct Row {
        const char* label;
        std::function<void(TRichEdit&)> act;
        // The long word still there.
        bool longWord;
    } rows[] = {
        {"read in", [&](TRichEdit& edit) { edit.SetRichText(beside(1200)); }, true},
        {"typed in",
         [&](TRichEdit& edit) {
             edit.SetRichText("{\\rtf1\\ansi " + words + "}");
             QTextCursor cursor(&edit.Document());
             cursor.movePosition(QTextCursor::End);
             cursor.insertBlock();
             cursor.insertText(QString(1200, 'm'));
         },
         true},
        {"a word too long to lay out at blanks deleted",
         [&](TRichEdit& edit) {
             edit.SetRichText(beside(12000));
             QTextCursor cursor(&edit.Document());
             cursor.setPosition(edit.Document().begin().length() - 1);
             cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
             cursor.removeSelectedText();
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TRichEdit edit(nullptr);
        edit.SetBounds(0, 0, 120, 100);
        row.act(edit);
        ASSERT_EQ(edit.Document().blockCount(), row.longWord ? 2 : 1);
        ExpectBreaksAtBlanks(edit.Document().begin());
        if (row.longWord) {
            // The word's lines are full.
            const QTextBlock word = edit.Document().lastBlock();
            const QTextLayout& layout = *word.layout();
            ASSERT_GT(layout.lineCount(), 2);
            for (int i = 0; i + 1 < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                EXPECT_GT(
                    line.naturalTextWidth() +
                        NextAdvance(edit.Document(), word.position() + line.textStart() + line.textLength()),
                    line.width())
                    << i;
            }
        }
    }
}

} // namespace
