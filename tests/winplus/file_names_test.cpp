#include "winplus/file_names.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

TEST(FilterList, DashesBecomeNuls) {
    EXPECT_EQ(Winplus::FilterList("Data Files (*.dat)-*.dat-All Files (*.*)-*.*-"),
              "Data Files (*.dat)\0*.dat\0All Files (*.*)\0*.*\0\0\0"s);
    // Without separators the text is one display string.
    EXPECT_EQ(Winplus::FilterList("All Files"), "All Files\0\0"s);
    // At the buffer's limit the text is kept as it is.
    const std::string longText(259, '-');
    EXPECT_EQ(Winplus::FilterList(longText), longText + "\0\0"s);
}

TEST(FilterList, DefaultHasAPattern) {
    EXPECT_EQ(Winplus::DefaultFilterList(), "All Files (*.*)\0*.*\0\0\0"s);
}

TEST(ReadChosenFile, DirectoryBaseNameAndPath) {
    auto file = Winplus::ReadChosenFile("C:\\data\\run.dat", 8, 12);
    EXPECT_EQ(file.path, "C:\\data\\run.dat");
    EXPECT_EQ(file.directory, "C:\\data\\");
    EXPECT_EQ(file.baseName, "run");
    // No extension: the dialog's extension offset points at the end; the name stays whole.
    EXPECT_EQ(Winplus::ReadChosenFile("C:\\data\\run", 8, 11).baseName, "run");
    // A closing dot: offset 0, the dot is left out.
    EXPECT_EQ(Winplus::ReadChosenFile("C:\\data\\run.", 8, 0).baseName, "run");
    EXPECT_EQ(Winplus::ReadChosenFile("C:\\data\\a.b.dat", 8, 12).baseName, "a.b");
}

TEST(ReadChosenFiles, SeveralAndOne) {
    auto several = Winplus::ReadChosenFiles("C:\\data\0a.dat\0b.dat\0\0"s, 8);
    EXPECT_EQ(several.directory, "C:\\data");
    EXPECT_EQ(several.names, (std::vector<std::string>{"a.dat", "b.dat"}));
    auto one = Winplus::ReadChosenFiles("C:\\data\\run.dat\0\0"s, 8);
    EXPECT_EQ(one.directory, "C:\\data\\");
    EXPECT_EQ(one.names, (std::vector<std::string>{"run.dat"}));
    EXPECT_TRUE(Winplus::ReadChosenFiles("C:\\data\\\0\0"s, 8).names.empty());
}

}  // namespace
