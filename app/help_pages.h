#pragma once
// The help pages the Help menu opens: short HTML pages of the program's own in its "Help Files"
// folder.
#include <array>
#include <optional>
#include <string>

namespace Core::HelpPages {

struct Page {
    int menuId;
    const char* fileName;
};
inline constexpr const char* kFolder = "Help Files";
inline constexpr std::array<Page, 3> kPages = {{
    {178, "sorix.html"},      // Contents
    {179, "functions.html"},  // the built-in functions
    {223, "osml.html"},       // the OSML model format
}};

// The page a menu identifier opens: programFolder + "\Help Files\" + its file; none for another
// identifier.
inline std::optional<std::string> PathFor(int menuId, const std::string& programFolder) {
    for (const Page& page : kPages)
        if (page.menuId == menuId) return programFolder + "\\" + kFolder + "\\" + page.fileName;
    return std::nullopt;
}

}  // namespace Core::HelpPages
