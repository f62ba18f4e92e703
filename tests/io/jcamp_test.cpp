#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "foundation/text.h"
#include "io/jcamp.h"
#include "reader_support.h"

namespace {

struct Outcome {
    bool ok = false;
    // What the caller is to show: the notice, if any, then the error.
    std::vector<std::string> boxes;
    Spectrum::Ptr spectrum;
    Safe::XPtr<JCAMPDX> reader;
};

Outcome LoadStream(std::istream& in) {
    test::CapturedBoxes shown;
    Outcome outcome;
    outcome.reader = Safe::MakeX<JCAMPDX>();
    outcome.ok = outcome.reader->Load(in);
    EXPECT_TRUE(shown.boxes.empty()) << "the reader showed " << shown.boxes.front().text;
    if (!outcome.reader->GetNotice().empty()) outcome.boxes.push_back(outcome.reader->GetNotice());
    if (!outcome.reader->GetError().empty()) outcome.boxes.push_back(outcome.reader->GetError());
    EXPECT_EQ(outcome.ok, outcome.reader->GetError().empty());
    outcome.spectrum = outcome.reader->GetOutput();
    return outcome;
}

Outcome Load(const std::string& text) {
    std::istringstream in(text);
    return LoadStream(in);
}

// The message a failed load showed (its last box).
std::string Refusal(const std::string& text) {
    Outcome outcome = Load(text);
    EXPECT_FALSE(outcome.ok);
    return outcome.boxes.empty() ? std::string() : outcome.boxes.back();
}

std::string Table(const std::string& npoints, const std::string& first, const std::string& last,
                  const std::string& lines, const std::string& more = "") {
    return "##TITLE= test\n##NPOINTS= " + npoints + "\n##FIRSTX= " + first + "\n##LASTX= " + last +
           "\n" + more + "##XYDATA= (X++(Y..Y))\n" + lines + "##END=\n";
}

TEST(Jcamp, RealFilesLoadOrAreRefused) {
    struct Expected {
        const char* file;
        int points;            // 0: refused with the message
        double firstX, lastX;  // the file's FIRSTX and LASTX in ascending order
        double firstY, lastY;
        const char* message;
    };
    const Expected expected[] = {
        {"dupdec1.jdx", 3951, 450.0, 4400.0, 78.58, 82.25, ""},
        {"dupinc1.jdx", 440, 250.0, 469.5, 1.1663, 0.1626, ""},
        {"dupinc2.jdx", 3734, 400.172, 3999.792, 44.97, 74.56, ""},
        {"fixdec1.jdx", 3951, 450.0, 4400.007, 66.91711656, 64.9151725, ""},
        {"fixinc1.jdx", 3736, 399.263973, 4001.31938, 112.8905654, 69.65283155, ""},
        {"pacdec1.jdx", 3301, 700.0, 4000.0, 101.24, 101.6, ""},
        {"sqzdec1.jdx", 16384, 0.0, 24038.5, 1505988.0, 2259260.0, ""},
        // Abscissas written ".1", starting with the decimal point.
        {"fixinc4.jdx", 81, -2.0, 2.0, 19666262 * 9.3132e-10, 19666262 * 9.3132e-10, ""},
        {"pktab1.jdx", 0, 0, 0, 0, 0, "PEAK TABLE option is not implemented"},
        {"compound.jdx", 0, 0, 0, 0, 0, "No (X++(Y..Y)) data table in the file."},
        {"o06.jdx", 0, 0, 0, 0, 0, "No (X++(Y..Y)) data table in the file."},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.file);
        const std::string path = test::TestData(std::string("jcamp/") + e.file);
        EXPECT_TRUE(JCAMPDX::IsJcampDx(path));
        std::ifstream in(path, std::ios::binary);
        Outcome outcome = LoadStream(in);
        if (e.points == 0) {
            EXPECT_FALSE(outcome.ok);
            EXPECT_EQ(outcome.boxes, std::vector<std::string>{e.message});
            continue;
        }
        ASSERT_TRUE(outcome.ok) << (outcome.boxes.empty() ? "" : outcome.boxes.back());
        EXPECT_TRUE(outcome.boxes.empty());
        const Spectrum::Ptr& s = outcome.spectrum;
        ASSERT_EQ(s->Size(), e.points);
        // Every abscissa lies on the grid that FIRSTX, LASTX and NPOINTS span.
        const std::vector<double>& x = s->X()->Values();
        const double step = (e.lastX - e.firstX) / (e.points - 1);
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_NEAR(x[i], e.firstX + static_cast<double>(i) * step, 1e-9 * e.lastX) << i;
        EXPECT_NEAR(s->Re()->Values().front(), e.firstY, 1e-6 * std::fabs(e.firstY));
        EXPECT_NEAR(s->Re()->Values().back(), e.lastY, 1e-6 * std::fabs(e.lastY));
        EXPECT_EQ(s->Im()->Max(), 0.0);
    }
    // Extremes confirm that every compressed value was decoded (the files' MAXY).
    Outcome dup = LoadStream(*std::make_unique<std::ifstream>(test::TestData("jcamp/dupdec1.jdx")));
    EXPECT_NEAR(dup.spectrum->Max(Spectrum::kRe), 87.1, 1e-9);
    Outcome uv = LoadStream(*std::make_unique<std::ifstream>(test::TestData("jcamp/dupinc1.jdx")));
    EXPECT_NEAR(uv.spectrum->Max(Spectrum::kRe), 3.3747, 1e-9);
}

