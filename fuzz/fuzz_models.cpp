// Model and prototype files from memory: node, definition and model records, read whole or
// refused with a message, within the bytes that remain and a bounded nesting depth. No library
// folders: a record never loads code. A model that was read saves in every form and reads back.
#include <cstdint>
#include <string>

#include "foundation/exception.h"
#include "foundation/platform.h"
#include "functions/families.h"
#include "fuzz/round_trip.h"
#include "io/binary_stream.h"
#include "io/node_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        Capsule::RegisterFamilies();
        Platform::SetMessageBoxHandler(
            [](const Platform::MessageBoxRequest&) { return Platform::BoxAnswer::Ok; });
        return true;
    }();
    (void)ready;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    BinaryReader model = BinaryReader::FromBytes(bytes);
    if (Core::MathMap::Ptr read = Core::NodeMapIo(std::vector<std::string>()).ReadModelFile(model))
        fuzz::RequireRoundTrip(read);

    // The same bytes as a node record, after a prototype file's tag when there is one.
    BinaryReader node = BinaryReader::FromBytes(bytes);
    try {
        int typeId = node.ReadInt();
        if (Core::IsTag(TagPrototypeFile, typeId)) typeId = node.ReadInt();
        if (Core::Node::Ptr read = Core::NodeIo(std::vector<std::string>()).ReadNode(typeId, node))
            read->Evaluate();
    } catch (const Winplus::Exception&) {
    }
    return 0;
}
