// Data text files from memory: any input gives a spectrum of at least two points or none.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "io/data_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream counted(bytes);
    int lines = 0;
    Core::CountColumns(counted, lines);
    std::istringstream in(bytes);
    Spectrum::Ptr spectrum = Core::ReadTextFile(in);
    if (spectrum && spectrum->Size() < 2) std::abort();
    return 0;
}
