#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Core::CommandLineKind;

TEST(CommandLineFile, FirstQuotedArgumentAfterTheProgram) {
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix\\Sorix.exe\" \"C:\\data\\run.dat\""),
              "C:\\data\\run.dat");
    // Unclosed: up to the end.
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" \"C:\\a b.pjt"), "C:\\a b.pjt");
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" \"first.pjt\" \"second.pjt\""),
              "first.pjt");
    // Only the program, or an unquoted argument: nothing.
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\""), "");
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" C:\\data\\run.dat"), "");
    EXPECT_EQ(Core::CommandLineFile(""), "");
}

TEST(CommandLineFile, KindByTheExactExtension) {
    EXPECT_EQ(Core::KindOfCommandLineFile("C:\\p.pjt"), CommandLineKind::Project);
    for (const char* path : {"a.dat", "a.dpt", "b.c.txt"})
        EXPECT_EQ(Core::KindOfCommandLineFile(path), CommandLineKind::DataFile) << path;
    for (const char* path : {"a.PJT", "a.Dat", "noextension", "a.pjtx", "a.", ""})
        EXPECT_EQ(Core::KindOfCommandLineFile(path), CommandLineKind::None) << path;
}

}  // namespace
