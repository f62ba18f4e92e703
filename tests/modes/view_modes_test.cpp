// The view mode and its forwarding to the tool of the current mode, the fit driver's included.
#include <gtest/gtest.h>

#include "../common/code_log.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"

namespace {

using Core::ViewModeState;

// A tool that writes what it is asked into a shared log, under its name.
class LoggingTool : public Core::ModeTool {
public:
    LoggingTool(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    Winplus::Curve::Ptr GetCurrentCurve() override { return curve; }
    Winplus::FileCurve::Ptr GetCurrentFileCurve() override { return nullptr; }
    Winplus::LayerCurve::Ptr GetDynamicLayer() override { return nullptr; }
    Winplus::LayerCurve::Ptr GetUserCurves() override { return layer; }
    void SelectCurve(const std::wstring&, const int& layer) override {
        log_.push_back(name_ + " curve " + std::to_string(layer));
    }
    void SelectFileCurve(const std::wstring&, const int& layer) override {
        log_.push_back(name_ + " file " + std::to_string(layer));
    }
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr&) override { log_.push_back(name_ + " layer"); }
    void Reset() override { log_.push_back(name_ + " reset"); }

    Winplus::Curve::Ptr curve = Safe::MakeX<Winplus::Curve>();
    Winplus::LayerCurve::Ptr layer = Winplus::LayerCurve::Create(L"User curves");

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(ViewModeTest, ModeChangesAnnounceOnceAndModesWithoutToolGiveNothing) {
    auto view = NewCodeLog<ViewEvent>();
    EventBus::Registration registration = ViewModeState::AddObserver(view);
    std::vector<std::string> log;
    ViewModeState::SetTool(Core::kBuilderMode, Safe::MakeX<LoggingTool>("builder", log));
    EXPECT_EQ(ViewModeState::GetMode(), 0);
    ViewModeState::SetMode(0);
    ViewModeState::SetMode(2);  // no anchor tool yet
    ViewModeState::SetMode(2);
    EXPECT_EQ(view->codes, std::vector<int>{600});
    for (int mode : {0, 2, 7, -1}) {
        ViewModeState::SetMode(mode);
        EXPECT_FALSE(ViewModeState::GetCurrentCurve()) << mode;
        EXPECT_FALSE(ViewModeState::GetCurrentFileCurve()) << mode;
        EXPECT_FALSE(ViewModeState::GetDynamicLayer()) << mode;
        EXPECT_FALSE(ViewModeState::GetUserCurves()) << mode;
        ViewModeState::SelectCurve(L"curve", 0);
        ViewModeState::SelectFileCurve(L"file", 1);
        ViewModeState::SetCurrentLayer(nullptr);
    }
    EXPECT_TRUE(log.empty());
    ViewModeState::SetMode(1);
    ViewModeState::SelectCurve(L"curve", 0);
    ViewModeState::SelectFileCurve(L"file", 1);
    ViewModeState::SetCurrentLayer(nullptr);
    EXPECT_TRUE(ViewModeState::GetCurrentCurve());
    EXPECT_EQ(log, (std::vector<std::string>{"builder curve 0", "builder file 1", "builder layer"}));
}

TEST(ViewModeTest, TheFitModeSelectsInTheFitLayers) {
    Core::FitCore::Initialize();
    auto view = NewCodeLog<ViewEvent>();
    EventBus::Registration registration = ViewModeState::AddObserver(view);
    ViewModeState::SetMode(Core::kFitMode);
    EXPECT_EQ(ViewModeState::GetDynamicLayer(), Core::FitCore::GetBuiltInCurves());
    EXPECT_EQ(ViewModeState::GetUserCurves(), Core::FitCore::GetUserCurves());
    EXPECT_EQ(ViewModeState::GetDynamicLayer()->GetName(), L"Built-In curves");
    EXPECT_EQ(ViewModeState::GetUserCurves()->GetName(), L"User curves");

    ViewModeState::SelectFileCurve(L"Model", 1);
    ViewModeState::SelectFileCurve(L"Model", 1);  // current already
    EXPECT_EQ(ViewModeState::GetCurrentFileCurve(), Core::FitCore::GetModelCurve());
    ViewModeState::SelectFileCurve(L"Model", 0);  // not among the user curves
    EXPECT_FALSE(ViewModeState::GetCurrentFileCurve());
    auto curve = Safe::MakeX<Winplus::Curve>();
    curve->SetName(std::wstring(L"mine"));
    Core::FitCore::GetUserCurves()->AddCurve(curve);
    ViewModeState::SelectCurve(L"mine", 0);
    EXPECT_EQ(ViewModeState::GetCurrentCurve(), curve);
    ViewModeState::SelectCurve(L"mine", 5);  // no such layer: none, silently
    EXPECT_FALSE(ViewModeState::GetCurrentCurve());
    ViewModeState::SetCurrentLayer(Core::FitCore::GetBuiltInCurves());
    ViewModeState::SetCurrentLayer(Core::FitCore::GetBuiltInCurves());
    EXPECT_EQ(Core::FitCore::GetCurrentLayer(), Core::FitCore::GetBuiltInCurves());
    EXPECT_EQ(view->codes, (std::vector<int>{600, 222, 602, 601, 220}));
}

TEST(ViewModeTest, ResetAllResetsAdjustAnchorBuilderFitThenAnnounces) {
    std::vector<std::string> log;
    ViewModeState::SetTool(Core::kBuilderMode, Safe::MakeX<LoggingTool>("builder", log));
    ViewModeState::SetTool(Core::kAnchorMode, Safe::MakeX<LoggingTool>("anchor", log));
    ViewModeState::SetTool(Core::kAdjustMode, Safe::MakeX<LoggingTool>("adjust", log));
    Core::FitCore::Initialize();
    EventBus::Registration fit = Core::FitCore::AddObserver(MakeObserver<FitEvent>(
        [&log](FitEvent code) { log.push_back("fit " + std::to_string(CodeNumber(code))); }));
    EventBus::Registration view = ViewModeState::AddObserver(MakeObserver<ViewEvent>(
        [&log](ViewEvent code) { log.push_back("view " + std::to_string(CodeNumber(code))); }));
    ViewModeState::ResetAll();  // the mode stays 0 and 600 comes all the same
    EXPECT_EQ(log, (std::vector<std::string>{"adjust reset", "anchor reset", "builder reset",
                                              "fit 202", "view 125", "fit 910", "fit 10",
                                              "fit 910", "view 600"}));
}

}  // namespace
