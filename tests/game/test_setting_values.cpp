#include "game/Settings.h"

#include <gtest/gtest.h>

namespace sk {
namespace {

TEST(ParseSettingValue, ReadsDecimalIntegers) {
    EXPECT_EQ(ParseSettingValue("1", 9), 1);
    EXPECT_EQ(ParseSettingValue("0", 9), 0);
    EXPECT_EQ(ParseSettingValue("4", 9), 4);
    EXPECT_EQ(ParseSettingValue("-3", 9), -3);
    EXPECT_EQ(ParseSettingValue("+5", 9), 5);
    EXPECT_EQ(ParseSettingValue("007", 9), 7);
    EXPECT_EQ(ParseSettingValue(" \t7\r\n", 9), 7);
    EXPECT_EQ(ParseSettingValue("2147483647", 9), 2147483647);
    EXPECT_EQ(ParseSettingValue("-2147483648", 9), -2147483647 - 1);
}

TEST(ParseSettingValue, AnythingElseGivesTheFallback) {
    for (const char* text : {"", " ", "abc", "4x", "x4", "1.5", "1 2", "+", "-", "+-4", "--4", "0x10",
                             "2147483648", "-2147483649", "99999999999999999999", "１"}) {
        EXPECT_EQ(ParseSettingValue(text, 4), 4) << '"' << text << '"';
    }
    EXPECT_EQ(ParseSettingValue(std::string_view("1\0", 2), 4), 4);
}

}  // namespace
}  // namespace sk