// A real file rewritten: each table line's abscissa moved by shift (in steps of -1, the file's
// own), and every line end replaced by lineEnd.
std::string Rewritten(const std::string& text, double shift, const std::string& lineEnd) {
    std::istringstream in(text);
    std::string result, line;
    bool table = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("##", 0) == 0)
            table = line.rfind("##XYDATA", 0) == 0;
        else if (table && !line.empty()) {
            const std::size_t end = line.find_first_of(" +-", 1);
            line = ToString(std::stod(line.substr(0, end)) - shift) + line.substr(end);
        }
        result += line + lineEnd;
    }
    return result;
}

TEST(Jcamp, RoundedAbscissasAndOldLineEndsReadTheSameSpectrum) {
    const std::string original = test::ReadAll(test::TestData("jcamp/pacdec1.jdx"));
    Outcome reference = Load(original);
    ASSERT_TRUE(reference.ok);
    ASSERT_EQ(reference.spectrum->Size(), 3301);
    for (double shift : {-0.31, 0.3, 0.45}) {
        for (const char* lineEnd : {"\n", "\r", "\r\n"}) {
            SCOPED_TRACE(std::to_string(shift) + (lineEnd[0] == '\r' ? " CR" : " LF"));
            Outcome outcome = Load(Rewritten(original, shift, lineEnd));
            ASSERT_TRUE(outcome.ok) << outcome.boxes.back();
            EXPECT_EQ(outcome.spectrum->X()->Values(), reference.spectrum->X()->Values());
            EXPECT_EQ(outcome.spectrum->Re()->Values(), reference.spectrum->Re()->Values());
        }
    }
    // Half a step is no nearest point: the CURSS notice and the error.
    Outcome half = Load(Rewritten(original, 0.5, "\n"));
    ASSERT_EQ(half.boxes.size(), 2u);
    EXPECT_EQ(half.boxes[0], "CURSS: 3300 Index: 3300");

    // On a small table: the grid's abscissas, not the lines' rounded ones.
    Outcome rounded = Load(Table("6", "0", "5", "0.3 1 2 3\n2.7 4 5 6\n"));
    ASSERT_TRUE(rounded.ok) << rounded.boxes.back();
    EXPECT_EQ(rounded.spectrum->X()->Values(), (std::vector<double>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(rounded.spectrum->Re()->Values(), (std::vector<double>{1, 2, 3, 4, 5, 6}));
}

TEST(Jcamp, EveryCompressionFormGivesTheSameSpectrum) {
    // 100 102 105 105 105 101 101 102 102 102 104 over x = 10 down to 0.
    const std::string forms[] = {
        "10 100 102 105 105 105\n5 101 101 102 102 102 104\n",  // AFFN
        "10+100+102+105+105+105\n5+101+101+102+102+102+104\n",  // PAC
        "10A00A02A05A05A05\n5A01A01A02A02A02A04\n",             // SQZ
        "10A00KL%Tj4\n5A01%J%TK\n",                             // DIFDUP, final DIF
        "10A00KL%Tj4 $$ check\n5A01%J%T\n1A02A04\n",            // DIFDUP, check lines
    };
    std::vector<double> reference;
    for (const std::string& lines : forms) {
        SCOPED_TRACE(lines);
        Outcome outcome = Load(Table("11", "10", "0", lines, "##YFACTOR= 0.5\n"));
        ASSERT_TRUE(outcome.ok) << (outcome.boxes.empty() ? "" : outcome.boxes.back());
        EXPECT_EQ(outcome.spectrum->X()->Values(),
                  (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        if (reference.empty()) reference = outcome.spectrum->Re()->Values();
        EXPECT_EQ(outcome.spectrum->Re()->Values(), reference);
    }
    EXPECT_EQ(reference,
              (std::vector<double>{52, 51, 51, 51, 50.5, 50.5, 52.5, 52.5, 52.5, 51, 50}));
}

TEST(Jcamp, LinesAndLabels) {
    EXPECT_EQ(JCAMPDX::ClassifyLine("##TITLE= a"), 0);
    EXPECT_EQ(JCAMPDX::ClassifyLine("##= note"), 1);
    EXPECT_EQ(JCAMPDX::ClassifyLine("$$ note"), 1);
    EXPECT_EQ(JCAMPDX::ClassifyLine("##"), -1);
    EXPECT_EQ(JCAMPDX::ClassifyLine("12 34"), -1);
    for (const char* name : {"JCAMPDX", "jcamp-dx", "J CAMP_D/X", "Jcamp\\\tDx"})
        EXPECT_EQ(JCAMPDX::LabelCode(name), 1) << name;
    EXPECT_EQ(JCAMPDX::LabelCode("$MY LABEL"), JCAMPDX::kUser);
    EXPECT_EQ(JCAMPDX::LabelCode(".Observe Frequency"), 1300);
    EXPECT_EQ(JCAMPDX::LabelCode("NO SUCH LABEL"), -1);
    EXPECT_EQ(JCAMPDX::LabelCode(" _ "), -1);
    EXPECT_EQ(JCAMPDX::StripComment("  4.24 $$ by hand $$ x"), "4.24");

    std::istringstream blankThenTitle("\n$$ comment\n  ##TITLE= x\n");
    EXPECT_TRUE(JCAMPDX::IsJcampDx(blankThenTitle));
    std::istringstream versionFirst("##JCAMP-DX= 5\n##TITLE= x\n");
    EXPECT_FALSE(JCAMPDX::IsJcampDx(versionFirst));
    std::istringstream none("1 2\n3 4\n");
    EXPECT_FALSE(JCAMPDX::IsJcampDx(none));
    // A data file is known at its first data line, not read to its end.
    std::string longData = "\n$$\n1 2\n";
    for (int i = 0; i < 1000; ++i) longData += "3 4\n";
    std::istringstream dataFirst(longData + "##TITLE= x\n");
    EXPECT_FALSE(JCAMPDX::IsJcampDx(dataFirst));
    EXPECT_EQ(dataFirst.tellg(), 8);
    // A read error is no JCAMP-DX file, and ends a load with a message.
    test::FailingBuffer titleThenError("##TITLE= x\n");
    std::istream failing(&titleThenError);
    EXPECT_FALSE(JCAMPDX::IsJcampDx(failing));
    const std::string table = Table("3", "0", "2", "0 1 2 3\n");
    test::FailingBuffer tableThenError(table.substr(0, table.find("##END")));
    std::istream failingLoad(&tableThenError);
    EXPECT_EQ(LoadStream(failingLoad).boxes, std::vector<std::string>{"File read failed"});

    // A decimal point may open a value.
    Outcome leadingPoint = Load(Table("2", ".5", "1.5", ".5 .25 -.5\n"));
    ASSERT_TRUE(leadingPoint.ok);
    EXPECT_EQ(leadingPoint.spectrum->Re()->Values(), (std::vector<double>{0.25, -0.5}));

    // A value goes on over lines; comment lines between are skipped; unknown labels dropped.
    Outcome outcome = Load(
        "##TITLE= first\n$$ skipped\nsecond $$ tail\n##NO SUCH= 1\n##ORIGIN= "
        "a=\nb\n" +
        Table("2", "0", "1", "0 1 2\n").substr(14));
    ASSERT_TRUE(outcome.ok);
    const auto& labels = outcome.reader->GetLabels();
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[0]->value, "first\nsecond");
    EXPECT_EQ(labels[1]->name, "ORIGIN");
    EXPECT_EQ(labels[1]->value, "ab");
}

TEST(Jcamp, TableDirectionAndCheckValues) {
    // Written from high to low, stored from low to high.
    Outcome down = Load(Table("4", "400", "100", "400 4 3 2 1\n"));
    ASSERT_TRUE(down.ok);
    EXPECT_EQ(down.spectrum->X()->Values(), (std::vector<double>{100, 200, 300, 400}));
    EXPECT_EQ(down.spectrum->Re()->Values(), (std::vector<double>{1, 2, 3, 4}));

    // "A J T": 1, then DIF +1 twice; the last value is the check that the next line repeats.
    Outcome dif = Load(Table("5", "1", "5", "1AJT\n3C%J\n", "##YFACTOR= 2\n"));
    ASSERT_TRUE(dif.ok) << dif.boxes.back();
    EXPECT_EQ(dif.spectrum->Re()->Values(), (std::vector<double>{2, 4, 6, 6, 8}));

    // Abscissas rounded to fewer digits than FIRSTX are matched to the nearest point, in
    // either direction.
    Outcome roundedDown = Load(Table("6", "10.2", "5.2", "10 1 2 3\n7 4 5 6\n"));
    EXPECT_TRUE(roundedDown.ok) << roundedDown.boxes.back();
    Outcome roundedUp = Load(Table("6", "5.2", "10.2", "5 1 2 3\n8 4 5 6\n"));
    EXPECT_TRUE(roundedUp.ok) << roundedUp.boxes.back();
    Outcome missingValue = Load(Table("3", "0", "2", "0 1?2\n"));
    ASSERT_TRUE(missingValue.ok);
    EXPECT_TRUE(std::isnan(missingValue.spectrum->Re()->Values()[1]));
}

TEST(Jcamp, RefusedTablesNameTheirFault) {
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 J 1 3\n")),
              "First ordinate is DUP value .. NOT ALLOWED");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 3 4\n")), "Too many ordinates for array.");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2\n")), "Invalid data number.");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1.2.3 4\n")), "Invalid decimal point at line : 6");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 3 -\n")), "Unexpected EOL at line : 6");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 +x\n")),
              "Invalid character sequence at line : 6");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 #\n")), "Invalid character at line 6 : \n#");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 . 3\n")), "Invalid character at line 6 : \n.");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "J 1 2 3\n")), "At line 6 Invalid abscissa");
    EXPECT_EQ(Refusal(Table("4", "0", "3", "0 1 2\n1 2 3 4\n")), "At line 7 X should be 2");
    EXPECT_EQ(Refusal(Table("25001", "0", "1", "0 1\n")),
              "Too many points : 25001\n Actual maximum size is : 25000\n Modify maximum value "
              "in data file options.");
    EXPECT_EQ(Refusal(Table("3", "", "2", "0 1 2 3\n")), "##FIRSTX= information missing.");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1 2 3\n", "##XFACTOR= two\n")),
              "##XFACTOR= invalid value.");
    EXPECT_EQ(Refusal("##TITLE= t\n##NPOINTS= 3\n##XYDATA= (XY..XY)\n0 1\n"),
              "##FIRSTX= information missing.");
    EXPECT_EQ(Refusal("##TITLE= t\n##NPOINTS=3\n##FIRSTX=0\n##LASTX=1\n##XYDATA= (XY..XY)\n0,1\n"),
              "(XY..XY) option for data block is not implemented");
    EXPECT_EQ(Refusal("##TITLE= t\n##XYPOINTS= (XY..XY)\n0,1\n"),
              "XYPOINTS option is not implemented");
    EXPECT_EQ(Refusal("##TITLE= t\n##NPOINTS=3\n##FIRSTR=0\n##LASTR=1\n##RADATA= (R++(A..A))\n"),
              "Unknown variable list for RADATA block");
    EXPECT_EQ(Refusal("$$ nothing labelled\n"), "Invalid JCampDx file");

    // The misplaced abscissa is announced in a box of its own before the error.
    Outcome off = Load(Table("4", "0", "3", "0 1 2\n2.5 3 4\n"));
    ASSERT_EQ(off.boxes.size(), 2u);
    EXPECT_EQ(off.boxes[0], "CURSS: 2 Index: 3");
    EXPECT_EQ(off.boxes[1], "Error at line 7\nInvalid abscissa or probable error in NPOINTS.");
    EXPECT_EQ(Refusal(Table("4", "3", "0", "2.5 1 2\n")),
              "Error at line 6\nFirst abscissa must be equal to FIRSTX.");
}

