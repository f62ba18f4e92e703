#pragma once
// Opus spectrometer files: a directory of typed blocks, of which each spectrum kind has a
// parameter block (type T) and a data block of 32-bit floats (type T - 16). Either may carry the
// bit 0x40000000. Failures of ReadSpectrum throw Winplus::Exception ("Invalid Opus file",
// "Allocation error.").
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "foundation/spectrum.h"

namespace Opus {

// The spectrum kinds' parameter-block types; the program chooses a kind to load by its type.
constexpr int kReflectance = 0x301F;
constexpr int kTransmittance = 0x141F;
constexpr int kEmittance = 0x2C1F;
constexpr int kRaman = 0x281F;
constexpr int kBackgroundSingleChannel = 0x041B;
constexpr int kSampleSingleChannel = 0x0417;
constexpr int kAtr = 0x481F;
constexpr int kAbsorbance = 0x101F;
constexpr int kKubelkaMunk = 0x181F;
constexpr int kPa = 0x441F;
constexpr int kIr = 0x3C1F;
constexpr int kSp = 0x041F;
constexpr int kPs = 0x3817;
constexpr int kPr = 0x381B;
constexpr int kHs = 0x0C17;
constexpr int kHr = 0xB010;
constexpr int kIs = 0x0817;
constexpr int kIb = 0x081B;

constexpr int kMaxEntries = 40;
// The header and the directory lie in the first bytes of a file.
constexpr std::uint32_t kHeaderSize = 504;
// Longest text value copied; a longer one is passed over.
constexpr std::size_t kMaxText = 259;

struct BlockInfo {
    int type = 0;
    std::string name;
    bool present = false;
};

struct DirectoryEntry {
    std::uint32_t type = 0;
    std::uint32_t length = 0;  // in 4-byte units
    std::uint32_t offset = 0;  // in bytes from the start of the file
};

struct Block {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

struct Parameters {
    bool hasDpf = false, hasNpt = false, hasFxv = false, hasLxv = false, hasCsf = false;
    bool hasMxy = false, hasMny = false, hasDat = false, hasTim = false, hasDxu = false;
    int dpf = 0;     // data point format, 1 for 32-bit floats
    int npt = 0;     // number of points
    double fxv = 0;  // first abscissa
    double lxv = 0;  // last abscissa
    double csf = 1;  // common scaling factor
    double mxy = 0;
    double mny = 0;
    std::string dat, tim, dxu;
};

// The 18 spectrum kinds in list order, with their names; present is false.
const std::vector<BlockInfo>& Kinds();

// The header test: magic, version, directory capacity 40 and 0 to 40 entries.
bool IsOpusFile(std::istream& in);
bool IsOpusFile(const std::string& path);
// Whether the directory reads and holds both blocks of kind type.
bool HasBlock(std::istream& in, int type);
bool HasBlock(const std::string& path, int type);
// The 18 kinds with their present flags; empty when the directory cannot be read.
std::vector<BlockInfo> ListSpectra(std::istream& in);
std::vector<BlockInfo> ListSpectra(const std::string& path);
// The values of kind type as real part over an equally spaced, ascending abscissa.
Spectrum::Ptr ReadSpectrum(std::istream& in, int type);
Spectrum::Ptr ReadSpectrum(const std::string& path, int type);

// False for a bad header or a directory outside the first kHeaderSize bytes.
bool ReadDirectory(std::istream& in, std::vector<DirectoryEntry>& directory);
// The last entries of type T and T - 16 (either with 0x40000000 added); true when both exist.
bool FindBlocks(const std::vector<DirectoryEntry>& directory, int type, Block& parameters,
                Block& data);
// False for a block outside the file, an unknown value type, or no "END" within the block.
bool ReadParameters(std::istream& in, const Block& block, Parameters& parameters);
// NPT values, scaled by CSF; false unless DPF is 1 and NPT values lie in the block.
bool ReadData(std::istream& in, const Block& block, const Parameters& parameters,
              std::vector<double>& values);

}  // namespace Opus
