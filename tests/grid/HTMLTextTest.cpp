#include "grid/HTMLText.h"

#include "framework/Canvas.h"
#include "grid/Picturecontainer.h"
#include "tests/grid/HTMLPictures.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <limits>

namespace {

// A white 96-dpi image with a canvas on it, in a 10-point font.
struct Sheet {
    explicit Sheet(int width = 200, int height = 60, int dpi = 96)
        : image(width, height, QImage::Format_RGB32) {
        image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
        image.fill(Qt::white);
        canvas.SetImage(&image);
        canvas.Font.Size = 10;
        canvas.Font.Color = clBlack;
        canvas.Brush.Color = clWhite;
    }

    THTMLRenderResult Render(const AnsiString& text, THTMLRenderContext context = {}, int width = 0) {
        THTMLRenderResult result;
        RenderHTMLText(canvas, text, Rect(0, 0, width > 0 ? width : image.width(), image.height()), context,
                       result);
        return result;
    }

    THTMLRenderResult Measure(const AnsiString& text, int width = 0) {
        THTMLRenderContext context;
        context.Paint = false;
        return Render(text, context, width);
    }

    // Metrics of the application's font as Qt gives them on this image.
    QFontMetrics Metrics(int points, bool bold = false, bool italic = false) const {
        QFont font = QApplication::font();
        font.setPointSize(points);
        font.setBold(bold);
        font.setItalic(italic);
        return QFontMetrics(font, &image);
    }

    QRgb At(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

    // The columns where some pixel of the row band [top, bottom) is not white.
    std::pair<int, int> InkColumns(int top, int bottom) const {
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = top; y < bottom; ++y)
                if (At(x, y) != 0xFFFFFF) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return {first, last};
    }

