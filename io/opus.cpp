#include "io/opus.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <new>

#include "foundation/exception.h"

namespace Opus {

namespace {

constexpr std::uint32_t kMagic = 0xFEFE0A0Au;
constexpr std::uint64_t kVersionBits = 0x412C185C00000000ull;  // 920622.0
constexpr std::uint32_t kHighBit = 0x40000000u;

std::uint64_t Little(const unsigned char* bytes, int n) {
    std::uint64_t value = 0;
    for (int i = 0; i < n; ++i) value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

std::uint64_t StreamSize(std::istream& in) {
    in.clear();
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    return end > 0 ? static_cast<std::uint64_t>(end) : 0;
}

// Reads n bytes at offset; false when the stream holds fewer.
bool ReadAt(std::istream& in, std::uint64_t offset, unsigned char* out, std::size_t n) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    if (!in) return false;
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

bool IsHeader(const unsigned char* header) {
    const auto count =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(header + 20, 4)));
    return Little(header, 4) == kMagic && Little(header + 4, 8) == kVersionBits &&
           Little(header + 16, 4) == kMaxEntries && count >= 0 && count <= kMaxEntries;
}

// The block lies inside a stream of size bytes.
bool Inside(const Block& block, std::uint64_t size) {
    return static_cast<std::uint64_t>(block.offset) + 4ull * block.length <= size;
}

// Hands out a block's bytes front to back from a window read once per kWindow bytes: the block
// costs one pass over the file and bounded memory whatever length it claims.
class BlockCursor {
public:
    static constexpr std::uint64_t kWindow = 1 << 16;

    BlockCursor(std::istream& in, const Block& block)
        : in_(in),
          at_(block.offset),
          end_(static_cast<std::uint64_t>(block.offset) + 4ull * block.length) {}

    // The next n bytes; null when the block or the stream ends first.
    const unsigned char* Take(std::size_t n) {
        if (n > end_ - at_) return nullptr;
        if (at_ + n > windowStart_ + window_.size()) {
            const std::uint64_t size = std::min(std::max<std::uint64_t>(kWindow, n), end_ - at_);
            window_.resize(static_cast<std::size_t>(size));
            windowStart_ = at_;
            if (!ReadAt(in_, at_, window_.data(), window_.size())) {
                window_.clear();
                return nullptr;
            }
        }
        const unsigned char* bytes = window_.data() + (at_ - windowStart_);
        at_ += n;
        return bytes;
    }

private:
    std::istream& in_;
    std::uint64_t at_;
    std::uint64_t end_;
    std::uint64_t windowStart_ = 0;
    std::vector<unsigned char> window_;
};

template <class Action>
auto WithFile(const std::string& path, Action action)
    -> decltype(action(std::declval<std::istream&>())) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return decltype(action(in))();
    return action(in);
}

[[noreturn]] void Invalid() {
    throw Winplus::Exception("Invalid Opus file");
}

}  // namespace

const std::vector<BlockInfo>& Kinds() {
    static const std::vector<BlockInfo> kinds = {
        {kReflectance, "Reflectance", false},
        {kTransmittance, "Transmittance", false},
        {kEmittance, "Emittance", false},
        {kRaman, "Raman spectrum", false},
        {kBackgroundSingleChannel, "Background single chanel", false},
        {kSampleSingleChannel, "Sample single chanel", false},
        {kAtr, "ATR spectrum", false},
        {kAbsorbance, "AB spectrum", false},
        {kKubelkaMunk, "KM spectrum", false},
        {kPa, "PA spectrum", false},
        {kIr, "IR spectrum", false},
        {kSp, "SP spectrum", false},
        {kPs, "PS spectrum", false},
        {kPr, "PR spectrum", false},
        {kHs, "HS spectrum", false},
        {kHr, "HR spectrum", false},
        {kIs, "IS spectrum", false},
        {kIb, "IB spectrum", false},
    };
    return kinds;
}

