#pragma once
// The About box's texts and its buttons' results, apart from its dialog window.
#include <array>
#include <optional>

namespace Core::About {

inline constexpr const char* kTitle = "About Sorix...";
inline constexpr const char* kVersion = "Sorix version 2.0";
inline constexpr const char* kPurpose =
    "Dielectric function models, spectra and their fit for optical functions.";
// The terms of use, one paragraph each.
inline constexpr std::array<const char*, 3> kTerms = {
    "This program is provided as is, without warranty of any kind, express or implied, including "
    "fitness for a particular purpose.",
    "You may use it and copy it for research and teaching; results obtained with it should be "
    "checked against independent measurements before they are relied upon.",
    "In no event shall the authors be liable for any claim or damage arising from the use of the "
    "program or of the results it gives.",
};

// The dialog's result for a command: OK (1) ends it with 1; every other identifier is ignored.
// Cancel ends it with 0.
inline constexpr int kOk = 1;
inline constexpr int kCancelResult = 0;
inline std::optional<int> ResultOfCommand(int id) {
    if (id == kOk) return 1;
    return std::nullopt;
}

}  // namespace Core::About
