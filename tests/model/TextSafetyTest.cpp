#include "model/TextSafety.h"

#include <gtest/gtest.h>

using namespace TextSafety;

// Bytes a file or an argument may bring, and what UTF-8 repair makes of them.
TEST(TextSafety, RepairsWhatIsNotUtf8AndAgreesWithTheCheck) {
    const std::string R = "\xEF\xBF\xBD"; // U+FFFD
    struct Case {
        const char* what;
        std::string in;
        std::string repaired;
    } cases[] = {
        {"plain", "Tube 1", "Tube 1"},
        {"two-byte", "\xC2\xB5m", "\xC2\xB5m"},
        {"four-byte", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"lone continuation", "a\x80z", "a" + R + "z"},
        {"overlong slash", "\xC0\xAF", R + R},
        {"surrogate", "\xED\xA0\x80", R + R + R},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", R + R + R + R},
        {"cut short", "ab\xE2\x82", "ab" + R + R},
    };
    for (const Case& c : cases) {
        bool replaced = true;
        EXPECT_EQ(ValidUtf8(c.in, &replaced), c.repaired) << c.what;
        EXPECT_EQ(replaced, c.in != c.repaired) << c.what;
        EXPECT_EQ(IsValidUtf8(c.in), c.in == c.repaired) << c.what;
    }
}

TEST(TextSafety, QuotesAndEscapesWithoutLettingControlsThrough) {
    EXPECT_EQ(Echo("a\nb\tc\x1b[2J"), "a\\nb\\tc\\x1b[2J");
    EXPECT_EQ(Echo("\xC2\x85"), "\\u0085"); // a C1 control
    EXPECT_EQ(Quote(std::string(70, 'x')), std::string(60, 'x') + "... (70 characters)");
    EXPECT_EQ(TerminalText(std::string(70, 'x')), std::string(70, 'x'));
    EXPECT_EQ(TextWidth("\xC2\xB5m"), 2u);
    EXPECT_EQ(JsonString("say \"hi\"\\\n\x01\xFF"), "\"say \\\"hi\\\"\\\\\\n\\u0001\xEF\xBF\xBD\"");
}
