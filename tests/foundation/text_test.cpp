#include <gtest/gtest.h>

#include <cmath>

#include "foundation/exception.h"
#include "foundation/platform.h"
#include "foundation/text.h"

namespace {

TEST(Exception, CodeZeroTakesTheLastErrorAndEveryExceptionClearsIt) {
    Platform::SetLastErrorCode(2);
    Winplus::Exception fromSystem("File not found.");
    EXPECT_EQ(fromSystem.GetCode(), 2u);
    EXPECT_EQ(Platform::GetLastErrorCode(), 0u);
    EXPECT_EQ(fromSystem.GetMessage(), "File not found.");
    EXPECT_EQ(fromSystem.GetDetail(), "");

    Platform::SetLastErrorCode(3);
    Winplus::Exception explicitCode("Internal error.", "detail", 5);
    EXPECT_EQ(explicitCode.GetCode(), 5u);
    EXPECT_EQ(explicitCode.GetDetail(), "detail");
    EXPECT_EQ(Platform::GetLastErrorCode(), 0u);
}

TEST(ToString, WritesLikeADefaultStream) {
    EXPECT_EQ(ToString(-3), "-3");
    EXPECT_EQ(ToString(0.1), "0.1");
    EXPECT_EQ(ToString(1234567.0), "1.23457e+06");
    EXPECT_EQ(ToString(123456.0), "123456");
    EXPECT_EQ(ToString(0.0001), "0.0001");
    EXPECT_EQ(ToString(0.00001), "1e-05");
    EXPECT_EQ(ToString(2.0), "2");
    EXPECT_EQ(ToString(-1e300), "-1e+300");
    EXPECT_EQ(ToString(std::nan("")), "nan");
    EXPECT_EQ(ToString(-HUGE_VAL), "-inf");
    EXPECT_EQ(DoubleToString(0.1, 16), "0.1");
    EXPECT_EQ(DoubleToString(1.0 / 3.0, 16), "0.3333333333333333");
}

TEST(IsNumber, AcceptsDecimalArrangementsOnly) {
    for (const char* good : {"1", "-1.5", "2.", ".5", "1e5", "1E-5", "1e+5", "  -3.25e2\t", "."})
        EXPECT_TRUE(IsNumber(good)) << good;
    for (const char* bad :
         {"", "   ", "+1", "1-2", "1.2.3", "1e5e2", "1e5.2", "1e--5", "abc", "1,5", "0x10", "1 2"})
        EXPECT_FALSE(IsNumber(bad)) << bad;
}

TEST(ToDouble, TrimsChecksAndConverts) {
    double value = 7.0;
    EXPECT_TRUE(ToDouble("  2.5\t", &value));
    EXPECT_EQ(value, 2.5);
    EXPECT_TRUE(ToDouble("-1e-3", &value));
    EXPECT_EQ(value, -0.001);
    EXPECT_TRUE(ToDouble("1e999", &value));
    EXPECT_EQ(value, HUGE_VAL);
    EXPECT_TRUE(ToDouble("-1.5e999", &value));
    EXPECT_EQ(value, -HUGE_VAL);
    EXPECT_TRUE(ToDouble("1.5e-999", &value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(ToDouble("-1e-999", &value));
    EXPECT_TRUE(value == 0.0 && std::signbit(value));
    EXPECT_TRUE(ToDouble(".", &value));
    EXPECT_EQ(value, 0.0);
    value = 7.0;
    EXPECT_FALSE(ToDouble("2,5", &value));
    EXPECT_FALSE(ToDouble("", &value));
    EXPECT_EQ(value, 7.0);
}

TEST(TextHelpers, TrimSplitAndRound) {
    EXPECT_EQ(Trim(" \t a b \t"), "a b");
    EXPECT_EQ(Trim(" \t "), "");
    const std::string text = "a, b\tc\n,,d ";
    EXPECT_EQ(SplitWords(text), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(text, "a, b\tc\n,,d ");
    EXPECT_TRUE(SplitWords(" ,\t").empty());
    EXPECT_EQ(RoundToInt(2.5), 3);
    EXPECT_EQ(RoundToInt(2.49), 2);
    EXPECT_EQ(RoundToInt(-2.7), -2);
    EXPECT_EQ(RoundToInt(-0.5), 0);
    EXPECT_EQ(RoundToInt(1e12), 2147483647);
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
}

TEST(PathHelpers, ExtensionDirectoryAndNames) {
    EXPECT_EQ(GetExtension("C:\\data\\a.b.dat"), "dat");
    EXPECT_EQ(GetExtension("C:\\data\\readme"), "C:\\data\\readme");
    EXPECT_EQ(GetExtension("C:\\my.folder\\file"), "C:\\my.folder\\file");
    EXPECT_EQ(GetDirectory("C:\\data\\a.dat"), "C:\\data");
    EXPECT_EQ(GetDirectory("a.dat"), "a.dat");
    EXPECT_EQ(GetFileName("C:\\data\\a.dat"), "a.dat");
    EXPECT_EQ(SplitPath("C:\\my.folder\\file"), "file");
    EXPECT_EQ(SplitPath("C:\\data\\a.b.dat"), "a.b");
}

TEST(PathHelpers, ProgramFoldersComeFromTheCommandLine) {
    InitProgramPaths("\"C:\\Program Files\\Sorix\\Sorix.exe\" \"C:\\data\\p.pjt\"");
    EXPECT_EQ(GetProgramFolder(), "C:\\Program Files\\Sorix");
    EXPECT_EQ(GetDefaultLibraryList(), "C:\\Program Files\\Sorix\\Library\\default.flb");
    EXPECT_EQ(GetLibraryFolder(), "C:\\Program Files\\Sorix\\Library");
    InitProgramPaths("C:\\Sorix\\Sorix.exe file.dat");
    EXPECT_EQ(GetProgramFolder(), "C:\\Sorix");
}

}  // namespace
