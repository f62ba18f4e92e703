#include "app/base/panel_ids.h"

#include <iterator>

#include "app/base/mode_table.h"

namespace Core {

namespace {

// By id, up to the Modify plot; null for a mode's property page.
constexpr const wchar_t* kCaptions[] = {
    L"Selection", L"Math Explorer", L"Definition", L"Parameters", L"Function Selector",
    L"Formula Editor", L"User Function Selector", L"View", L"Plot", L"Comments",
    L"Layer Explorer", L"Properties", L"Data Files", nullptr, nullptr, nullptr, nullptr,
    L"Parameters", L"Curve Explorer", L"Visual", L"Modify"};
static_assert(std::size(kCaptions) == IndexOf(PanelId::Modify) + 1, "one caption per leaf");

}  // namespace

const wchar_t* PanelCaption(PanelId id) {
    if (id <= PanelId::Modify && kCaptions[IndexOf(id)]) return kCaptions[IndexOf(id)];
    const ViewModeRow* mode = ModeOfPanel(id);
    return mode ? mode->caption : L"";
}

}  // namespace Core
