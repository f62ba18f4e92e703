#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>

#include "foundation/exception.h"
#include "io/opus.h"
#include "reader_support.h"

namespace {

std::string Little(std::uint64_t value, int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string Name(const char* name) {
    return std::string(name, 3) + '\0';
}
std::string Int(const char* name, std::int32_t value) {
    return Name(name) + Little(0, 2) + Little(2, 2) + Little(static_cast<std::uint32_t>(value), 4);
}
std::string Double(const char* name, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Name(name) + Little(1, 2) + Little(4, 2) + Little(bits, 8);
}
std::string Text(const char* name, int type, const std::string& text, int units) {
    std::string value = text;
    value.resize(2 * static_cast<std::size_t>(units), '\0');
    return Name(name) + Little(static_cast<std::uint64_t>(type), 2) +
           Little(static_cast<std::uint64_t>(units), 2) + value;
}
const std::string kEnd = Name("END") + Little(0, 4);

std::string Floats(const std::vector<float>& values) {
    std::string bytes;
    for (float value : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        bytes += Little(bits, 4);
    }
    return bytes;
}

// An Opus file built in memory: header, a directory of up to 40 entries, then the blocks.
struct OpusFile {
    struct Entry {
        std::uint32_t type;
        std::string bytes;
    };
    std::vector<Entry> blocks;
    std::uint32_t directoryOffset = 24;
    std::uint32_t capacity = 40;
    std::int64_t count = -1;  // the number of blocks unless set
    double version = 920622.0;

    OpusFile& Add(std::uint32_t type, std::string bytes) {
        bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
        blocks.push_back({type, std::move(bytes)});
        return *this;
    }
    std::string Bytes() const {
        std::uint64_t bits;
        std::memcpy(&bits, &version, sizeof bits);
        const std::int64_t n = count >= 0 ? count : static_cast<std::int64_t>(blocks.size());
        std::string file = Little(0xFEFE0A0Au, 4) + Little(bits, 8) + Little(directoryOffset, 4) +
                           Little(capacity, 4) + Little(static_cast<std::uint32_t>(n), 4);
        file.resize(504, '\0');
        std::uint32_t offset = 504;
        for (std::size_t i = 0; i < blocks.size() && i < 40; ++i) {
            const std::string entry = Little(blocks[i].type, 4) +
                                      Little(blocks[i].bytes.size() / 4, 4) + Little(offset, 4);
            if (directoryOffset + 12 * i + 12 <= file.size())
                file.replace(directoryOffset + 12 * i, 12, entry);
            offset += static_cast<std::uint32_t>(blocks[i].bytes.size());
        }
        for (const Entry& block : blocks) file += block.bytes;
        return file;
    }
};

std::string Grid(int npt, double fxv, double lxv) {
    return Int("DPF", 1) + Int("NPT", npt) + Double("FXV", fxv) + Double("LXV", lxv);
}

// A reflectance file of the given parameter block and values.
std::string Reflectance(const std::string& parameters, const std::vector<float>& values) {
    return OpusFile()
        .Add(Opus::kReflectance, parameters)
        .Add(Opus::kReflectance - 16, Floats(values))
        .Bytes();
}

std::string Failure(const std::string& bytes, int type = Opus::kReflectance) {
    std::istringstream in(bytes);
    try {
        Opus::ReadSpectrum(in, type);
    } catch (const Winplus::Exception& e) {
        return e.GetMessage();
    }
    return "read";
}

Spectrum::Ptr Read(const std::string& bytes, int type = Opus::kReflectance) {
    std::istringstream in(bytes);
    return Opus::ReadSpectrum(in, type);
}

std::vector<std::string> Present(std::istream& in) {
    std::vector<std::string> names;
    for (const Opus::BlockInfo& info : Opus::ListSpectra(in))
        if (info.present) names.push_back(info.name);
    return names;
}

TEST(Opus, RealFilesListAndReadTheirKinds) {
    struct Kind {
        int type;
        int points;
        double firstX, lastX, firstY, lastY;
    };
    struct Expected {
        const char* file;
        std::vector<std::string> present;
        std::vector<Kind> kinds;
    };
    const std::string sample = "Sample single chanel", background = "Background single chanel";
    const Expected expected[] = {
        {"test_spectra.0",
         {"Reflectance", background, sample},
         {{0x301F, 4819, 599.920607, 7498.291691, 0.03384891525, 0.5243431926},
          {0x041B, 4825, 597.0570241, 7504.018857, 0.2429633141, 0.007789580151},
          {0x0417, 4819, 599.920607, 7498.291691, 0.008530876599, 0.004119829275}}},
        {"617262_1TP_C-1_A5.0",
         {background, sample, "AB spectrum", "IS spectrum", "IB spectrum"},
         {{0x041B, 3584, 595.8818516, 7505.411542, 0.01023971662, 0.003257934703},
          {0x0417, 3578, 599.7386921, 7497.697861, 0.0003569948021, 0.0008620703593},
          {0x101F, 3578, 599.7386921, 7497.697861, 1.476038098, 0.552472949},
          // Interferograms run upwards in the file already; CSF scales them.
          {0x0817, 29456, 0.0, 29455.0, -0.0001454477169, -0.000118677417},
          {0x081B, 29456, 0.0, 29455.0, 7.455812738e-05, 0.0001533529576}}},
        {"issue82_Opus_test.0",
         {background, sample, "AB spectrum"},
         // The data blocks hold 42 values more than NPT.
         {{0x041B, 1118, 3584.0, 12520.0, 0.02359552495, 0.007995591499},
          {0x0417, 1112, 3600.0, 12488.0, 0.0002236501023, 0.0005153040984},
          {0x101F, 1112, 3600.0, 12488.0, 1.991413951, 0.9984222054}}},
        {"MMP_2107_Test1.001",
         {background, sample, "AB spectrum", "IS spectrum", "IB spectrum"},
         {{0x041B, 1868, 3938.966929, 11559.74543, 0.02648357302, 0.002206386067},
          {0x0417, 1862, 3947.130591, 11543.41811, 0.002929861192, 0.00121313869},
          {0x101F, 1899, 3948.0, 11540.0, 0.7979746461, 0.07139988244},
          {0x0817, 15044, 0.0, 15043.0, 0.0003771832853, 0.0003837539407},
          {0x081B, 15044, 0.0, 15043.0, 0.001801754581, 0.001828984357}}},
        {"issue81_A1.1.0",
         {background, sample, "AB spectrum"},
         {{0x041B, 1866, 399.2718917, 3996.576616, 0.007809161674, 0.02766490355},
          {0x0417, 1866, 399.2718917, 3996.576616, 0.005324797705, 0.02504848316},
          {0x101F, 1866, 399.2718917, 3996.576616, 0.1663013101, 0.04314774275}}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.file);
        const std::string path = test::TestData(std::string("opus/") + e.file);
        ASSERT_TRUE(Opus::IsOpusFile(path));
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(Present(in), e.present);
        for (const Kind& kind : e.kinds) {
            SCOPED_TRACE(kind.type);
            EXPECT_TRUE(Opus::HasBlock(path, kind.type));
            Spectrum::Ptr s = Opus::ReadSpectrum(in, kind.type);
            ASSERT_EQ(s->Size(), kind.points);
            const std::vector<double>& x = s->X()->Values();
            EXPECT_NEAR(x.front(), kind.firstX, 1e-5);
            EXPECT_NEAR(x.back(), kind.lastX, 1e-5);
            EXPECT_NEAR(s->Re()->Values().front(), kind.firstY, 1e-9 * std::fabs(kind.firstY));
            EXPECT_NEAR(s->Re()->Values().back(), kind.lastY, 1e-9 * std::fabs(kind.lastY));
            EXPECT_LT(x[0], x[1]);
        }
        EXPECT_FALSE(Opus::HasBlock(path, 0x141F));  // transmittance: no file holds it
    }
    EXPECT_EQ(Failure(test::ReadAll(test::TestData("opus/617262_1TP_C-1_A5.0"))),
              "Invalid Opus file");
}

TEST(Opus, HeaderTest) {
    auto accepts = [](const OpusFile& file) {
        std::istringstream in(file.Bytes());
        return Opus::IsOpusFile(in);
    };
    OpusFile file;
    file.count = 40;
    EXPECT_TRUE(accepts(file));
    file.count = 41;
    EXPECT_FALSE(accepts(file));
    file.count = -1 & 0xFFFFFFFFll;
    EXPECT_FALSE(accepts(file));
    file.count = 0;
    file.capacity = 39;
    EXPECT_FALSE(accepts(file));
    file.capacity = 40;
    file.version = 920622.5;
    EXPECT_FALSE(accepts(file));
    std::istringstream shortFile(OpusFile().Bytes().substr(0, 23));
    EXPECT_FALSE(Opus::IsOpusFile(shortFile));
    EXPECT_FALSE(Opus::IsOpusFile(std::string("/nonexistent/file.0")));
    EXPECT_TRUE(Opus::ListSpectra(std::string("/nonexistent/file.0")).empty());
}

TEST(Opus, DirectoryAndBlocks) {
    // The high bit marks either block; the last matching entry counts.
    std::istringstream marked(OpusFile()
                                  .Add(0x4000301F, Grid(2, 1, 2) + kEnd)
                                  .Add(0x3000, Floats({9, 9}))
                                  .Add(0x4000300F, Floats({1, 2}))
                                  .Bytes());
    Spectrum::Ptr s = Opus::ReadSpectrum(marked, Opus::kReflectance);
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{1, 2}));

