// Tagged binary records from memory: spectrum records one after another, each read whole or
// refused with a message, never allocating more than the bytes that remain.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "io/spectrum_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BinaryReader reader =
        BinaryReader::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
    try {
        while (Core::IsTag(SpectrumTag, reader.ReadInt())) {
            Spectrum::Ptr spectrum = Core::ReadSpectrumRecord(reader);
            if (!spectrum || static_cast<std::uint64_t>(spectrum->Size()) * 24 > size) std::abort();
        }
    } catch (const Winplus::Exception&) {
    }
    return 0;
}
