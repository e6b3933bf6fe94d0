#include "framework/Clipboard.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(Clipboard, WhatIsSetWhileOpenGoesOnTogether) {
    Clipboard().Open();
    Clipboard().SetAsText("a\tb\r\n");
    Clipboard().SetAsBytes("text/rtf", "{\\rtf1 a}");
    Clipboard().Close();
    EXPECT_TRUE(Clipboard().HasText());
    EXPECT_TRUE(Clipboard().HasFormat("text/rtf"));
    EXPECT_FALSE(Clipboard().HasFormat("application/rtf"));
    EXPECT_EQ(Clipboard().GetAsText(), "a\tb\r\n");
    EXPECT_EQ(Clipboard().GetAsBytes("text/rtf"), "{\\rtf1 a}");
    EXPECT_EQ(Clipboard().GetAsBytes("image/png"), "");
}

TEST(Clipboard, SetOutsideOpenReplacesWhatWasThere) {
    Clipboard().Open();
    Clipboard().SetAsText("x");
    Clipboard().SetAsBytes("text/rtf", "{\\rtf1 x}");
    Clipboard().Close();
    Clipboard().SetAsText("\xC3\x98");
    EXPECT_FALSE(Clipboard().HasFormat("text/rtf"));
    EXPECT_EQ(Clipboard().GetAsText(), "\xC3\x98");
    Clipboard().SetAsBytes("application/rtf", "{\\rtf1 y}");
    EXPECT_FALSE(Clipboard().HasText());
    EXPECT_TRUE(Clipboard().HasFormat("application/rtf"));
}

} // namespace
