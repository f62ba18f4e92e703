#include "app/mode_tools.h"

#include "modes/view_modes.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"

namespace Core {

namespace {

// One tool core seen through the view mode dispatch.
class CoreTool : public ModeTool {
public:
    CoreTool(ToolCore& (*tool)(), void (*reset)()) : tool_(tool), reset_(reset) {}

    Winplus::Curve::Ptr GetCurrentCurve() override { return tool_().GetCurrentCurve(); }
    Winplus::FileCurve::Ptr GetCurrentFileCurve() override { return tool_().GetCurrentFileCurve(); }
    Winplus::LayerCurve::Ptr GetDynamicLayer() override { return tool_().GetDynamicLayer(); }
    Winplus::LayerCurve::Ptr GetUserCurves() override { return tool_().GetUserCurves(); }
    void SelectCurve(const std::wstring& name, const int& layer) override {
        tool_().SelectCurve(name, layer);
    }
    void SelectFileCurve(const std::wstring& name, const int& layer) override {
        tool_().SelectFileCurve(name, layer);
    }
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) override {
        tool_().SetCurrentLayer(layer);
    }
    void Reset() override { reset_(); }

private:
    ToolCore& (*tool_)();
    void (*reset_)();
};

}  // namespace

void InstallModeTools() {
    AdjustCore::Initialize(&ViewModeState::GetMode);
    AnchorCore::Initialize(&ViewModeState::GetMode);
    BuilderCore::Initialize(&ViewModeState::GetMode);
    ViewModeState::SetTool(kAdjustMode,
                           Safe::MakeX<CoreTool>(&AdjustCore::Tool, &AdjustCore::Reset));
    ViewModeState::SetTool(kAnchorMode,
                           Safe::MakeX<CoreTool>(&AnchorCore::Tool, &AnchorCore::Reset));
    ViewModeState::SetTool(kBuilderMode,
                           Safe::MakeX<CoreTool>(&BuilderCore::Tool, &BuilderCore::Reset));
}

}  // namespace Core
