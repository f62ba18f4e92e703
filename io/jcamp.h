#pragma once
// JCAMP-DX spectrum files: labelled data records ("##LABEL= value") with an equally spaced
// (X++(Y..Y)) table in any ASDF form (AFFN, PAC, SQZ, DIF, DUP). Other table forms are refused
// with a message. The spectrum is in ascending abscissa whatever the table's direction.
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "foundation/countable.h"
#include "foundation/spectrum.h"

class JDXLabel : public Safe::Countable {
public:
    std::string name;  // as written between "##" and "="
    int code = -1;
    std::string value;
};

class JCAMPDX : public Safe::Countable {
public:
    // Label codes the reader acts on.
    enum Code {
        kTitle = 0,
        kEnd = 8,
        kXyData = 100,
        kXyPoints = 102,
        kPeakTable = 103,
        kPeakAssignments = 104,
        kRaData = 105,
        kXFactor = 204,
        kYFactor = 205,
        kFirstX = 206,
        kLastX = 207,
        kNPoints = 208,
        kFirstR = 302,
        kLastR = 303,
        kRFactor = 306,
        kAFactor = 307,
        kUser = 10000,
    };
    static constexpr int kMaxPoints = 25000;
    // Blocks of a compound file nest one deep; more than this is a damaged file.
    static constexpr int kMaxDepth = 8;

    JCAMPDX();

    // Whether the first labelled record is TITLE. Nothing is shown.
    static bool IsJcampDx(std::istream& in);
    static bool IsJcampDx(const std::string& path);
    // Reads the file into the output spectrum. False with the error's message (GetError) for a
    // damaged file or one without an (X++(Y..Y)) table; nothing is shown here.
    bool Load(std::istream& in);
    bool Load(const std::string& path);

    const Spectrum::Ptr& GetOutput() const { return output_; }
    // The message of the last failed load, empty after a successful one.
    const std::string& GetError() const { return error_; }
    // What the user is told before that error when a line's abscissa lies between two points
    // ("CURSS: " with the indexes); empty otherwise.
    const std::string& GetNotice() const { return notice_; }
    const std::vector<Safe::XPtr<JDXLabel>>& GetLabels() const { return labels_; }

    // 0 a labelled record, 1 a comment, -1 anything else (on a trimmed line).
    static int ClassifyLine(const std::string& line);
    // The code of a label name: blanks, "_", "-", "/", "\" and tabs do not count, nor does
    // letter case; a name that begins with "$" is a user label; -1 for an unknown one.
    static int LabelCode(const std::string& name);
    // The text before the first "$$", trimmed.
    static std::string StripComment(const std::string& text);
    // 0 "(X++(Y..Y))", 1 "(XY..XY)", 2 "(XYZ..XYZ)", 3 "(XYW..XYW)", -1 anything else.
    static int VariableListKind(const std::string& list);

    // One value of a table line from pos: count 0 when the line is exhausted, else the value,
    // its repeat count (DUP) and whether it is a difference (DIF).
    struct Value {
        double value = 0.0;
        int count = 0;
        bool dif = false;
    };
    Value NextValue(const std::string& line, std::size_t& pos) const;

private:
    bool ReadNextLine();
    void SkipToRecord();
    bool ParseRecord(JDXLabel& label);
    bool Parse(int depth);
    std::string LabelValue(int code) const;
    bool ReadDataTable(const JDXLabel& label);
    bool ReadXYData();
    void DecodeDataLine(const std::string& line, int& index);
    // The abscissa of a point, from FIRSTX and the step.
    double GridAbscissa(int index) const;
    int ReadDup(const std::string& line, std::size_t& pos) const;
    double RequiredValue(int code, const char* label) const;
    double FactorValue(int code, const char* label) const;
    [[noreturn]] void FailAtLine(const std::string& before, const std::string& after) const;

    std::istream* in_ = nullptr;
    std::string line_;
    int lineNumber_ = 0;
    double first_ = 0.0;
    double last_ = 0.0;
    double xFactor_ = 1.0;
    double yFactor_ = 1.0;
    double step_ = 0.0;
    int count_ = 0;
    int startIndex_ = 0;
    int indexStep_ = 1;
    int lowest_ = 0;
    int highest_ = 0;
    bool tableRead_ = false;
    // The last line ended with a DIF value that the next line would repeat as its check value.
    bool pendingCheck_ = false;
    std::vector<Safe::XPtr<JDXLabel>> labels_;
    Spectrum::Ptr output_;
    std::string error_;
    std::string notice_;
};
