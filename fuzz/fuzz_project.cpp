// Project files from memory: each read whole or refused with a message, within the bytes that
// remain, showing nothing. A project that was read writes a file that reads again to the same
// bytes, and each of its models saves in every form and reads back. No library folders: a record
// never loads code.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/project/project_io.h"
#include "foundation/platform.h"
#include "functions/families.h"
#include "fuzz/round_trip.h"
#include "model/current.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Reading and writing a project show nothing: a message box is a fault.
    static const bool ready = [] {
        Capsule::RegisterFamilies();
        Platform::SetMessageBoxHandler(
            [](const Platform::MessageBoxRequest&) -> Platform::BoxAnswer { std::abort(); });
        return true;
    }();
    (void)ready;
    Core::ProjectIo::ReadOptions options;
    options.libraryFolders.clear();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!Core::ProjectIo::ReadBytes(bytes, options).ok) return 0;
    const std::string written = Core::ProjectIo::Bytes();
    if (!Core::ProjectIo::ReadBytes(written, options).ok) std::abort();
    if (Core::ProjectIo::Bytes() != written) std::abort();
    // Each round trip replaces the project: the models are taken first.
    const std::vector<Core::MathMap::Ptr> models(Core::Models().begin(), Core::Models().end());
    for (const Core::MathMap::Ptr& model : models) fuzz::RequireRoundTrip(model);
    return 0;
}
