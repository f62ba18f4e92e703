// The command-line table held to the platform's own CommandLineToArgvW (Windows only).
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/project/command_line.h"
#include "tests/app/project/command_line_cases.h"

namespace {

std::vector<std::string> PlatformArguments(const std::string& line) {
    const std::wstring wide(line.begin(), line.end());  // the table is ASCII
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> result;
    for (int i = 0; arguments && i < count; ++i) {
        const std::wstring argument(arguments[i]);
        result.emplace_back(argument.begin(), argument.end());
    }
    LocalFree(arguments);
    return result;
}

TEST(CommandLinePlatform, SplitsAsCommandLineToArgvW) {
    for (const test::CommandLineCase& c : test::kCommandLineCases) {
        EXPECT_EQ(PlatformArguments(c.line), c.arguments) << c.line;
        EXPECT_EQ(Core::SplitCommandLine(c.line), PlatformArguments(c.line)) << c.line;
    }
}

}  // namespace