    QImage image;
    TCanvas canvas;
};

TEST(HTMLText, Measured) {
    Sheet sheet;
    const QFontMetrics regular = sheet.Metrics(10);
    const QFontMetrics bold = sheet.Metrics(10, true);
    const int aaa = regular.horizontalAdvance("aaa");
    const int widerWord = std::max(aaa, regular.horizontalAdvance("bbb"));
    struct Row {
        const char* text;
        int width;
        int expectedWidth;
        int expectedHeight;
        int lines;
    } rows[] = {
        {"a<B>b</B>", 0, regular.horizontalAdvance("a") + bold.horizontalAdvance("b"), regular.height(), 1},
        {"a<BR>b", 0, regular.horizontalAdvance("a"), 2 * regular.height(), 2},
        {"<Z>xyz</Z>ab", 0, regular.horizontalAdvance("ab"), regular.height(), 1},
        {"<FONT SIZE=\"3\">x</FONT>", 0, sheet.Metrics(12).horizontalAdvance("x"), sheet.Metrics(12).height(),
         1},
        {"<FONT SIZE=\"9\">x</FONT>", 0, sheet.Metrics(9).horizontalAdvance("x"), sheet.Metrics(9).height(),
         1},
        {"<FONT SIZE=\"0\">x</FONT>", 0, sheet.Metrics(1).horizontalAdvance("x"), sheet.Metrics(1).height(),
         1},
        {"aaa bbb</B>", aaa + 2, widerWord, 2 * regular.height(), 2},
        {"&lt;B&gt;x", 0, regular.horizontalAdvance("<B>x"), regular.height(), 1},
        // Runs measured each as a whole: kerned pairs, ligatures, letters beyond ASCII.
        {"Pipe <B>S12</B> runs <I>5 m</I>", 0,
         regular.horizontalAdvance("Pipe ") + bold.horizontalAdvance("S12") +
             regular.horizontalAdvance(" runs ") + sheet.Metrics(10, false, true).horizontalAdvance("5 m"),
         regular.height(), 1},
        {"AV To<B>Wa</B>ffle café", 0,
         regular.horizontalAdvance("AV To") + bold.horizontalAdvance("Wa") +
             regular.horizontalAdvance("ffle café"),
         regular.height(), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const THTMLRenderResult result = sheet.Measure(row.text, row.width);
        EXPECT_EQ(result.Size.x, row.expectedWidth);
        EXPECT_EQ(result.Size.y, row.expectedHeight);
        EXPECT_EQ(result.Lines, row.lines);
    }
}

// Words go to the next line whole at their blanks; a word wider than the line stands alone on
// its own line; lines are as wide as their words.
TEST(HTMLText, WordsWrappedAtBlanks) {
    Sheet sheet;
    const QFontMetrics regular = sheet.Metrics(10);
    const QFontMetrics bold = sheet.Metrics(10, true);
    auto w = [&regular](const char* text) { return regular.horizontalAdvance(QString::fromUtf8(text)); };
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += i == 0 ? "a" : " a";
    struct Row {
        std::string text;
        int width;
        int lines;
        int expectedWidth;
    } rows[] = {
        {"aa bb cc", w("aa bb"), 2, w("aa bb")},
        {"aa bb cc", w("aa bb") - 1, 2, std::max(w("aa"), w("bb cc"))},
        {"aa bb cc", 1, 3, std::max({w("aa"), w("bb"), w("cc")})},
        // The blanks where a line breaks are left out of both lines.
        {"aa   bb", w("aa"), 2, std::max(w("aa"), w("bb"))},
        {"a<B>bbbbbbbb</B>", w("a") + 2, 2, std::max(w("a"), bold.horizontalAdvance("bbbbbbbb"))},
        {"a <B>bbbbbbbb cc</B>", w("a") + 2, 3, bold.horizontalAdvance("bbbbbbbb")},
        {"café olé", w("café"), 2, std::max(w("café"), w("olé"))},
        {"Wa To AV", w("Wa To"), 2, w("Wa To")},
        {hundred, 1, 100, w("a")},
        {hundred, w("a a a a a"), 20, w("a a a a a")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " in " + std::to_string(row.width));
        const THTMLRenderResult result = sheet.Measure(row.text, row.width);
        EXPECT_EQ(result.Lines, row.lines);
        EXPECT_EQ(result.Size.x, row.expectedWidth);
        EXPECT_EQ(result.Size.y, row.lines * regular.height());
    }
}

// The pen moves to an indent, left or right, and never past the line's end, however large the
// number.
TEST(HTMLText, IndentsMoveThePenWithinTheLine) {
    Sheet sheet;
    const QFontMetrics regular = sheet.Metrics(10);
    const int a = regular.horizontalAdvance("a");
    const int aaaa = regular.horizontalAdvance("aaaaaaaa");
    struct Row {
        const char* text;
        int width;
        int expectedWidth;
        int lines;
    } rows[] = {
        {"a<IND X=\"50\">a", 0, 50 + a, 1},
        // Back to 2 pixels: the second word overlaps the first, the line as wide as the first.
        {"aaaaaaaa<IND X=\"2\">a", 0, aaaa, 1},
        {"<IND X=\"2147483647\">a", 100, 100 + a, 1},
        {"<IND X=\"-2147483648\">a", 100, a, 1},
        {"<P INDENT=\"2147483647\">a</P>", 100, 100 + a, 1},
        // Each word at the line's end, so the second starts a line of its own.
        {"<IND X=\"2147483647\">a<IND X=\"2147483647\">a", 100, 100 + a, 2},
        {"<P INDENT=\"2147483647\">a b</P>", 100, 100 + a, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const THTMLRenderResult result = sheet.Measure(row.text, row.width);
        EXPECT_EQ(result.Size.x, row.expectedWidth);
        EXPECT_EQ(result.Lines, row.lines);
        sheet.Render(row.text, {}, row.width);
        // A text measured on no width is one line, however far its indents go.
        THTMLRenderContext unbounded;
        unbounded.Paint = false;
        THTMLRenderResult oneLine;
        RenderHTMLText(sheet.canvas, row.text, Rect(0, 0, 0, 0), unbounded, oneLine);
        EXPECT_EQ(oneLine.Lines, 1);
    }
    // Lengths from tags double at a scale of 2: 2^30 pixels would pass the largest integer.
    THTMLRenderContext scaled;
    scaled.Scale = 2;
    EXPECT_EQ(sheet.Render("<IND X=\"1073741824\">a<P INDENT=\"1073741824\">b", scaled).Lines, 2);
}

// An angle is a turn of the text however it is written: -2147483648 degrees turn as -128
// (2147483648 = 5965232 x 360 + 128), 2147483647 as 127.
TEST(HTMLText, AnglesTakenModuloATurn) {
    struct Row {
        const char* text;
        const char* same;
    } rows[] = {
        {"<R A=\"-2147483648\">ab</R>", "<R A=\"-128\">ab</R>"},
        {"<R A=\"2147483647\">ab</R>", "<R A=\"127\">ab</R>"},
        {"<R A=\"450\">ab</R>", "<R A=\"90\">ab</R>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Sheet turned(100, 100);
        const THTMLRenderResult result = turned.Render(row.text);
        Sheet same(100, 100);
        const THTMLRenderResult expected = same.Render(row.same);
        EXPECT_EQ(result.Size, expected.Size);
        EXPECT_EQ(turned.image, same.image);
    }
    TCanvas canvas;
    QImage image(40, 40, QImage::Format_RGB32);
    canvas.SetImage(&image);
    canvas.TextOutRotated(20, 20, "a", std::numeric_limits<int>::min());
}

// A picture stands on the baseline; MIDDLE raises it by half the height of a line of text.
TEST(HTMLText, PicturesAlignedWithTheText) {
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items.Add();
    item->Name = "Square";
    LoadBytes(*item->Picture, PngBytes(16, 16));
    Sheet sheet(200, 100);
    const QFontMetrics regular = sheet.Metrics(10);
    ASSERT_GT(16, regular.ascent());
    struct Row {
        const char* text;
        int height;
    } rows[] = {
        {"x<IMG SRC=\"square\">", 16 + regular.descent()},
        {"x<IMG SRC=\"square\" ALIGN=\"MIDDLE\">", 16 + regular.height() / 2 + regular.descent()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        THTMLRenderContext context;
        context.Container = &container;
        context.Paint = false;
        EXPECT_EQ(sheet.Render(row.text, context).Size.y, row.height);
    }
}

TEST(HTMLText, PlainTextOfTheRender) {
    Sheet sheet;
    EXPECT_EQ(sheet.Measure("a<B>b</B><BR>c<Z>hidden</Z>&nbsp;d").PlainText, "ab\r\nc d");
}

TEST(HTMLText, Colours) {
    struct Row {
        const char* value;
        TColor expected;
    } rows[] = {
        {"clRed", 0x0000FF},
        {"#FF0000", 0x0000FF},
        {"#ff0000", 0x0000FF},
        {"#12ab9C", 0x9CAB12},
        {"#FFF", clBlack},
        {"#GG0000", clBlack},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"cllime", 0x00FF00},
        {"clbackground", 0x80000001},
        {"clactivecaption", 0x80000002},
        {"clinactivecaption", 0x80000003},
        {"clmenu", 0x80000004},
        {"clwindow", 0x80000005},
        {"clwindowframe", 0x80000006},
        {"clmenutext", 0x80000007},
        {"clwindowtext", 0x80000008},
        {"clcaptiontext", 0x80000009},
        {"clactiveborder", 0x8000000A},
        {"clinactiveborder", 0x8000000B},
        {"clappworkspace", 0x8000000C},
        {"clhighlight", 0x8000000D},
        {"clhighlighttext", 0x8000000E},
        {"clbtnface", 0x8000000F},
        {"clbtnshadow", 0x80000010},
        {"clGrayText", 0x80000011},
        {"clbtntext", 0x80000012},
        {"clinactivecaptiontext", 0x80000013},
        {"clbtnhighlight", 0x80000014},
        {"cl3DDkShadow", 0x80000015},
        {"cl3dlight", 0x80000016},
        {"clinfotext", 0x80000017},
        {"clinfobk", 0x80000018},
        {"clmauve", clBlack},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(HTMLColorValue(row.value), row.expected);
    }
}

TEST(HTMLText, PaintedRedTheSameByNameAndValue) {
    for (const char* text : {"<FONT COLOR=\"clRed\">MMM</FONT>", "<FONT COLOR=\"#ff0000\">MMM</FONT>"}) {
        SCOPED_TRACE(text);
        Sheet sheet;
        sheet.Render(text);
        int red = 0;
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 20; ++y)
                red += sheet.At(x, y) == 0xFF0000;
        EXPECT_GT(red, 10);
    }
}

TEST(HTMLText, PaintedEffects) {
    {
        SCOPED_TRACE("highlight background");
        Sheet sheet;
        sheet.Render("<HI>MMM</HI>");
        EXPECT_NE(sheet.At(1, 1), 0xFFFFFFu);
        EXPECT_EQ(sheet.At(1, 1), ToQColor(clHighlight).rgb() & 0xFFFFFF);
    }
    {
        SCOPED_TRACE("rule in black across");
        Sheet sheet;
        const THTMLRenderResult result = sheet.Render("<HR>");
        bool across = false;
        for (int y = 0; y < result.Size.y; ++y)
            across |= sheet.At(0, y) == 0 && sheet.At(100, y) == 0 && sheet.At(199, y) == 0;
        EXPECT_TRUE(across);
    }
    {
        SCOPED_TRACE("error zig-zag between the baseline and 2 px above");
        Sheet sheet;
        sheet.Render("<E>MMMMMMMM</E>");
        const int baseline = sheet.Metrics(10).ascent();
        // Points every 2 px: x = 0 on the baseline, x = 2 two pixels above, x = 4 on it again.
        EXPECT_EQ(sheet.At(0, baseline), 0xFF0000u);
        EXPECT_EQ(sheet.At(2, baseline - 2), 0xFF0000u);
        EXPECT_EQ(sheet.At(4, baseline), 0xFF0000u);
    }
    {
        SCOPED_TRACE("blink off shows nothing");
        Sheet sheet;
        THTMLRenderContext context;
        context.BlinkOn = false;
        sheet.Render("<BLINK>MMM</BLINK>", context);
        EXPECT_EQ(sheet.InkColumns(0, 60).first, -1);
        sheet.Render("<BLINK>MMM</BLINK>");
        EXPECT_NE(sheet.InkColumns(0, 60).first, -1);
    }
    {
        SCOPED_TRACE("right-aligned paragraph ends at the right edge");
        Sheet sheet;
        sheet.Render("<P ALIGN=\"RIGHT\">MMM</P>");
        const auto [first, last] = sheet.InkColumns(0, 60);
        EXPECT_GE(last, 195);
        EXPECT_GT(first, 150);
    }
    {
        SCOPED_TRACE("entities show the tag as text");
        Sheet sheet;
        const THTMLRenderResult result = sheet.Render("&lt;B&gt;x");
        EXPECT_EQ(result.PlainText, "<B>x");
        EXPECT_EQ(result.Size.x, sheet.Metrics(10).horizontalAdvance("<B>x"));
    }
}

TEST(HTMLText, AnchorsUnderThePoint) {
    Sheet sheet;
    const QFontMetrics m = sheet.Metrics(10);
    const AnsiString text = "<A HREF=\"one\">aa</A>  <A HREF=\"two\">bb</A>";
    const int aa = m.horizontalAdvance("aa");
    const int gap = m.horizontalAdvance("  ");
    struct Row {
        const char* label;
        int x;
        bool hit;
        const char* anchor;
    } rows[] = {
        {"on the first", 1, true, "one"},
        {"between", aa + gap / 2, false, ""},
        {"on the second", aa + gap + 1, true, "two"},
        {"past the line's end", 190, false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        THTMLRenderContext context;
        context.Paint = false;
        context.Mouse = Point(row.x, m.height() / 2);
        THTMLRenderResult result;
        EXPECT_EQ(RenderHTMLText(sheet.canvas, text, Rect(0, 0, 200, 60), context, result), row.hit);
        EXPECT_EQ(result.Anchor, row.anchor);
    }
}

TEST(HTMLText, Utilities) {
    EXPECT_EQ(HTMLToPlainText("a<br>b<Hr>c<B>d</B>"), "a\r\nb\r\nc"
                                                      "d");
    EXPECT_EQ(HTMLToPlainText("a<B>b</B> < c"), "ab < c");
    EXPECT_EQ(HTMLToPlainText("plain"), "plain");
    EXPECT_EQ(HTMLStrip("a<br>b<B>c"), "abc");
    EXPECT_EQ(LineBreaksToHTML("a\r\nb", true), "a<BR>b");
    EXPECT_EQ(LineBreaksToHTML("a\r\nb", false), "ab");
    EXPECT_EQ(FirstLinkToText("x <#12> y <#3>"), "x #12 y <#3>");
    struct Row {
        const char* text;
        int visible;
        int tagged;
    } rows[] = {
        {"<B>ab</B>", 1, 4}, {"<B>ab</B>", 2, 5}, {"<B>ab</B>", 3, 10}, {"<B>ab</B>", 4, 0},
        {"ab", 1, 1},        {"", 1, 1},          {"a<b", 3, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + std::string(" ") + std::to_string(row.visible));
        EXPECT_EQ(VisibleToTaggedPos(row.text, row.visible), row.tagged);
    }
    EXPECT_EQ(HTMLFind("ab", "xAbyab", 0, true), 2);
    EXPECT_EQ(HTMLFind("ab", "xAbyab", 0, false), 5);
    EXPECT_EQ(HTMLFind("ab", "xAbyab", 2, true), 5);
    EXPECT_EQ(HTMLFind("", "xAbyab", 0, true), 0);
}

TEST(HTMLText, HiLightAndBack) {
    struct Row {
        const char* text;
        const char* word;
        bool caseSensitive;
        const char* expected;
    } rows[] = {
        {"xAbyab", "ab", false, "x<hi>Ab</hi>y<hi>ab</hi>"},
        {"xAbyab", "ab", true, "xAby<hi>ab</hi>"},
        {"<B>word</B> and word", "word", true, "<B><hi>word</B></hi> and <hi>word</hi>"},
        {"no hit", "zz", true, "no hit"},
        {"empty word", "", true, "empty word"},
        {"a word<B>", "word", true, "a <hi>word<B></hi>"},
        // A tag after an unclosed '<' would close it: the text there is left as it is.
        {"b < b", "b", true, "<hi>b</hi> < b"},
        {"a<b", "b", true, "a<b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const AnsiString marked = HiLight(row.text, row.word, "hi", row.caseSensitive);
        EXPECT_EQ(marked, row.expected);
        EXPECT_EQ(HTMLToPlainText(marked), HTMLToPlainText(row.text));
        EXPECT_EQ(UnHiLight(marked, "HI"), row.text);
    }
}

} // namespace
