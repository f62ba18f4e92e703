#pragma once
// SHA-256 (FIPS 180-4). Each call hashes with its own state, so threads may hash at once.
#include <array>
#include <cstdint>
#include <string>

namespace Sha256 {

std::array<std::uint32_t, 8> Hash(const std::string& bytes);
// The eight words in upper-case hexadecimal without leading zeros, one blank between them.
std::string Hex(const std::string& bytes);

}  // namespace Sha256
