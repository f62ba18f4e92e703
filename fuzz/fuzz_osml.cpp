// OSML documents from memory: markup, digest and the model and library readers, refused with a
// message or read whole, within a bounded nesting depth. No library folder and no DLLs: a
// document never loads code here. A model that was read saves in every form and reads back.
#include <cstdint>
#include <string>

#include "foundation/exception.h"
#include "functions/families.h"
#include "fuzz/round_trip.h"
#include "io/osml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        Capsule::RegisterFamilies();
        return true;
    }();
    (void)ready;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Core::Sml::Document document = Core::Sml::ReadText(text);
    if (!document.ok) return 0;
    Core::Sml::ReadOptions options;
    options.libraryFolder.clear();
    Core::MathMap::Ptr model;
    try {
        model = Core::Sml::OsmlReader(options).ReadModel(document);
    } catch (const Winplus::Exception&) {
    }
    if (model) fuzz::RequireRoundTrip(model, true);
    try {
        Core::Sml::OsmlReader(options).ReadLibrary(document, "fuzz");
    } catch (const Winplus::Exception&) {
    }
    return 0;
}