TEST(Jcamp, DamagedFilesEndWithAMessage) {
    // A "##" line without "=" is passed over instead of being parsed for ever.
    EXPECT_TRUE(Load(Table("2", "0", "1", "0 1 2\n", "##NO EQUALS SIGN\n")).ok);
    EXPECT_EQ(Refusal("##TITLE= t\n##\n##END\n"), "No (X++(Y..Y)) data table in the file.");

    std::string deep;
    for (int i = 0; i < 200; ++i) deep += "##TITLE= level\n";
    EXPECT_EQ(Refusal(deep), "At line 3 Too many nested blocks");

    for (const char* count : {"1", "0", "-3", "2.5", "x"})
        EXPECT_EQ(Refusal(Table(count, "0", "1", "0 1 2\n")), "##NPOINTS= invalid value.") << count;
    EXPECT_EQ(Refusal(Table("3", "5", "5", "5 1 2 3\n")), "##FIRSTX= and ##LASTX= are equal.");
    EXPECT_EQ(Refusal(Table("3", "0", "1e999", "0 1 2 3\n")), "##LASTX= invalid value.");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "? 1 2 3\n")), "At line 6 Invalid abscissa");
    EXPECT_EQ(Refusal(Table("3", "0", "2", "0 1S99999999999999999999\n")),
              "Too many ordinates for array.");
    EXPECT_EQ(Refusal(Table("25000", "0", "1", "0 1" + std::string(1000, '9') + "\n")),
              "Invalid data number.");
    // Up to 25000 points are read.
    Outcome most = Load(Table("25000", "1", "25000", "1 7T5000\n"));
    ASSERT_TRUE(most.ok);
    EXPECT_EQ(most.spectrum->Size(), 25000);
    EXPECT_EQ(most.spectrum->Re()->Values().back(), 7.0);

    // Tables other than (X++(Y..Y)), and files cut short, give no spectrum of 0 points.
    EXPECT_EQ(Refusal("##TITLE= t\n##XYPAIRS= (XY..XY)\n1 2\n##END=\n"),
              "No (X++(Y..Y)) data table in the file.");
    const std::string whole = Table("4", "0", "3", "0 1 2 3 4\n");
    EXPECT_EQ(Refusal(whole.substr(0, whole.find("##XYDATA"))),
              "No (X++(Y..Y)) data table in the file.");
    EXPECT_EQ(Refusal(whole.substr(0, whole.find("3 4"))), "Invalid data number.");
    EXPECT_TRUE(Load(whole.substr(0, whole.find("##END"))).ok);
    EXPECT_EQ(Refusal("##TITLE= t\n" + std::string(100000, 'x')), "Line too long at line : 2");
}

}  // namespace
