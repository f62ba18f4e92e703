#pragma once
// The help pages the Help menu opens: short HTML pages of the program's own in its "Help Files"
// folder.
#include <array>
#include <optional>
#include <string>

#include "winplus/resource_ids.h"

namespace Core::HelpPages {

struct Page {
    int menuId;
    const char* fileName;
};
inline constexpr const char* kFolder = "Help Files";
inline constexpr std::array<Page, 3> kPages = {{
    {ID_HELP_CONTENTS, "sorix.html"},
    {ID_HELP_FUNCTIONS, "functions.html"},  // the built-in functions
    {ID_HELP_OSML, "osml.html"},            // the OSML model format
}};

// The page a menu identifier opens: programFolder + "\Help Files\" + its file; none for another
// identifier.
inline std::optional<std::string> PathFor(int menuId, const std::string& programFolder) {
    for (const Page& page : kPages)
        if (page.menuId == menuId) return programFolder + "\\" + kFolder + "\\" + page.fileName;
    return std::nullopt;
}

}  // namespace Core::HelpPages
