#include "platform/core/TextEscapes.h"

#include <gtest/gtest.h>

TEST(TextEscapes, EachSetAcceptsOnlyItsEscapes) {
    std::string out;
    EXPECT_TRUE(unescapeText("a\\\\b\\nc\\td", kEscapeBasic, out));
    EXPECT_EQ(out, "a\\b\nc\td");
    EXPECT_FALSE(unescapeText("\\r", kEscapeBasic, out));
    EXPECT_TRUE(unescapeText("\\r", kEscapeReturn, out));
    EXPECT_EQ(out, "\r");
    EXPECT_FALSE(unescapeText("\\\"", kEscapeReturn, out));
    EXPECT_TRUE(unescapeText("\\\"", kEscapeQuote, out));
    EXPECT_EQ(out, "\"");
    EXPECT_TRUE(unescapeText("\\xA4\\x00z", kEscapeHex, out));
    EXPECT_EQ(out, std::string("\xA4\0z", 3));
}

TEST(TextEscapes, CutOffAndMalformedEscapesAreRefused) {
    std::string out;
    EXPECT_FALSE(unescapeText("abc\\", kEscapeHex, out)) << "backslash at the end";
    EXPECT_FALSE(unescapeText("\\x4", kEscapeHex, out)) << "one digit";
    EXPECT_FALSE(unescapeText("\\x-1", kEscapeHex, out)) << "a sign is no digit";
    EXPECT_FALSE(unescapeText("\\xG0", kEscapeHex, out));
    EXPECT_FALSE(unescapeText("\\q", kEscapeReturn | kEscapeQuote | kEscapeHex, out));
    std::string appended = "k";
    EXPECT_EQ(decodeEscape("x41", 0, kEscapeHex, appended), 3u);
    EXPECT_EQ(appended, "kA");
    EXPECT_EQ(decodeEscape("n", 1, kEscapeBasic, appended), 0u) << "past the end";
}

TEST(TextEscapes, WritingUsesOnlyTheEscapesOfTheSet) {
    const std::string text = "a\\b\nc\td\re\"f\x01g\x81h\xE9=";
    std::string out;
    appendEscaped(out, text, kEscapeBasic);
    EXPECT_EQ(out, "a\\\\b\\nc\\td\re\"f\x01g\x81h\xE9=");
    out.clear();
    appendEscaped(out, text, kEscapeReturn | kEscapeHex, "=");
    EXPECT_EQ(out, "a\\\\b\\nc\\td\\re\"f\\x01g\x81h\xE9\\x3D");
    out = "[";
    appendEscaped(out, text, kEscapeReturn | kEscapeQuote | kEscapeHex | kEscapeUtf8);
    EXPECT_EQ(out, "[a\\\\b\\nc\\td\\re\\\"f\\x01g\\x81h\xC3\xA9=");
}

// Every byte written with an escape set reads back with it.
TEST(TextEscapes, WrittenTextsReadBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (unsigned set : {unsigned{kEscapeBasic}, unsigned{kEscapeReturn | kEscapeHex},
                         unsigned{kEscapeReturn | kEscapeQuote | kEscapeHex}}) {
        std::string written;
        appendEscaped(written, all, set, "=#");
        std::string back;
        ASSERT_TRUE(unescapeText(written, set, back)) << set;
        EXPECT_EQ(back, all) << set;
    }
}
