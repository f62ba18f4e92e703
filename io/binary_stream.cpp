#include "io/binary_stream.h"

#include <cstring>
#include <new>

#include "foundation/exception.h"
#include "foundation/platform.h"

namespace {

[[noreturn]] void Fail(const char* message) {
    throw Winplus::Exception(message);
}

// Byte order is fixed little-endian whatever the machine's.
void PutLittle(std::uint64_t value, char* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLittle(const char* in, int n) {
    std::uint64_t value = 0;
    for (int i = 0; i < n; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[i])) << (8 * i);
    return value;
}

}  // namespace

// --- Reader ---

BinaryReader::BinaryReader(const std::string& path) {
    *this = FromBytes(WholeFile(path));
}

std::string BinaryReader::WholeFile(const std::string& path) {
    std::string bytes;
    try {
        switch (Platform::ReadWholeFile(path, bytes)) {
            case Platform::ReadStatus::Read: break;
            case Platform::ReadStatus::CannotOpen: Fail("Couldn't open file.");
            case Platform::ReadStatus::Failed: Fail("File read failed");
        }
    } catch (const std::bad_alloc&) {
        Fail("Memory allocation error.");
    }
    return bytes;
}

BinaryReader BinaryReader::FromBytes(std::string bytes) {
    BinaryReader reader;
    reader.size_ = bytes.size();
    reader.in_ = std::make_unique<std::istringstream>(std::move(bytes), std::ios::binary);
    return reader;
}

std::uint64_t BinaryReader::Remaining() {
    const std::streamoff position = in_->tellg();
    if (position < 0) return 0;
    const auto at = static_cast<std::uint64_t>(position);
    return at < size_ ? size_ - at : 0;
}

void BinaryReader::Require(std::uint64_t count, std::uint64_t itemSize) {
    if (ended_ || (itemSize != 0 && count > Remaining() / itemSize)) {
        ended_ = true;
        Fail("Unexpected end of file.");
    }
}

void BinaryReader::ReadBytes(char* out, std::size_t n) {
    if (ended_) Fail("Unexpected end of file.");
    in_->read(out, static_cast<std::streamsize>(n));
    if (static_cast<std::size_t>(in_->gcount()) < n) {
        ended_ = true;
        Fail("Unexpected end of file.");
    }
    if (in_->bad()) Fail("File read failed");
}

std::uint32_t BinaryReader::ReadU32() {
    char bytes[4];
    ReadBytes(bytes, 4);
    return static_cast<std::uint32_t>(GetLittle(bytes, 4));
}

double BinaryReader::ReadDouble() {
    char bytes[8];
    ReadBytes(bytes, 8);
    const std::uint64_t bits = GetLittle(bytes, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string BinaryReader::ReadString() {
    const std::uint32_t n = ReadU32();
    Require(n, 1);
    std::string text(n, '\0');
    if (n > 0) ReadBytes(text.data(), n);
    return text;
}

bool BinaryReader::ReadBool() {
    const std::uint32_t value = ReadU32();
    if (value == BoolTrue) return true;
    if (value == BoolFalse) return false;
    Fail("Data corruption");
}

// --- Writer ---

BinaryWriter::BinaryWriter(const std::string& path)
    : save_(std::make_unique<Platform::FileSave>(path, false)),
      out_(std::make_unique<std::ostringstream>(std::ios::binary)) {
    if (save_->Status() == Platform::SaveStatus::ReadOnly)
        throw Winplus::Exception(Platform::ReadOnlyMessage(path));
    if (save_->Status() != Platform::SaveStatus::Ready) Fail("Couldn't open file.");
}

BinaryWriter::BinaryWriter() : out_(std::make_unique<std::ostringstream>(std::ios::binary)) {}

BinaryWriter::~BinaryWriter() = default;

void BinaryWriter::WriteBytes(const char* data, std::size_t n) {
    out_->write(data, static_cast<std::streamsize>(n));
    if (!out_->good()) Fail("File write failed");
}

void BinaryWriter::WriteU32(std::uint32_t value) {
    char bytes[4];
    PutLittle(value, bytes, 4);
    WriteBytes(bytes, 4);
}

void BinaryWriter::WriteDouble(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    PutLittle(bits, bytes, 8);
    WriteBytes(bytes, 8);
}

void BinaryWriter::WriteString(const std::string& text) {
    WriteU32(static_cast<std::uint32_t>(text.size()));
    if (!text.empty()) WriteBytes(text.data(), text.size());
}

void BinaryWriter::WriteBool(bool value) {
    WriteU32(value ? BoolTrue : BoolFalse);
}

void BinaryWriter::Commit() {
    if (!save_ || save_->Status() == Platform::SaveStatus::Saved) return;
    if (save_->Commit(Bytes()) != Platform::SaveStatus::Saved) Fail("File write failed");
}

std::string BinaryWriter::Bytes() const {
    return out_->str();
}
