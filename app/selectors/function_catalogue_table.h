#pragma once
// The function catalogue as data: its categories in tab order, each with its sticker colours and
// its entries (caption and command code, the node type id a pick sends). The selector panels
// build their sticker bars from these tables.
#include <cstdint>
#include <span>

namespace Core {

struct CatalogueEntry {
    const wchar_t* caption;
    int code;
};

struct CatalogueCategory {
    const wchar_t* name;
    std::uint32_t fill;     // ARGB of the stickers
    std::uint32_t outline;  // ARGB of the selected sticker's outline
    std::span<const CatalogueEntry> entries;
};

inline constexpr std::uint32_t kCatalogueText = 0xFF000000;

// The eight built-in categories, "Basic-Functions" first.
std::span<const CatalogueCategory> FunctionCatalogue();

// The caption of the first catalogue entry with that code, or null.
const wchar_t* CatalogueCaption(int code);

// The user function selector's built-in category. Its codes (1100 to 1103) name no node class:
// a pick of one creates nothing.
const CatalogueCategory& EffectiveMediumCategory();

}  // namespace Core
