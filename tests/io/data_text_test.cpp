#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "io/data_text.h"
#include "reader_support.h"

namespace {

Spectrum::Ptr Read(const std::string& text) {
    std::istringstream in(text);
    return Core::ReadTextFile(in);
}

// Hands out its text once and cannot rewind, like a pipe: a reader must make do with one pass.
class OnePassBuffer : public std::streambuf {
public:
    explicit OnePassBuffer(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

private:
    pos_type seekoff(off_type, std::ios::seekdir, std::ios::openmode) override {
        return pos_type(off_type(-1));
    }
    pos_type seekpos(pos_type, std::ios::openmode) override { return pos_type(off_type(-1)); }
    std::string text_;
};

TEST(DataText, ReadsColumnsBetweenOtherLines) {
    Spectrum::Ptr s = Read("Header line\r\n1.0,2.0\r\n2.0 3.0\r\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{2.0, 3.0}));
    EXPECT_EQ(s->Im()->Values(), (std::vector<double>{0.0, 0.0}));
    EXPECT_TRUE(s->GetName().empty());

    // "+" opens no data line; "-" and "." after blanks do. Separators mix freely.
    s = Read("+5 5\n  -1e1 ,, 4\n\t.5\t6,\n \n# end\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{-10.0, 0.5}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{4.0, 6.0}));
}

TEST(DataText, LinesEndAtLineFeedCarriageReturnOrBoth) {
    std::istringstream in("a\rb\r\nc\n\r\nd");
    std::vector<std::string> lines;
    std::string line;
    while (Core::ReadLine(in, line) == Core::LineStatus::Ok) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));

    // An old Mac file: carriage returns only.
    Spectrum::Ptr s = Read("x y\r1 2\r3 4\r5 6\r");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{1, 3, 5}));
    std::istringstream counted("1 2 3\r4 5 6\r");
    int rows = 0;
    EXPECT_EQ(Core::CountColumns(counted, rows), 3);
    EXPECT_EQ(rows, 2);
}

TEST(DataText, AReadErrorEndsTheReadWithoutAnException) {
    test::FailingBuffer buffer("1 2\n3 4\n");
    std::istream in(&buffer);
    std::string line;
    EXPECT_EQ(Core::ReadLine(in, line), Core::LineStatus::Ok);
    EXPECT_EQ(Core::ReadLine(in, line), Core::LineStatus::Ok);
    EXPECT_EQ(Core::ReadLine(in, line), Core::LineStatus::Error);
    EXPECT_TRUE(in.bad());

    test::FailingBuffer data("1 2\n3 4\n");
    std::istream failing(&data);
    EXPECT_FALSE(Core::ReadTextFile(failing));
    test::FailingBuffer counted("1 2\n3 4\n");
    std::istream failingCount(&counted);
    int rows = -1;
    EXPECT_EQ(Core::CountColumns(failingCount, rows), 0);
}

TEST(DataText, DescendingFilesAreReversed) {
    Spectrum::Ptr s = Read("3.0 30 -3\n2.0 20 -2\n1.0 10 -1\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{10.0, 20.0, 30.0}));
    EXPECT_EQ(s->Im()->Values(), (std::vector<double>{-1.0, -2.0, -3.0}));
    // Unordered files keep their order.
    s = Read("1 1\n3 3\n2 2\n");
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{1.0, 3.0, 2.0}));
}