bool IsOpusFile(std::istream& in) {
    unsigned char header[24];
    return ReadAt(in, 0, header, sizeof header) && IsHeader(header);
}

bool IsOpusFile(const std::string& path) {
    return WithFile(path, [](std::istream& in) { return IsOpusFile(in); });
}

bool ReadDirectory(std::istream& in, std::vector<DirectoryEntry>& directory) {
    unsigned char bytes[kHeaderSize];
    if (!ReadAt(in, 0, bytes, sizeof bytes) || !IsHeader(bytes)) return false;
    const std::uint32_t start = static_cast<std::uint32_t>(Little(bytes + 12, 4)) / 4 * 4;
    const auto count = static_cast<std::uint32_t>(Little(bytes + 20, 4));
    if (start > kHeaderSize || 12ull * count > kHeaderSize - start) return false;
    directory.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + start + 12 * i;
        directory.push_back({static_cast<std::uint32_t>(Little(entry, 4)),
                             static_cast<std::uint32_t>(Little(entry + 4, 4)),
                             static_cast<std::uint32_t>(Little(entry + 8, 4))});
    }
    return true;
}

bool FindBlocks(const std::vector<DirectoryEntry>& directory, int type, Block& parameters,
                Block& data) {
    const auto t = static_cast<std::uint32_t>(type);
    bool hasParameters = false, hasData = false;
    for (const DirectoryEntry& entry : directory) {
        if (entry.type == t || entry.type == t + kHighBit) {
            parameters = {entry.offset, entry.length};
            hasParameters = true;
        }
        if (entry.type == t - 16 || entry.type == t - 16 + kHighBit) {
            data = {entry.offset, entry.length};
            hasData = true;
        }
    }
    return hasParameters && hasData;
}

bool HasBlock(std::istream& in, int type) {
    std::vector<DirectoryEntry> directory;
    Block parameters, data;
    return ReadDirectory(in, directory) && FindBlocks(directory, type, parameters, data);
}

bool HasBlock(const std::string& path, int type) {
    return WithFile(path, [type](std::istream& in) { return HasBlock(in, type); });
}

std::vector<BlockInfo> ListSpectra(std::istream& in) {
    std::vector<DirectoryEntry> directory;
    if (!ReadDirectory(in, directory)) return {};
    std::vector<BlockInfo> list = Kinds();
    for (BlockInfo& info : list) {
        Block parameters, data;
        info.present = FindBlocks(directory, info.type, parameters, data);
    }
    return list;
}

std::vector<BlockInfo> ListSpectra(const std::string& path) {
    return WithFile(path, [](std::istream& in) { return ListSpectra(in); });
}

bool ReadParameters(std::istream& in, const Block& block, Parameters& parameters) {
    if (!Inside(block, StreamSize(in))) return false;
    BlockCursor cursor(in, block);
    for (;;) {
        // Every field must lie inside the block, "END" included: the file may go on after it.
        const unsigned char* head = cursor.Take(4);
        if (!head) return false;
        if (std::memcmp(head, "END", 4) == 0) return true;
        char name[3];
        std::memcpy(name, head, sizeof name);
        const auto is = [&name](const char* wanted) { return std::memcmp(name, wanted, 3) == 0; };
        const unsigned char* kind = cursor.Take(4);
        if (!kind) return false;
        const auto type = static_cast<int>(Little(kind, 2));
        const auto size = static_cast<std::size_t>(Little(kind + 2, 2));
        if (type == 0) {
            const unsigned char* value = cursor.Take(4);
            if (!value) return false;
            const auto number =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(value, 4)));
            if (is("DPF")) parameters.dpf = number, parameters.hasDpf = true;
            if (is("NPT")) parameters.npt = number, parameters.hasNpt = true;
        } else if (type == 1) {
            const unsigned char* value = cursor.Take(8);
            if (!value) return false;
            const std::uint64_t bits = Little(value, 8);
            double number;
            std::memcpy(&number, &bits, sizeof number);
            if (is("FXV")) parameters.fxv = number, parameters.hasFxv = true;
            if (is("LXV")) parameters.lxv = number, parameters.hasLxv = true;
            if (is("CSF")) parameters.csf = number, parameters.hasCsf = true;
            if (is("MXY")) parameters.mxy = number, parameters.hasMxy = true;
            if (is("MNY")) parameters.mny = number, parameters.hasMny = true;
        } else if (type >= 2 && type <= 4) {
            const std::size_t bytes = 2 * size;
            const unsigned char* value = cursor.Take(bytes);
            if (!value) return false;
            // Texts are not used: one too long for its buffer is passed over, not copied.
            if (bytes <= kMaxText) {
                // Up to the zero padding.
                const char* text = reinterpret_cast<const char*>(value);
                const std::string copy(text, std::find(text, text + bytes, '\0'));
                if (is("DAT") && type == 2) parameters.dat = copy, parameters.hasDat = true;
                if (is("TIM") && type == 2) parameters.tim = copy, parameters.hasTim = true;
                if (is("DXU") && type == 3) parameters.dxu = copy, parameters.hasDxu = true;
            }
        } else {
            return false;
        }
    }
}

