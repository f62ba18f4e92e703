// JCAMP-DX files from memory: a load that succeeds gives a spectrum of at least two points.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "foundation/platform.h"
#include "io/jcamp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        Platform::SetMessageBoxHandler(
            [](const Platform::MessageBoxRequest&) { return Platform::BoxAnswer::Ok; });
        return true;
    }();
    (void)quiet;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream probe(bytes);
    JCAMPDX::IsJcampDx(probe);
    std::istringstream in(bytes);
    auto reader = Safe::MakeX<JCAMPDX>();
    if (reader->Load(in) && reader->GetOutput()->Size() < 2) std::abort();
    return 0;
}
