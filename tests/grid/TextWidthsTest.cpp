#include "grid/TextWidths.h"

#include "framework/Canvas.h"

#include <gtest/gtest.h>

namespace {

TEST(TextWidths, MeasureAsTheCanvasDoes) {
    const char* texts[] = {"",          "1.234E+00",   "-0.05",         "S104",
                           "AV To. Wa", "office flow", "fluffy waffle", "café Ölbad",
                           "tab\there", "a  b",        "(l/s)"};
    struct Font {
        int size;
        unsigned style;
    } fonts[] = {{8, 0}, {12, 0}, {9, fsBold}, {10, fsItalic}};
    TextWidths widths;
    for (const Font& style : fonts) {
        TCanvas canvas;
        canvas.Font.Size = style.size;
        canvas.Font.Style = style.style;
        for (const char* text : texts) {
            SCOPED_TRACE(std::to_string(style.size) + " " + text);
            // Asked twice: once worked out, once from what was kept.
            EXPECT_EQ(widths.Width(canvas.Font, text), canvas.TextWidth(text));
            EXPECT_EQ(widths.Width(canvas.Font, text), canvas.TextWidth(text));
        }
        EXPECT_EQ(widths.Height(canvas.Font), canvas.TextHeight("gh"));
    }
}

} // namespace
