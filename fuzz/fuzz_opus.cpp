// Opus files from memory: every kind the directory lists is read or refused with a message.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "foundation/exception.h"
#include "io/opus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!Opus::IsOpusFile(in)) return 0;
    for (const Opus::BlockInfo& kind : Opus::ListSpectra(in)) {
        if (!kind.present) continue;
        try {
            Spectrum::Ptr spectrum = Opus::ReadSpectrum(in, kind.type);
            if (!spectrum || spectrum->Size() < 2) std::abort();
        } catch (const Winplus::Exception&) {
        }
    }
    return 0;
}
