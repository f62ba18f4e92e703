#pragma once
// The fixed table of curve colours and the random draw of a new curve's colour.
#include <cstdint>

namespace Winplus {

using Argb = std::uint32_t;  // alpha in the top byte

// The system's colour value (COLORREF, 0x00BBGGRR) as an opaque colour, and back (the alpha
// dropped): the one conversion between the two orders.
constexpr Argb FromColorRef(std::uint32_t colorRef) {
    return 0xFF000000u | ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) |
           ((colorRef >> 16) & 0xFF);
}
constexpr std::uint32_t ToColorRef(Argb argb) {
    return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

// A colour's channels as fractions of 255, alpha included (Direct2D's colours).
struct ColorFractions {
    float red, green, blue, alpha;
};
constexpr ColorFractions Fractions(Argb argb) {
    return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
            ((argb >> 24) & 0xFF) / 255.0f};
}

// Entries 0 to 110; any later index gives black.
Argb ColorByIndex(const unsigned& index);
// One of entries 0 to 109 (never the closing white), drawn from the process-wide generator.
Argb RandomColor();

}  // namespace Winplus
