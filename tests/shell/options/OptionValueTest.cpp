// Stored option text to number and on/off value.
#include "shell/options/OptionValue.h"

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

TEST(OptionValue, NumbersThatCountAsTrue) {
    for (const char* text : {"1", "2", "-1", "0x10", "0X10", "$1F", "$1f", "+7", "2147483647", "-2147483648",
                             "$FFFFFFFF", "$80000000", "0x00000001", "  5", "007"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(OptionBoolFromText(text, false));
        EXPECT_TRUE(OptionBoolFromText(text, true));
    }
}

TEST(OptionValue, NumbersThatCountAsFalse) {
    for (const char* text : {"0", "-0", "+0", "0x0", "$0", "$00000000", "0x00000000", "000"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(OptionBoolFromText(text, true));
        EXPECT_FALSE(OptionBoolFromText(text, false));
    }
}

TEST(OptionValue, TextsThatAreNotNumbersGiveTheDefault) {
    for (const char* text :
         {"",           "yes",        "on",          "true", "1x",         "x1",          "0x",
          "0X",         "$",          "+",           "-",    "+-1",        "-$1",         "$-1",
          "0x-1",       "1 2",        "1 ",          "1.0",  "2147483648", "-2147483649", "99999999999999999999",
          "$123456789", "$000000001", "0x123456789", "$G",   "0xG",        "\xB9"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(OptionBoolFromText(text, true));
        EXPECT_FALSE(OptionBoolFromText(text, false));
    }
}

TEST(OptionValue, IntegerValues) {
    EXPECT_EQ(ParseOptionInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseOptionInteger("$7fffffff"), 2147483647);
    EXPECT_EQ(ParseOptionInteger("$80000000"), INT32_MIN);
    EXPECT_EQ(ParseOptionInteger("$1F"), 31);
    EXPECT_EQ(ParseOptionInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseOptionInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseOptionInteger(" \t-12"), -12);
    EXPECT_EQ(ParseOptionInteger("+12"), 12);
    EXPECT_FALSE(ParseOptionInteger("2147483648"));
    EXPECT_FALSE(ParseOptionInteger("-2147483649"));
    EXPECT_FALSE(ParseOptionInteger("$100000000"));
    // "0x" is a text form only; the integer rules know "$" alone.
    EXPECT_FALSE(ParseOptionInteger("0x10"));
    EXPECT_FALSE(ParseOptionInteger("   "));
}

}  // namespace
}  // namespace pastimo
