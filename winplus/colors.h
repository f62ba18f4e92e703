#pragma once
// The fixed table of curve colours and the random draw of a new curve's colour.
#include <cstdint>

namespace Winplus {

using Argb = std::uint32_t;  // alpha in the top byte

// Entries 0 to 110; any later index gives black.
Argb ColorByIndex(const unsigned& index);
// One of entries 0 to 109 (never the closing white), drawn from the process-wide generator.
Argb RandomColor();

}  // namespace Winplus
