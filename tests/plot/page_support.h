#pragma once
// Helpers of the property page tests: what the two buses heard, the boxes shown (answered as
// told), and the rows of a page as captions and kinds.
#include <functional>
#include <string>
#include <vector>

#include "foundation/event_bus.h"
#include "plot/property_page.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace PlotTest {

struct Heard {
    Safe::XPtr<CodeLog<LayerEvent>> layers = NewCodeLog<LayerEvent>();
    Safe::XPtr<CodeLog<ViewEvent>> view = NewCodeLog<ViewEvent>();
    EventBus::Registration onLayers = BusOf<LayerEvent>().Add(layers);
    EventBus::Registration onView = BusOf<ViewEvent>().Add(view);
};

// One row edited as the grid does it, then applied: the result, what each bus heard and the
// boxes shown.
struct RowCase {
    const char* what;
    int index;
    std::function<void(Winplus::Property&)> edit;
    bool result;
    std::vector<int> layerCodes;
    std::vector<int> viewCodes;
    std::vector<std::string> boxes;
    std::vector<Platform::BoxAnswer> answers{};  // for questions; Ok when none is left
};

// A curve's change as both buses number it, and a case that hears nothing on a bus.
constexpr int kChanged = CodeNumber(LayerEvent::kCurveChanged);  // 127 on either bus
const std::vector<int> kNone;

// The boxes of a case that shows one.
inline std::vector<std::string> Box(const std::string& text) {
    return {text};
}

inline std::function<void(Winplus::Property&)> Text(const std::string& text) {
    return [text](Winplus::Property& row) { row.SetText(text); };
}
inline std::function<void(Winplus::Property&)> Flag(bool value) {
    return [value](Winplus::Property& row) { row.SetBoolean(value); };
}
inline std::function<void(Winplus::Property&)> Colour(unsigned argb) {
    return [argb](Winplus::Property& row) { row.SetColor(static_cast<int>(argb)); };
}

// Captions joined by "|" and kinds as digits, to compare with a page's table at a glance.
inline std::string Captions(const Winplus::PropertyRows& rows) {
    std::string all;
    for (const auto& row : rows) all += (all.empty() ? "" : "|") + row->GetNameA();
    return all;
}
inline std::string Kinds(const Winplus::PropertyRows& rows) {
    std::string kinds;
    for (const auto& row : rows) kinds += static_cast<char>('0' + row->Kind());
    return kinds;
}
inline std::string Disabled(const Winplus::PropertyRows& rows) {
    std::string indices;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i]->enabled) indices += (indices.empty() ? "" : " ") + std::to_string(i);
    return indices;
}

// Runs a case: edit, apply, then the expectations; apply is the page's Apply for that index.
template <class Apply>
void Check(const RowCase& c, Winplus::Property& row, const Apply& apply) {
    SCOPED_TRACE(c.what);
    Heard heard;
    test::CapturedBoxes boxes;
    boxes.answers = c.answers;
    c.edit(row);
    EXPECT_EQ(apply(c.index), c.result);
    EXPECT_EQ(heard.layers->codes, c.layerCodes);
    EXPECT_EQ(heard.view->codes, c.viewCodes);
    EXPECT_EQ(boxes.Texts(), c.boxes);
    // Refusals carry the error icon, questions Yes and No with the information icon.
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.caption, "Message");
        const bool question = box.buttons == Platform::BoxButtons::YesNo;
        EXPECT_EQ(box.icon, question ? Platform::BoxIcon::Information : Platform::BoxIcon::Stop);
    }
}

}  // namespace PlotTest
