// Numbers read as the C library's strtod reads them in the "C" locale, and as
// far as it reads: the cases a fuzzer meets only by luck. Each expected value
// and length follows from strtod's grammar, worked by hand.
#include "config/config_format.h"
#include "config/text.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(NumberText, ReadsAsStrtodReadsAndAsFar) {
    constexpr std::size_t all = SIZE_MAX; // the whole text is the number
    struct Case {
        const char* text;
        float value;
        std::size_t length;
    };
    const Case cases[] = {
        {"", 0.0f, 0},
        {" 50m", 50.0f, 3},
        {"1e", 1.0f, 1},
        {"1e+", 1.0f, 1},
        {"-abc", 0.0f, 0},
        {"+-5", 0.0f, 0},
        {"0x.8", 0.5f, 4},
        {"0x.", 0.0f, 1},
        {"0xg", 0.0f, 1},
        {"-0x1p3", -8.0f, 6},
        {"0x1p99999", INFINITY, 9},
        {"-0x1p99999", -INFINITY, 10},
        {"0x1p-99999", 0.0f, 10},
        {"1e999", INFINITY, 5},
        {"-1e999", -INFINITY, 6},
        {"1e-999", 0.0f, 6},
        {"1.5e999", INFINITY, all},
        {"infinity5", INFINITY, 8},
        {"infinit", INFINITY, 3},
        {"1000000000000000000000000000000000000000e-30", 1e9f, all},
        {"0.0000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000001e5",
         0.0f, all},
    };
    for (const Case& c : cases) {
        const NumberText read = readNumberText(c.text);
        EXPECT_EQ(read.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(read.length, c.length == all ? std::strlen(c.text) : c.length)
            << '"' << c.text << '"';
    }
    const std::string huge = "1" + std::string(400, '0') + "x"; // beyond any double
    EXPECT_EQ(readNumberText(huge).value, INFINITY);
    EXPECT_EQ(readNumberText(huge).length, 401u);
    const NumberText nan = readNumberText("nan(abc)x");
    EXPECT_TRUE(std::isnan(nan.value));
    EXPECT_EQ(nan.length, 8u);
}

TEST(QuotedText, ShowsWhatCannotBeSeenAndCutsLongTextShort) {
    EXPECT_EQ(quotedText("a\tb\x1B"), "\"a\\tb\\x1B\"");
    EXPECT_EQ(quotedText("\xEF\xBB\xBFok"), "\"\\xEF\\xBB\\xBFok\"");
    EXPECT_EQ(quotedText(std::string(81, 'x'), 80), "\"" + std::string(80, 'x') + "...\"");
    EXPECT_EQ(quotedText(std::string(80, 'x'), 80), "\"" + std::string(80, 'x') + "\"");
}