    std::istringstream dataOnly(OpusFile().Add(0x300F, Floats({1, 2})).Bytes());
    std::vector<Opus::BlockInfo> list = Opus::ListSpectra(dataOnly);
    ASSERT_EQ(list.size(), 18u);
    EXPECT_EQ(list[0].name, "Reflectance");
    EXPECT_FALSE(list[0].present);
    EXPECT_EQ(list[15].type, 0xB010);

    // The directory must lie in the first 504 bytes.
    OpusFile outside;
    outside.Add(Opus::kReflectance, Grid(2, 1, 2)).Add(0x300F, Floats({1, 2}));
    outside.directoryOffset = 500;
    std::vector<Opus::DirectoryEntry> directory;
    std::istringstream beyond(outside.Bytes());
    EXPECT_FALSE(Opus::ReadDirectory(beyond, directory));
    EXPECT_EQ(Failure(outside.Bytes()), "Invalid Opus file");
    outside.directoryOffset = 24;
    std::istringstream inside(outside.Bytes());
    ASSERT_TRUE(Opus::ReadDirectory(inside, directory));
    EXPECT_EQ(directory.size(), 2u);
    EXPECT_EQ(directory[1].offset, 504u + 56);
}

TEST(Opus, ValuesAndGrid) {
    // From high to low wavenumber in the file, stored upwards.
    Spectrum::Ptr s = Read(Reflectance(Grid(4, 4000, 400) + kEnd, {1, 2, 3, 4}));
    EXPECT_EQ(s->X()->Values(), (std::vector<double>{400, 1600, 2800, 4000}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{4, 3, 2, 1}));
    EXPECT_EQ(s->Im()->Values(), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_TRUE(s->GetName().empty());

    s = Read(Reflectance(Grid(2, 1, 2) + Double("CSF", 1.0) + kEnd, {0.1f, 0.2f}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{0.1f, 0.2f}));
    s = Read(Reflectance(Grid(2, 1, 2) + Double("CSF", 2.0) + kEnd, {0.1f, 0.2f}));
    EXPECT_EQ(s->Re()->Values(), (std::vector<double>{2.0 * 0.1f, 2.0 * 0.2f}));

    // Texts: read up to their padding; one too long for its buffer is passed over.
    Opus::Parameters parameters;
    std::istringstream texts(OpusFile()
                                 .Add(1, Text("DAT", 2, "01/02/2003", 6) +
                                             Text("TIM", 2, std::string(300, 'x'), 150) +
                                             Text("DXU", 3, "WN", 2) + Int("NPT", 7) + kEnd)
                                 .Bytes());
    ASSERT_TRUE(Opus::ReadParameters(texts, {504, 90}, parameters));
    EXPECT_EQ(parameters.dat, "01/02/2003");
    EXPECT_FALSE(parameters.hasTim);
    EXPECT_EQ(parameters.dxu, "WN");
    EXPECT_EQ(parameters.npt, 7);
}

// 568 bytes that claim 2^31 - 1 points in a data block of 2^32 - 1 floats.
std::string HugeCount() {
    std::string bytes = OpusFile()
                            .Add(Opus::kReflectance, Grid(0x7FFFFFFF, 1, 2) + kEnd)
                            .Add(Opus::kReflectance - 16, "")
                            .Bytes();
    bytes.replace(24 + 12 + 4, 4, Little(0xFFFFFFFFu, 4));  // the data block's length
    return bytes;
}

// Counts the seeks of the stream over its text.
class CountingBuffer : public std::stringbuf {
public:
    explicit CountingBuffer(const std::string& text) : std::stringbuf(text, std::ios::in) {}
    int seeks = 0;

private:
    pos_type seekoff(off_type off, std::ios::seekdir dir, std::ios::openmode which) override {
        ++seeks;
        return std::stringbuf::seekoff(off, dir, which);
    }
    pos_type seekpos(pos_type pos, std::ios::openmode which) override {
        ++seeks;
        return std::stringbuf::seekpos(pos, which);
    }
};

TEST(Opus, CountsAreCheckedAgainstTheFileBeforeAllocating) {
    const std::string huge = HugeCount();
    ASSERT_EQ(huge.size(), 568u);
    EXPECT_EQ(Failure(huge), "Invalid Opus file");
    // The same file is a fuzz seed.
    EXPECT_EQ(test::ReadAll(std::string(SORIX_SOURCE_DIR) + "/fuzz/seeds/opus/huge_count.0"), huge);

    // A long parameter block is read in one pass, not one seek per field.
    std::string many;
    for (int i = 0; i < 20000; ++i) many += Int("XYZ", i);
    const std::string block = many + Grid(2, 1, 2) + kEnd;
    const std::string file = Reflectance(block, {1, 2});
    CountingBuffer buffer(file);
    std::istream in(&buffer);
    Opus::Parameters parameters;
    ASSERT_TRUE(
        Opus::ReadParameters(in, {504, static_cast<std::uint32_t>(block.size() / 4)}, parameters));
    EXPECT_EQ(parameters.npt, 2);
    EXPECT_EQ(parameters.lxv, 2.0);
    EXPECT_LT(buffer.seeks, 20);
    // A block that claims more than the file holds is refused at once.
    buffer.seeks = 0;
    EXPECT_FALSE(Opus::ReadParameters(in, {504, 0xFFFFFFF0u}, parameters));
    EXPECT_LT(buffer.seeks, 5);
}

TEST(Opus, DamagedFilesAreInvalid) {
    const std::vector<float> two = {1, 2};
    EXPECT_EQ(Failure(Reflectance(Grid(2, 1, 2) + kEnd, two)), "read");
    EXPECT_EQ(Failure(Reflectance(
                  Int("DPF", 2) + Int("NPT", 2) + Double("FXV", 1) + Double("LXV", 2) + kEnd, two)),
              "Invalid Opus file");
    EXPECT_EQ(Failure(Reflectance(Grid(2, 1, 2) + Name("BAD") + Little(5, 4) + kEnd, two)),
              "Invalid Opus file");
    // No "END" before the block ends, or the file ends inside the block.
    EXPECT_EQ(Failure(Reflectance(Grid(2, 1, 2), two)), "Invalid Opus file");
    const std::string whole = Reflectance(Grid(2, 1, 2) + kEnd, two);
    EXPECT_EQ(Failure(whole.substr(0, whole.size() - 1)), "Invalid Opus file");
    EXPECT_EQ(Failure(whole.substr(0, 504 + 20)), "Invalid Opus file");
    // The grid needs NPT, FXV and LXV, and NPT from 2 to the number of values stored.
    EXPECT_EQ(Failure(Reflectance(Int("DPF", 1) + Int("NPT", 2) + Double("FXV", 1) + kEnd, two)),
              "Invalid Opus file");
    EXPECT_EQ(Failure(Reflectance(Int("DPF", 1) + Double("FXV", 1) + Double("LXV", 2) + kEnd, two)),
              "Invalid Opus file");
    EXPECT_EQ(Failure(Reflectance(Grid(1, 1, 2) + kEnd, two)), "Invalid Opus file");
    EXPECT_EQ(Failure(Reflectance(Grid(3, 1, 2) + kEnd, two)), "Invalid Opus file");
    EXPECT_EQ(Failure(Reflectance(Grid(2, 1, NAN) + kEnd, two)), "Invalid Opus file");
    EXPECT_EQ(Read(Reflectance(Grid(2, 1, 2) + kEnd, {5, 6, 7}))->Re()->Values(),
              (std::vector<double>{5, 6}));
    EXPECT_EQ(Failure(whole, 0x141F), "Invalid Opus file");
}

}  // namespace
