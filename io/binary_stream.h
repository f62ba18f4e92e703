#pragma once
// The little-endian primitives of every binary file, and the tagged-record rule: a record is a
// positive tag, a body, and the negated tag. Failures throw Winplus::Exception.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace Platform {
class FileSave;
}

namespace Core {
inline bool IsTag(const int& tag, const int& value) {
    return value == tag;
}
inline bool IsEndTag(const int& tag, const int& value) {
    return value == -tag;
}
}  // namespace Core

constexpr std::uint32_t BoolTrue = 0xFAB1FAB2u;
constexpr std::uint32_t BoolFalse = 0xBAD1BAD2u;

// Tags of the records.
enum RecordTag : int {
    TagProjectFile = 10001,
    TagProjectHeader = 10002,
    TagModelBlock = 10100,
    TagMathMap = 10101,
    TagNodeMap = 10102,
    TagNodeMapInactive = 10110,
    TagNodeMapActive = 10111,
    TagLayerBlock = 10300,
    SpectrumTag = 10400,
    TagFormulaFile = 10410,
    TagSpectrumBlock = 10500,
    TagCapsuleFile = 11000,
    TagPrototypeFile = 11001,
};

class BinaryReader {
public:
    // Reads a whole file; "Couldn't open file." when it cannot be opened, "File read failed"
    // when the system fails to read it.
    explicit BinaryReader(const std::string& path);
    // Reads bytes held in memory.
    static BinaryReader FromBytes(std::string bytes);
    // The bytes of a whole file, with the failures of the constructor (and "Memory allocation
    // error." when they do not fit in memory).
    static std::string WholeFile(const std::string& path);

    std::uint32_t ReadU32();
    // A u32 read back as the signed value it was written from (tags, type ids).
    int ReadInt() { return static_cast<int>(ReadU32()); }
    double ReadDouble();
    std::string ReadString();
    bool ReadBool();

    // Bytes not yet read.
    std::uint64_t Remaining();
    // Throws "Unexpected end of file." unless count items of itemSize bytes remain: counts read
    // from a file are checked before anything is allocated for them.
    void Require(std::uint64_t count, std::uint64_t itemSize);

private:
    BinaryReader() = default;
    void ReadBytes(char* out, std::size_t n);

    std::unique_ptr<std::istringstream> in_;
    std::uint64_t size_ = 0;
    bool ended_ = false;
};

// Gathers the file in memory and saves it on Commit through a temporary file beside the target
// (Platform::FileSave), so a write that fails part-way leaves an existing file untouched.
class BinaryWriter {
public:
    // Platform::ReadOnlyMessage for a read-only target; "Couldn't open file." when the temporary
    // file cannot be created.
    explicit BinaryWriter(const std::string& path);
    // Writes into memory (Bytes), for records that travel inside other data and for tests.
    BinaryWriter();
    ~BinaryWriter();
    BinaryWriter(const BinaryWriter&) = delete;
    BinaryWriter& operator=(const BinaryWriter&) = delete;

    void WriteU32(std::uint32_t value);
    void WriteInt(int value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteDouble(double value);
    void WriteString(const std::string& text);
    void WriteBool(bool value);

    // Flushes and replaces the target; "File write failed" when that fails.
    void Commit();
    std::string Bytes() const;

private:
    void WriteBytes(const char* data, std::size_t n);

    std::unique_ptr<Platform::FileSave> save_;  // none for a writer into memory
    std::unique_ptr<std::ostringstream> out_;
};