TEST(DataText, AMissingLastColumnKeepsThePreviousValue) {
    Spectrum::Ptr s = Read("3.0 1.0 2.0\n4.0 5.0\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Im()->Values(), (std::vector<double>{2.0, 2.0}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{1.0, 5.0}));
    s = Read("6.0 1.5\n7.0\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{1.5, 1.5}));
    // Numbers beyond the columns are ignored after the first line.
    s = Read("1 2\n3 4 5 6\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{2.0, 4.0}));
}

TEST(DataText, FilesThatAreNoDataFilesGiveNothing) {
    EXPECT_FALSE(Read(""));
    EXPECT_FALSE(Read("just words\n"));
    EXPECT_FALSE(Read("1 2 3 4\n5 6 7 8\n"));  // four columns
    EXPECT_FALSE(Read("1\n2\n"));              // one column
    EXPECT_FALSE(Read("1 x\n2 3\n"));          // first line not numbers
    EXPECT_FALSE(Read("1 2\n2 x\n"));          // a later line not numbers
    EXPECT_FALSE(Read("1 2 3\n2\n"));          // two numbers missing
    EXPECT_FALSE(Read("Header\n1.5 2.5\n"));   // one point is no spectrum
    EXPECT_FALSE(Read("1 2\n" + std::string(Core::kMaxLineLength + 1, '3') + "\n"));
    EXPECT_FALSE(Core::ReadTextFile(std::string("/nonexistent/file.dat")));

    int lines = -1;
    std::istringstream columns("x\n1 2 3\n4 5 6\n7 8\n");
    EXPECT_EQ(Core::CountColumns(columns, lines), 3);
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(Core::CountColumns(std::string("/nonexistent/file.dat"), lines), 0);
    EXPECT_EQ(lines, 0);
}

TEST(DataText, ReadsInOnePass) {
    OnePassBuffer buffer("0 1\n1 2\n2 3\n");
    std::istream in(&buffer);
    Spectrum::Ptr s = Core::ReadTextFile(in);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Size(), 3);
}

TEST(DataText, NumbersAsStrtodReadsThemInTheCLocale) {
    double value = 0;
    EXPECT_EQ(Core::ReadNumber("+1.25e2x", value), 7u);
    EXPECT_EQ(value, 125.0);
    EXPECT_EQ(Core::ReadNumber("-.5", value), 3u);
    EXPECT_EQ(value, -0.5);
    EXPECT_EQ(Core::ReadNumber("1e", value), 1u);
    EXPECT_EQ(Core::ReadNumber("--1", value), 0u);
    EXPECT_EQ(Core::ReadNumber(".", value), 0u);
    EXPECT_EQ(Core::ReadNumber("1e999", value), 5u);
    EXPECT_TRUE(std::isinf(value) && value > 0);
    EXPECT_EQ(Core::ReadNumber("-1e-999", value), 7u);
    EXPECT_TRUE(value == 0.0 && std::signbit(value));
    EXPECT_EQ(Core::ReadNumber("0.000000001e-400", value), 16u);
    EXPECT_EQ(value, 0.0);
}

TEST(DataText, FormatsAsPrintfE14) {
    EXPECT_EQ(Core::FormatE14(1.5), "  1.500000E+00");
    EXPECT_EQ(Core::FormatE14(-0.25), " -2.500000E-01");
    EXPECT_EQ(Core::FormatE14(0.0), "  0.000000E+00");
    EXPECT_EQ(Core::FormatE14(-1.0e-100), "-1.000000E-100");
    EXPECT_EQ(Core::FormatE14(1234567.5), "  1.234568E+06");
    EXPECT_EQ(Core::FormatE14(INFINITY), "           INF");
}

TEST(DataText, WritesColumnsAndKeepsTheOldFileWhenWritingFails) {
    test::ScratchFolder folder("data-text");
    auto x = Safe::MakeX<Data>(std::vector<double>{1.5, 2.0});
    auto y = Safe::MakeX<Data>(std::vector<double>{-0.25, 3.0});
    auto z = Safe::MakeX<Data>(std::vector<double>{7.0});
    const std::string path = folder.File("two.dat");
    EXPECT_TRUE(Core::WriteTwoColumns(path, x, y));
    std::ifstream text(path);  // text mode: the platform's line ends read as "\n"
    std::string first, second, rest;
    std::getline(text, first);
    std::getline(text, second);
    EXPECT_EQ(first, "  1.500000E+00  -2.500000E-01");
    EXPECT_EQ(second, "  2.000000E+00   3.000000E+00");
    EXPECT_FALSE(std::getline(text, rest));
    text.close();

    // Columns of unequal length write the points they all hold; null columns write nothing.
    EXPECT_TRUE(Core::WriteThreeColumns(folder.File("three.dat"), x, y, z));
    EXPECT_EQ(Read(test::ReadAll(folder.File("three.dat"))), nullptr);  // one point only
    EXPECT_NE(test::ReadAll(folder.File("three.dat")).find("7.000000E+00"), std::string::npos);
    EXPECT_FALSE(Core::WriteTwoColumns(folder.File("none.dat"), x, nullptr));
    EXPECT_FALSE(std::filesystem::exists(folder.File("none.dat")));
    EXPECT_TRUE(Core::WriteTwoColumns(folder.File("empty.dat"), Data(), Data()));
    EXPECT_EQ(test::ReadAll(folder.File("empty.dat")), "");

    // A write that cannot complete leaves the file it would replace as it was.
    const std::string before = test::ReadAll(path);
    std::filesystem::create_directory(path + ".part");
    EXPECT_FALSE(Core::WriteTwoColumns(path, y, x));
    EXPECT_EQ(test::ReadAll(path), before);
    EXPECT_FALSE(Core::WriteTwoColumns(folder.File("missing/folder.dat"), x, y));
}

TEST(DataText, IgnoresTheUsersLocale) {
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German", "French"};
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char* name : names)
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            switched = true;
            break;
        }
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma";
    const std::string written = Core::FormatE14(1.5);
    Spectrum::Ptr s = Read("1.5 2.25\n3.5 4.75\n");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(written, "  1.500000E+00");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{2.25, 4.75}));
}

}  // namespace
