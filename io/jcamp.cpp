#include "io/jcamp.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <new>

#include "foundation/exception.h"
#include "foundation/numeric.h"
#include "foundation/text.h"
#include "io/data_text.h"

namespace {

const char kNoTable[] = "No (X++(Y..Y)) data table in the file.";

const std::map<std::string, int>& LabelTable() {
    static const std::map<std::string, int> table = [] {
        struct Group {
            int first;
            std::vector<const char*> names;
        };
        const Group groups[] = {
            {0,
             {"TITLE", "JCAMPDX", "DATATYPE", "DATACLASS", "APPLICATION", "DICTIONARY", "BLOCKS",
              "BLOCKID", "END"}},
            {100, {"XYDATA", "XYPAIRS", "XYPOINTS", "PEAKTABLE", "PEAKASSIGNMENTS", "RADATA"}},
            {200,
             {"XUNITS", "YUNITS", "XLABEL", "YLABEL", "XFACTOR", "YFACTOR", "FIRSTX", "LASTX",
              "NPOINTS", "FIRSTY", "MAXX", "MINX", "MAXY", "MINY"}},
            {300,
             {"RUNITS", "AUNITS", "FIRSTR", "LASTR", "MAXA", "MINA", "RFACTOR", "AFACTOR", "FIRSTA",
              "ALIAS", "ZPD"}},
            {400, {"NTUPLES"}},
            {500,
             {"VARNAME", "SYMBOL", "VARTYPE", "VARFORM", "VARDIM", "UNITS", "FIRST", "LAST", "MIN",
              "MAX", "FACTOR"}},
            {600, {"PAGE"}},
            {700,
             {"DELTAX", "CLASS", "ORIGIN", "OWNER", "DATE", "TIME", "SOURCEREFERENCE",
              "CROSSREFERENCE"}},
            {800, {"SPECTROMETERDATASYSTEM", "INSTRUMENTPARAMETERS"}},
            {900,
             {"SAMPLEDESCRIPTION", "CASNAME", "NAMES", "MOLEFORM", "CASREGISTRYNO", "WISWESSER",
              "BEILSTEINLAWSONNO", "MP", "BP", "REFRACTIVEINDEX", "DENSITY", "MW",
              "CONCENTRATIONS"}},
            {1000,
             {"SAMPLINGPROCEDURE", "STATE", "PATHLENGTH", "PRESSURE", "TEMPERATURE",
              "DATAPROCESSING"}},
            {1100, {".SPECTROMETERTYPE", ".INLET", ".IONIZATIONMODE"}},
            {1200,
             {".INLETTEMPERATURE", ".SOURCETEMPERATURE", ".IONIZATIONENERGY",
              ".ACCELERATINGVOLTAGE", ".TOTALIONCURRENT", ".ACQUISITIONRANGE", ".DETECTOR",
              ".SCANNUMBER", ".RETENTIONTIME", ".BASEPEAK", ".BASEPEAKINTENSITY", ".RIC",
              ".NOMINALMASS", ".MONOISOTOPICMASS"}},
            {1300,
             {".OBSERVEFREQUENCY", ".OBSERVENUCLEUS", ".SOLVENTREFERENCE", ".DELAY",
              ".ACQUISITIONMODE"}},
            {1400,
             {".FIELD", ".DECOUPLER", ".FILTERWIDTH", ".ACQUISITIONTIME", ".ZEROFILL", ".AVERAGES",
              ".DIGITIZERRES", ".SPINNINGRATE", ".PHASE0", ".PHASE1", ".MININTENSITY",
              ".MAXINTENSITY", ".OBSERVE90", ".COUPLINGCONSTANTS", ".RELAXATIONTIMES"}},
            {1500, {"COMMENT"}},
            {10000, {"USER"}},
        };
        std::map<std::string, int> codes;
        for (const Group& group : groups) {
            int code = group.first;
            for (const char* name : group.names) codes[name] = code++;
        }
        return codes;
    }();
    return table;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Label values are checked as edit fields check numbers and read in the "C" locale.
bool ParseLabelNumber(const std::string& text, double& value) {
    const std::string trimmed = Trim(text);
    if (!IsNumber(trimmed)) return false;
    value = 0.0;
    Core::ReadNumber(trimmed, value);
    return true;
}

[[noreturn]] void Fail(const std::string& message) {
    throw Winplus::Exception(message);
}

}  // namespace

JCAMPDX::JCAMPDX() : output_(Safe::MakeX<Spectrum>()) {
    LabelTable();
}

// --- Lines and records ---

int JCAMPDX::ClassifyLine(const std::string& line) {
    if (line.size() < 3) return -1;
    if (line.compare(0, 2, "$$") == 0) return 1;
    if (line.compare(0, 2, "##") != 0) return -1;
    return line[2] == '=' ? 1 : 0;
}

int JCAMPDX::LabelCode(const std::string& name) {
    std::string key;
    for (char c : name) {
        if (c == ' ' || c == '_' || c == '-' || c == '/' || c == '\\' || c == '\t') continue;
        key.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    if (key.empty()) return -1;
    if (key[0] == '$') return kUser;
    const auto& table = LabelTable();
    auto found = table.find(key);
    return found == table.end() ? -1 : found->second;
}

std::string JCAMPDX::StripComment(const std::string& text) {
    return Trim(text.substr(0, text.find("$$")));
}

int JCAMPDX::VariableListKind(const std::string& list) {
    std::string key;
    for (char c : list)
        if (c != ' ' && c != '_' && c != '-' && c != '/' && c != '\\' && c != '\t')
            key.push_back(c);
    if (key == "(X++(Y..Y))") return 0;
    if (key == "(XY..XY)") return 1;
    if (key == "(XYZ..XYZ)") return 2;
    if (key == "(XYW..XYW)") return 3;
    return -1;
}

void JCAMPDX::FailAtLine(const std::string& before, const std::string& after) const {
    Fail(before + ToString(lineNumber_) + after);
}

bool JCAMPDX::ReadNextLine() {
    std::string raw;
    const Core::LineStatus status = Core::ReadLine(*in_, raw);
    if (status == Core::LineStatus::End) {
        line_.clear();
        return false;
    }
    if (lineNumber_ < std::numeric_limits<int>::max()) ++lineNumber_;
    if (status == Core::LineStatus::TooLong) FailAtLine("Line too long at line : ", "");
    if (status == Core::LineStatus::Error) Fail("File read failed");
    line_ = Trim(raw);
    return true;
}

// Moves on to the next labelled record; false at the end of the file.
void JCAMPDX::SkipToRecord() {
    while (ClassifyLine(line_) != 0)
        if (!ReadNextLine()) return;
}

bool JCAMPDX::ParseRecord(JDXLabel& label) {
    if (ClassifyLine(line_) != 0) return false;
    const std::size_t equals = line_.find('=');
    if (equals == std::string::npos) return false;
    label.name = line_.substr(2, equals - 2);
    label.code = LabelCode(label.name);
    label.value = StripComment(line_.substr(equals + 1));
    switch (label.code) {
        case kXyData:
        case kXyPoints:
        case kPeakTable:
        case kPeakAssignments:
        case kRaData:
            // The table's first line.
            ReadNextLine();
            return true;
        case kEnd: return true;
        default: break;
    }
    // The value goes on over the following lines up to the next record.
    while (ReadNextLine()) {
        const int kind = ClassifyLine(line_);
        if (kind == 0) break;
        if (kind == 1) continue;
        const std::string text = StripComment(line_);
        if (text.empty()) continue;
        if (!label.value.empty() && label.value.back() == '=') {
            label.value.pop_back();
        } else {
            label.value.push_back('\n');
        }
        label.value += text;
    }
    return true;
}

bool JCAMPDX::Parse(int depth) {
    while (ClassifyLine(line_) != 0)
        if (!ReadNextLine()) Fail("Invalid JCampDx file");
    bool titled = false;
    for (;;) {
        auto label = Safe::MakeX<JDXLabel>();
        if (!ParseRecord(*label)) {
            // "##" without "=" is no record: passed over, or it would be met again and again.
            if (!ReadNextLine()) return false;
        } else {
            switch (label->code) {
                case kTitle:
                    if (!titled) {
                        titled = true;
                        labels_.push_back(label);
                    } else {
                        // A block of a compound file. Its data never reach this block's
                        // spectrum, but its errors end the load.
                        if (depth >= kMaxDepth) FailAtLine("At line ", " Too many nested blocks");
                        JCAMPDX nested;
                        nested.in_ = in_;
                        nested.Parse(depth + 1);
                    }
                    break;
                case kEnd: return true;
                case kXyData:
                case kXyPoints:
                case kPeakTable:
                case kPeakAssignments:
                case kRaData:
                    labels_.push_back(label);
                    if (!ReadDataTable(*label)) return false;
                    break;
                case -1: break;
                default: labels_.push_back(label); break;
            }
        }
        SkipToRecord();
        if (ClassifyLine(line_) != 0) return false;
    }
}

std::string JCAMPDX::LabelValue(int code) const {
    for (const auto& label : labels_)
        if (label->code == code) return label->value;
    return std::string();
}

// --- Tables ---

double JCAMPDX::RequiredValue(int code, const char* label) const {
    const std::string text = LabelValue(code);
    if (Trim(text).empty()) Fail(std::string("##") + label + "= information missing.");
    double value = 0.0;
    if (!ParseLabelNumber(text, value) || !std::isfinite(value))
        Fail(std::string("##") + label + "= invalid value.");
    return value;
}

double JCAMPDX::FactorValue(int code, const char* label) const {
    const std::string text = LabelValue(code);
    if (Trim(text).empty()) return 1.0;
    double value = 1.0;
    if (!ParseLabelNumber(text, value) || !std::isfinite(value))
        Fail(std::string("##") + label + "= invalid value.");
    return value;
}

bool JCAMPDX::ReadDataTable(const JDXLabel& label) {
    const int kind = VariableListKind(label.value);
    switch (label.code) {
        case kXyPoints: Fail("XYPOINTS option is not implemented");
        case kPeakTable: Fail("PEAK TABLE option is not implemented");
        case kPeakAssignments: Fail("PEAK ASSIGNMENTS option is not implemented");
        default: break;
    }
    const bool radial = label.code == kRaData;
    const double points = RequiredValue(kNPoints, "NPOINTS");
    if (points < 2.0 || points != std::floor(points)) Fail("##NPOINTS= invalid value.");
    count_ = SaturateToInt(points);
    lowest_ = 0;
    highest_ = count_ - 1;
    first_ = radial ? RequiredValue(kFirstR, "FIRSTR") : RequiredValue(kFirstX, "FIRSTX");
    last_ = radial ? RequiredValue(kLastR, "LASTR") : RequiredValue(kLastX, "LASTX");
    xFactor_ = radial ? FactorValue(kRFactor, "RFACTOR") : FactorValue(kXFactor, "XFACTOR");
    yFactor_ = radial ? FactorValue(kAFactor, "AFACTOR") : FactorValue(kYFactor, "YFACTOR");
    if (count_ > kMaxPoints)
        Fail("Too many points : " + ToString(count_) + "\n Actual maximum size is : " +
             ToString(kMaxPoints) + "\n Modify maximum value in data file options.");
    // Equal ends give no step between the points.
    if (first_ == last_)
        Fail(radial ? "##FIRSTR= and ##LASTR= are equal." : "##FIRSTX= and ##LASTX= are equal.");
    output_->Resize(count_);
    switch (kind) {
        case 0: return ReadXYData();
        case 1: Fail("(XY..XY) option for data block is not implemented");
        case 2: Fail("(XYZ..XYZ) option for data block is not implemented");
        default:
            Fail(radial ? "Unknown variable list for RADATA block"
                        : "Unknown variable list for XYDATA block");
    }
}

bool JCAMPDX::ReadXYData() {
    step_ = (last_ - first_) / (count_ - 1);
    indexStep_ = step_ >= 0.0 ? 1 : -1;
    startIndex_ = indexStep_ > 0 ? 0 : count_ - 1;
    pendingCheck_ = false;
    int index = startIndex_;
    while (ClassifyLine(line_) != 0) {
        if (ClassifyLine(line_) != 1) DecodeDataLine(StripComment(line_), index);
        if (!ReadNextLine()) break;
    }
    const int end = indexStep_ > 0 ? count_ : -1;
    // A last line that ends with a DIF value has no follower to repeat it: the value is data.
    if (pendingCheck_ && index + indexStep_ == end) index = end;
    if (index != end) Fail("Invalid data number.");
    tableRead_ = true;
    return true;
}

double JCAMPDX::GridAbscissa(int index) const {
    return first_ + (index - startIndex_) * indexStep_ * step_;
}

void JCAMPDX::DecodeDataLine(const std::string& line, int& index) {
    std::size_t pos = 0;
    const Value x = NextValue(line, pos);
    if (x.count == 0) return;
    if (x.dif || x.count != 1 || std::isnan(x.value)) FailAtLine("At line ", " Invalid abscissa");
    double abscissa = x.value;
    if (xFactor_ != 1.0) abscissa *= xFactor_;

    // The nearest index within half a step on either side, in either table direction: some
    // instruments write each line's abscissa rounded by up to a third of a step.
    const double real = (abscissa - first_) * indexStep_ / step_ + startIndex_;
    if (!std::isfinite(real)) FailAtLine("At line ", " Invalid abscissa");
    const double nearest = std::round(real);
    if (std::fabs(real - nearest) >= 0.5) {
        notice_ = "CURSS: " + ToString(index) + " Index: " + ToString(SaturateToInt(nearest));
        if (index == startIndex_)
            FailAtLine("Error at line ", "\nFirst abscissa must be equal to FIRSTX.");
        FailAtLine("Error at line ", "\nInvalid abscissa or probable error in NPOINTS.");
    }
    if (nearest != static_cast<double>(index))
        FailAtLine("At line ", " X should be " + ToString(GridAbscissa(index)));

    Value y = NextValue(line, pos);
    if (y.count == 0) {
        pendingCheck_ = false;
        return;
    }
    if (y.dif) Fail("First ordinate is DUP value .. NOT ALLOWED");
    std::vector<double>& xs = output_->X()->Values();
    std::vector<double>& re = output_->Re()->Values();
    double previous = 0.0;
    bool lastDif = false;
    while (y.count > 0) {
        for (int k = 0; k < y.count; ++k) {
            const double ordinate = y.dif ? previous + y.value : y.value;
            if (index < lowest_ || index > highest_) Fail("Too many ordinates for array.");
            // The grid's own abscissa: the line's is rounded in some files.
            xs[static_cast<std::size_t>(index)] = GridAbscissa(index);
            re[static_cast<std::size_t>(index)] = yFactor_ * ordinate;
            index += indexStep_;
            previous = ordinate;
        }
        lastDif = y.dif;
        y = NextValue(line, pos);
    }
    // The last DIF value is the check value that the next line repeats as its first ordinate.
    if (lastDif) index -= indexStep_;
    pendingCheck_ = lastDif;
}

int JCAMPDX::ReadDup(const std::string& line, std::size_t& pos) const {
    if (pos >= line.size()) return 0;
    const char c = line[pos];
    int count;
    if (c >= 'S' && c <= 'Z') {
        count = c - 'S' + 1;
    } else if (c == 's') {
        count = 9;
    } else {
        return 0;
    }
    // More repeats than any table holds all end in the same error.
    for (++pos; pos < line.size() && IsDigit(line[pos]); ++pos)
        count = std::min(count * 10 + (line[pos] - '0'), kMaxPoints + 1);
    return count;
}

JCAMPDX::Value JCAMPDX::NextValue(const std::string& line, std::size_t& pos) const {
    Value result;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) return result;
    const char c = line[pos];
    if (c == '?') {
        ++pos;
        result.value = std::numeric_limits<double>::quiet_NaN();
        const int dup = ReadDup(line, pos);
        result.count = dup > 0 ? dup : 1;
        return result;
    }
    int digit = -1;  // none: a sign was read
    bool negative = false;
    bool fraction = false;
    if (IsDigit(c)) {
        digit = c - '0';
    } else if (c == '@') {
        digit = 0;
    } else if (c >= 'A' && c <= 'I') {
        digit = c - 'A' + 1;
    } else if (c >= 'a' && c <= 'i') {
        digit = c - 'a' + 1;
        negative = true;
    } else if (c == '%') {
        digit = 0;
        result.dif = true;
    } else if (c >= 'J' && c <= 'R') {
        digit = c - 'J' + 1;
        result.dif = true;
    } else if (c >= 'j' && c <= 'r') {
        digit = c - 'j' + 1;
        result.dif = true;
        negative = true;
    } else if (c == '.' && pos + 1 < line.size() && IsDigit(line[pos + 1])) {
        // Plain decimals such as ".25", written by real instruments.
        digit = 0;
        fraction = true;
    } else if (c == '+' || c == '-') {
        negative = c == '-';
        if (pos + 1 >= line.size()) FailAtLine("Unexpected EOL at line : ", "");
        const char next = line[pos + 1];
        if (!IsDigit(next) && next != '.') FailAtLine("Invalid character sequence at line : ", "");
    } else {
        FailAtLine("Invalid character at line ", std::string(" : \n") + c);
    }
    ++pos;
    // Digits are gathered as an integer and scaled once, which keeps written decimals exact.
    double value = digit > 0 ? digit : 0.0;
    int decimals = 0;
    for (; pos < line.size(); ++pos) {
        const char d = line[pos];
        if (IsDigit(d)) {
            value = value * 10.0 + (d - '0');
            if (fraction) ++decimals;
        } else if (d == '.') {
            if (fraction) FailAtLine("Invalid decimal point at line : ", "");
            fraction = true;
        } else {
            break;
        }
    }
    if (decimals > 0) value /= std::pow(10.0, decimals);
    const int dup = ReadDup(line, pos);
    result.count = dup > 0 ? dup : 1;
    result.value = negative ? -value : value;
    while (pos < line.size() &&
           (line[pos] == ' ' || line[pos] == '\t' || line[pos] == ',' || line[pos] == ';'))
        ++pos;
    return result;
}

// --- Entry points ---

bool JCAMPDX::IsJcampDx(std::istream& in) {
    JCAMPDX reader;
    reader.in_ = &in;
    try {
        // Only blank lines and comments may come before the first record, so a data file is
        // known at its first data line and not read to its end.
        while (reader.ReadNextLine()) {
            const std::string& line = reader.line_;
            const int kind = ClassifyLine(line);
            if (kind == 0) {
                JDXLabel label;
                return reader.ParseRecord(label) && label.code == kTitle;
            }
            if (kind == -1 && !line.empty() && line.compare(0, 2, "$$") != 0) return false;
        }
        return false;
    } catch (const Winplus::Exception&) {
        return false;  // a line too long, or the file unreadable
    }
}

bool JCAMPDX::IsJcampDx(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.is_open() && IsJcampDx(in);
}

bool JCAMPDX::Load(std::istream& in) {
    labels_.clear();
    line_.clear();
    lineNumber_ = 0;
    xFactor_ = 1.0;
    yFactor_ = 1.0;
    tableRead_ = false;
    error_.clear();
    notice_.clear();
    in_ = &in;
    try {
        try {
            Parse(0);
        } catch (const std::bad_alloc&) {
            Fail("Allocation error.");
        }
        if (!tableRead_) Fail(kNoTable);
    } catch (const Winplus::Exception& e) {
        in_ = nullptr;
        error_ = e.GetMessage();
        return false;
    }
    in_ = nullptr;
    return true;
}

bool JCAMPDX::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        error_ = "Couldn't open file.";
        notice_.clear();
        return false;
    }
    return Load(in);
}
