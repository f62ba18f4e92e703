#include "winplus/text_checks.h"

#include <gtest/gtest.h>

namespace {

TEST(IsNumber, AcceptsWhatTheParserReadsCompletely) {
    for (const char* text : {"0", "1", "-1", "1.5", ".5", "5.", "-.5", "1e3", "1E-3", "1e+3",
                             "  2.5\t", "1e-999", "1.7976931348623157e308"})
        EXPECT_TRUE(Winplus::IsNumber(text)) << text;
    for (const char* text : {"", "   ", ".", "e", "-", "+1", "1e", "1e-", "-e5", "e5", "1e999",
                             "-1e999", "1.2.3", "1e5e5", "1-2", "abc", "1,5", "0x10", "inf",
                             "nan"})
        EXPECT_FALSE(Winplus::IsNumber(text)) << text;
}

TEST(IsInteger, DigitsWithin32Bits) {
    for (const char* text : {"0", "42", " 7 ", "2147483647", "000123"})
        EXPECT_TRUE(Winplus::IsInteger(text)) << text;
    for (const char* text : {"", "  ", "-1", "+1", "1.0", "2147483648", "99999999999", "1e3",
                             "12a"})
        EXPECT_FALSE(Winplus::IsInteger(text)) << text;
}

}  // namespace
