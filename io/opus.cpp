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
        {0x301F, "Reflectance", false},
        {0x141F, "Transmittance", false},
        {0x2C1F, "Emittance", false},
        {0x281F, "Raman spectrum", false},
        {0x041B, "Background single chanel", false},
        {0x0417, "Sample single chanel", false},
        {0x481F, "ATR spectrum", false},
        {0x101F, "AB spectrum", false},
        {0x181F, "KM spectrum", false},
        {0x441F, "PA spectrum", false},
        {0x3C1F, "IR spectrum", false},
        {0x041F, "SP spectrum", false},
        {0x3817, "PS spectrum", false},
        {0x381B, "PR spectrum", false},
        {0x0C17, "HS spectrum", false},
        {0xB010, "HR spectrum", false},
        {0x0817, "IS spectrum", false},
        {0x081B, "IB spectrum", false},
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
    const std::uint64_t end = static_cast<std::uint64_t>(block.offset) + 4ull * block.length;
    std::uint64_t at = block.offset;
    unsigned char value[8];
    for (;;) {
        // Every field must lie inside the block, "END" included: the file may go on after it.
        unsigned char head[8];
        if (at + 4 > end || !ReadAt(in, at, head, 4)) return false;
        if (std::memcmp(head, "END", 4) == 0) return true;
        if (at + 8 > end || !ReadAt(in, at, head, 8)) return false;
        at += 8;
        const std::string name(reinterpret_cast<const char*>(head), 3);
        const auto type = static_cast<int>(Little(head + 4, 2));
        const auto size = static_cast<std::uint64_t>(Little(head + 6, 2));
        if (type == 0) {
            if (at + 4 > end || !ReadAt(in, at, value, 4)) return false;
            at += 4;
            const auto number =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(value, 4)));
            if (name == "DPF") parameters.dpf = number, parameters.hasDpf = true;
            if (name == "NPT") parameters.npt = number, parameters.hasNpt = true;
        } else if (type == 1) {
            if (at + 8 > end || !ReadAt(in, at, value, 8)) return false;
            at += 8;
            const std::uint64_t bits = Little(value, 8);
            double number;
            std::memcpy(&number, &bits, sizeof number);
            if (name == "FXV") parameters.fxv = number, parameters.hasFxv = true;
            if (name == "LXV") parameters.lxv = number, parameters.hasLxv = true;
            if (name == "CSF") parameters.csf = number, parameters.hasCsf = true;
            if (name == "MXY") parameters.mxy = number, parameters.hasMxy = true;
            if (name == "MNY") parameters.mny = number, parameters.hasMny = true;
        } else if (type >= 2 && type <= 4) {
            const std::uint64_t bytes = 2 * size;
            if (at + bytes > end) return false;
            // Texts are not used: one too long for its buffer is passed over, not copied.
            if (bytes <= kMaxText) {
                char text[kMaxText + 1] = {};
                if (!ReadAt(in, at, reinterpret_cast<unsigned char*>(text), bytes)) return false;
                const std::string copy(text);  // up to the zero padding
                if (name == "DAT" && type == 2) parameters.dat = copy, parameters.hasDat = true;
                if (name == "TIM" && type == 2) parameters.tim = copy, parameters.hasTim = true;
                if (name == "DXU" && type == 3) parameters.dxu = copy, parameters.hasDxu = true;
            }
            at += bytes;
        } else {
            return false;
        }
    }
}

bool ReadData(std::istream& in, const Block& block, const Parameters& parameters,
              std::vector<double>& values) {
    if (!parameters.hasDpf || parameters.dpf != 1) return false;
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
        static_cast<std::uint32_t>(parameters.npt) > dataBlock.length ||
        !std::isfinite(parameters.fxv) || !std::isfinite(parameters.lxv))
        Invalid();

    Spectrum::Ptr spectrum;
    std::vector<double> values;
    const int n = parameters.npt;
    try {
        spectrum = Safe::MakeX<Spectrum>();
        spectrum->Resize(n);
        values.reserve(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        throw Winplus::Exception("Allocation error.");
    }
    if (!ReadData(in, dataBlock, parameters, values)) Invalid();

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