bool ReadData(std::istream& in, const Block& block, const Parameters& parameters,
              std::vector<double>& values) {
    if (!parameters.hasDpf || parameters.dpf != 1) return false;
    // Checked before anything is allocated for the values: NPT comes from the file.
    if (!parameters.hasNpt || parameters.npt < 0 ||
        static_cast<std::uint32_t>(parameters.npt) > block.length || !Inside(block, StreamSize(in)))
        return false;
    const auto n = static_cast<std::size_t>(parameters.npt);
    std::vector<unsigned char> bytes(4 * n);
    if (n > 0 && !ReadAt(in, block.offset, bytes.data(), bytes.size())) return false;
    const bool scaled = parameters.hasCsf && parameters.csf != 1.0;
    values.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto bits = static_cast<std::uint32_t>(Little(&bytes[4 * i], 4));
        float number;
        std::memcpy(&number, &bits, sizeof number);
        values[i] = scaled ? number * parameters.csf : number;
    }
    return true;
}

Spectrum::Ptr ReadSpectrum(std::istream& in, int type) {
    std::vector<DirectoryEntry> directory;
    Block parameterBlock, dataBlock;
    Parameters parameters;
    if (!ReadDirectory(in, directory) || !FindBlocks(directory, type, parameterBlock, dataBlock) ||
        !ReadParameters(in, parameterBlock, parameters))
        Invalid();
    // The grid needs its three parameters and at least two points, all of them stored.
    if (!parameters.hasNpt || !parameters.hasFxv || !parameters.hasLxv || parameters.npt < 2 ||
        !std::isfinite(parameters.fxv) || !std::isfinite(parameters.lxv))
        Invalid();

    // The values first: reading them checks that the file holds them.
    std::vector<double> values;
    Spectrum::Ptr spectrum;
    const int n = parameters.npt;
    try {
        if (!ReadData(in, dataBlock, parameters, values)) Invalid();
        spectrum = Safe::MakeX<Spectrum>();
        spectrum->Resize(n);
    } catch (const std::bad_alloc&) {
        throw Winplus::Exception("Allocation error.");
    }

    const double step = (parameters.lxv - parameters.fxv) / (n - 1);
    std::vector<double>& x = spectrum->X()->Values();
    std::vector<double>& re = spectrum->Re()->Values();
    for (int i = 0; i < n; ++i) {
        x[static_cast<std::size_t>(i)] = parameters.fxv + i * step;
        re[static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(i)];
    }
    // Instruments store wavenumbers from high to low; spectra run upwards.
    if (x.front() > x.back()) {
        std::reverse(x.begin(), x.end());
        std::reverse(re.begin(), re.end());
    }
    return spectrum;
}

Spectrum::Ptr ReadSpectrum(const std::string& path, int type) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) Invalid();
    return ReadSpectrum(in, type);
}

}  // namespace Opus
