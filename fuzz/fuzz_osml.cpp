// OSML documents from memory: markup, digest and the model and library readers, refused with a
// message or read whole, within a bounded nesting depth. No library folder and no DLLs: a
// document never loads code here. What was read is evaluated, written again and read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/exception.h"
#include "functions/families.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"

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
    std::string written;
    try {
        if (Core::MathMap::Ptr model = Core::Sml::OsmlReader(options).ReadModel(document)) {
            model->EvaluateAll();
            written = Core::Sml::WriteText(Core::Sml::ModelDocument(model));
        }
    } catch (const Winplus::Exception&) {
    }
    // What the writer wrote reads back.
    if (!written.empty()) {
        const Core::Sml::Document again = Core::Sml::ReadText(written);
        try {
            if (!again.ok || !Core::Sml::OsmlReader(options).ReadModel(again)) std::abort();
        } catch (const Winplus::Exception&) {
            std::abort();
        }
    }
    try {
        Core::Sml::OsmlReader(options).ReadLibrary(document, "fuzz");
    } catch (const Winplus::Exception&) {
    }
    return 0;
}
