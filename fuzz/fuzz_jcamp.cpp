// JCAMP-DX files from memory: a load that succeeds gives a spectrum of at least two points; one
// that fails says why.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "foundation/platform.h"
#include "io/jcamp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Readers show nothing: their caller tells the user.
    static const bool silent = [] {
        Platform::SetMessageBoxHandler(
            [](const Platform::MessageBoxRequest&) -> Platform::BoxAnswer { std::abort(); });
        return true;
    }();
    (void)silent;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream probe(bytes);
    JCAMPDX::IsJcampDx(probe);
    std::istringstream in(bytes);
    auto reader = Safe::MakeX<JCAMPDX>();
    const bool loaded = reader->Load(in);
    if (loaded ? reader->GetOutput()->Size() < 2 : reader->GetError().empty()) std::abort();
    return 0;
}
