// Layer records from memory: each read whole or refused with a message, never allocating more
// than the bytes that remain allow.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "plot/layer_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BinaryReader reader =
        BinaryReader::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
    try {
        while (Core::IsTag(Winplus::LayerIo::kLayerTag, reader.ReadInt())) {
            Winplus::Layer::Ptr layer = Winplus::LayerIo::ReadLayer(reader);
            if (!layer) std::abort();
            // What was read writes again.
            BinaryWriter writer;
            Winplus::LayerIo::WriteLayer(writer, layer);
        }
    } catch (const Winplus::Exception&) {
    }
    return 0;
}
