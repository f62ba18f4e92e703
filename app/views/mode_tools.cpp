#include "app/views/mode_tools.h"

#include "app/base/mode_table.h"

namespace Core {

namespace {

// One tool core seen through the view mode dispatch.
class CoreTool : public ModeTool {
public:
    explicit CoreTool(const ModeToolCore& core) : core_(core) {}

    Winplus::Curve::Ptr GetCurrentCurve() override { return core_.tool().GetCurrentCurve(); }
    Winplus::FileCurve::Ptr GetCurrentFileCurve() override {
        return core_.tool().GetCurrentFileCurve();
    }
    Winplus::LayerCurve::Ptr GetDynamicLayer() override { return core_.tool().GetDynamicLayer(); }
    Winplus::LayerCurve::Ptr GetUserCurves() override { return core_.tool().GetUserCurves(); }
    void SelectCurve(const std::wstring& name, const int& layer) override {
        core_.tool().SelectCurve(name, layer);
    }
    void SelectFileCurve(const std::wstring& name, const int& layer) override {
        core_.tool().SelectFileCurve(name, layer);
    }
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) override {
        core_.tool().SetCurrentLayer(layer);
    }
    void Reset() override { core_.reset(); }

private:
    const ModeToolCore& core_;  // a row of the mode table
};

}  // namespace

void InstallModeTools() {
    for (const ViewModeRow& mode : ViewModeRows()) {
        if (!mode.core) continue;
        mode.core->initialize(&ViewModeState::GetMode);
        ViewModeState::SetTool(mode.id, Safe::MakeX<CoreTool>(*mode.core));
    }
}

}  // namespace Core
