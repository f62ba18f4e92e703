#include "io/formula_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "functions/families.h"
#include "model/formula_capsule.h"
#include "model_samples.h"
#include "reader_support.h"
#include "record_support.h"

namespace {

using Core::FormulaIo;
using Core::Node;

// "f(x)=2*x" as a formula file: tag 10410, count 8, the text, tag -10410, written out by hand.
const std::string kDoubleFile = std::string("\xAA\x28\x00\x00\x08\x00\x00\x00", 8) + "f(x)=2*x" +
                                std::string("\x56\xD7\xFF\xFF", 4);

class FormulaFiles : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
    test::CapturedBoxes boxes;  // none may be shown: the callers show the messages
    test::ScratchFolder folder{"formula"};
};

TEST_F(FormulaFiles, RecordIsTagTextEndTagAndReadsBackIntoAWorkingFormula) {
    const std::string path = folder.File("double.fun");
    Core::FormulaFileResult written =
        FormulaIo::WriteFormulaFile(test::FormulaNode("f(x)=2*x"), path);
    EXPECT_TRUE(written.Succeeded()) << written.message;
    EXPECT_EQ(test::Hex(test::ReadAll(path)), test::Hex(kDoubleFile));  // 4 + 4 + n + 4 bytes
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    Core::FormulaFileResult read = FormulaIo::ReadFormulaFile(path);
    ASSERT_TRUE(read.Succeeded()) << read.message;
    ASSERT_TRUE(read.node);
    EXPECT_EQ(read.node->GetTypeId(), Core::kFormulaCapsuleId);
    EXPECT_EQ(read.text, "f(x)=2*x");
    EXPECT_EQ(read.node->Name(), "f");
    ASSERT_EQ(read.node->ChildCount(), 1);
    read.node->GetChild(0)->SetValue(Core::Complex(3.5, 0), 0);
    EXPECT_EQ(read.node->Evaluate(), Core::Complex(7.0, 0));

    // A longer text than an edit box line round-trips whole.
    const std::string longText = "g(a)=a" + std::string(300, ' ') + "+1";
    ASSERT_TRUE(FormulaIo::WriteFormulaFile(test::FormulaNode(longText), path).Succeeded());
    EXPECT_EQ(test::ReadAll(path).size(), 4 + 4 + longText.size() + 4);
    EXPECT_EQ(FormulaIo::ReadFormulaFile(path).text, longText);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FormulaFiles, EveryTruncationWrongTagAndMissingFileFailsWithItsMessage) {
    // Cut anywhere before the end of the text: nothing is read.
    for (std::size_t n = 0; n < 16; ++n) {
        const std::string path = folder.Write("cut.fun", kDoubleFile.substr(0, n));
        Core::FormulaFileResult read = FormulaIo::ReadFormulaFile(path);
        EXPECT_EQ(read.message, "Unexpected end of file.") << n;
        EXPECT_FALSE(read.node) << n;
        EXPECT_FALSE(read.formulaError) << n;
    }
    // A missing or partial closing tag, or another one, still yields the formula.
    for (std::size_t n = 16; n <= kDoubleFile.size(); ++n) {
        const std::string path = folder.Write("end.fun", kDoubleFile.substr(0, n));
        EXPECT_TRUE(FormulaIo::ReadFormulaFile(path).node) << n;
    }
    std::string otherEnd = kDoubleFile;
    otherEnd.back() = '\x00';
    EXPECT_TRUE(FormulaIo::ReadFormulaFile(folder.Write("other.fun", otherEnd)).node);

    std::string wrongTag = kDoubleFile;
    wrongTag[0] = '\xAB';
    Core::FormulaFileResult read = FormulaIo::ReadFormulaFile(folder.Write("tag.fun", wrongTag));
    EXPECT_EQ(read.message, "Invalid formula file.");
    EXPECT_FALSE(read.node);
    // A count beyond the file's end allocates nothing.
    const std::string huge = std::string("\xAA\x28\x00\x00\xFF\xFF\xFF\x7F", 8) + "f(x)=x";
    EXPECT_EQ(FormulaIo::ReadFormulaFile(folder.Write("huge.fun", huge)).message,
              "Unexpected end of file.");
    EXPECT_EQ(FormulaIo::ReadFormulaFile(folder.File("missing.fun")).message,
              "Couldn't open file.");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FormulaFiles, AFormulaThatNoLongerCompilesIsReportedWithItsTextKept) {
    const std::string text = "f(x,x)=2*x";
    BinaryWriter writer;
    FormulaIo::WriteRecord(writer, text);
    Core::FormulaFileResult read =
        FormulaIo::ReadFormulaFile(folder.Write("broken.fun", writer.Bytes()));
    EXPECT_EQ(read.message, "x already exists!");
    EXPECT_TRUE(read.formulaError);
    EXPECT_EQ(read.text, text);  // not "Error()=0.0"
    EXPECT_FALSE(read.node);
}

TEST_F(FormulaFiles, ParenthesesNestedTooDeeplyAreReportedWithTheFormulasMessage) {
    for (const int depth : {50000, 50001}) {
        const std::string text = "f(x)=" + std::string(depth, '(') + "x" + std::string(depth, ')');
        BinaryWriter writer;
        FormulaIo::WriteRecord(writer, text);
        Core::FormulaFileResult read =
            FormulaIo::ReadFormulaFile(folder.Write("deep.fun", writer.Bytes()));
        EXPECT_TRUE(read.text == text) << depth;  // the text stays with the caller
        if (depth == 50000) {
            ASSERT_TRUE(read.node) << read.message;
            read.node->GetChild(0)->SetValue(Core::Complex(3.5, 0), 0);
            EXPECT_EQ(read.node->Evaluate(), Core::Complex(3.5, 0));
        } else {
            EXPECT_EQ(read.message, "Parentheses are nested more than 50000 deep.");
            EXPECT_TRUE(read.formulaError);
            EXPECT_FALSE(read.node);
        }
    }
}

TEST_F(FormulaFiles, AFailedWriteKeepsTheOldFile) {
    const std::string path = folder.Write("kept.fun", kDoubleFile);
    // Not a formula node, or a formula node without a formula: refused before the file is opened.
    EXPECT_EQ(FormulaIo::WriteFormulaFile(Node::Create(300), path).message, "Internal error.");
    EXPECT_EQ(FormulaIo::WriteFormulaFile(Node::Create(Core::kFormulaCapsuleId), path).message,
              "Internal error.");
    EXPECT_EQ(FormulaIo::WriteFormulaFile(Node::Ptr(), path).message, "Internal error.");
    // The file beside the target cannot be made.
    std::filesystem::create_directory(path + ".part");
    EXPECT_EQ(FormulaIo::WriteFormulaFile(test::FormulaNode("g(y)=y"), path).message,
              "Couldn't open file.");
    EXPECT_EQ(test::ReadAll(path), kDoubleFile);
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
