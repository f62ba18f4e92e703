// The fit driver natively (and under ThreadSanitizer): a fit of two phonon oscillators to a
// spectrum read from a data file, followed step by step through a queue that stands for the
// owner window's message loop.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../common/code_log.h"
#include "../io/reader_support.h"
#include "fit/squeeze.h"
#include "fit_driver_support.h"
#include "foundation/text.h"
#include "io/data_set.h"

namespace {

namespace FitCore = Core::FitCore;
using test::Oscillators;
using test::PhononModel;

const Oscillators kTruth{{{{2.0, 300.0, 15.0}}, {{0.5, 480.0, 25.0}}}};
const Oscillators kStart{{{{1.9, 297.0, 17.0}}, {{0.55, 485.0, 22.0}}}};

// The truth sampled at 201 points from 200 to 600, written as a data file and read back.
Spectrum::Ptr LoadTruth(const test::ScratchFolder& folder) {
    const std::string path = folder.File("phonons.dat");
    EXPECT_TRUE(Core::DataSet::WriteFile(path, kTruth.Sample(200.0, 600.0, 201), 0));
    bool report = true;
    Spectrum::Ptr data = Core::DataSet::LoadFile(path, report);
    EXPECT_TRUE(data);
    data->SetName(std::wstring(L"phonons"));
    return data;
}

// Observers of the fit and view buses, and the status text at each fit event 910.
struct Buses {
    Safe::XPtr<CodeLog<FitEvent>> fit = NewCodeLog<FitEvent>();
    Safe::XPtr<CodeLog<ViewEvent>> view = NewCodeLog<ViewEvent>();
    EventBus::Registration fitRegistration = FitCore::AddObserver(fit);
    EventBus::Registration viewRegistration = BusOf<ViewEvent>().Add(view);
    struct StatusLog : Winplus::EventObserver<FitEvent> {
        bool Notify(const FitEvent& code) override {
            if (code == FitEvent::kFitStatusChanged) texts.push_back(FitCore::GetStatusText());
            return true;
        }
        std::vector<std::string> texts;
    };
    Safe::XPtr<StatusLog> status = Safe::MakeX<StatusLog>();
    EventBus::Registration statusRegistration = FitCore::AddObserver(status);
    void Clear() {
        fit->codes.clear();
        view->codes.clear();
        status->texts.clear();
    }
};

// A fit of the start model to the data file, prepared up to the start.
struct PreparedFit {
    test::ScratchFolder folder{"fitcore"};
    PhononModel user{kStart};
    Safe::XPtr<test::QueueOwner> owner = Safe::MakeX<test::QueueOwner>();
    Spectrum::Ptr data;

    PreparedFit() {
        FitCore::Initialize();
        FitCore::CreateOptimizer(owner);
        FitCore::SetMathPath();
        data = LoadTruth(folder);
        FitCore::SetExperimentalData(data);
        test::MarkPhononParameters();
    }
};

double ChiOfStatus(const std::string& text) {
    return std::strtod(text.substr(text.rfind("= ") + 2).c_str(), nullptr);
}

TEST(FitCoreTest, FitsOscillatorsToADataFileStepByStepAndTransfersThem) {
    PreparedFit fit;
    Buses buses;
    // The model curve after each step that moved it: its chi2 against the target, from the
    // closed form of the parameters the working copy holds then.
    struct CurveLog : Winplus::EventObserver<ViewEvent> {
        bool Notify(const ViewEvent& code) override {
            if (code != ViewEvent::kViewModelCurveUpdated) return true;
            const Spectrum::Ptr target = FitCore::GetTargetSpectrum();
            const Safe::XPtr<Core::MathSpectrum> model = FitCore::GetModelSpectrum();
            double chi2 = 0.0;
            for (int k = 0; k < target->Size(); ++k)
                chi2 += std::pow((*target->Re())[k] - (*model->Re())[k], 2);
            chi2s.push_back(chi2);
            return true;
        }
        std::vector<double> chi2s;
    };
    auto curves = Safe::MakeX<CurveLog>();
    EventBus::Registration curvesRegistration = BusOf<ViewEvent>().Add(curves);

    FitCore::StartFit();
    ASSERT_TRUE(FitCore::IsRunning());
    const int steps = fit.owner->RunFit();
    EXPECT_EQ(steps, 31);
    EXPECT_FALSE(FitCore::IsRunning());

    // Status texts: the starting chi2 first, one text per step, the best chi2 last.
    const std::vector<std::string>& texts = buses.status->texts;
    ASSERT_EQ(texts.size(), 32u);
    EXPECT_EQ(texts[0], "Step = 1 Chi2 = " + ToString(kStart.Chi2(*FitCore::GetTargetSpectrum())));
    for (int k = 1; k < 31; ++k) {
        EXPECT_EQ(texts[k].rfind("Step = " + std::to_string(k + 1) + " Chi2 = ", 0), 0u) << k;
        EXPECT_LE(ChiOfStatus(texts[k]), ChiOfStatus(texts[k - 1]) * (1 + 1e-5)) << k;
    }
    const Oscillators fitted{{PhononModel::Values(FitCore::GetWorkingModel(), 0),
                              PhononModel::Values(FitCore::GetWorkingModel(), 1)}};
    EXPECT_EQ(texts[31], "Best Chi2 = " + ToString(fitted.Chi2(*FitCore::GetTargetSpectrum())));

    // Events: start, a status per step, the end.
    std::vector<int> expected{900, 910};
    for (int k = 1; k < 31; ++k) expected.push_back(910);
    expected.insert(expected.end(), {901, 910});
    EXPECT_EQ(buses.fit->codes, expected);
    ASSERT_FALSE(curves->chi2s.empty());
    EXPECT_EQ(buses.view->codes.back(), CodeNumber(ViewEvent::kViewCurveChanged));
    EXPECT_LT(curves->chi2s.front(), kStart.Chi2(*FitCore::GetTargetSpectrum()));
    for (std::size_t k = 1; k < curves->chi2s.size(); ++k)
        EXPECT_LT(curves->chi2s[k], curves->chi2s[k - 1]) << k;

    // The data file holds seven significant digits: the truth comes back to about as many.
    for (int i = 0; i < 2; ++i)
        for (int p = 0; p < 3; ++p)
            EXPECT_NEAR(fitted.terms[i][p], kTruth.terms[i][p], 1e-4 * kTruth.terms[i][p]);

    // The user's model is untouched until the transfer, which writes by definition and node.
    for (int i = 0; i < 2; ++i) EXPECT_EQ(PhononModel::Values(fit.user.model, i), kStart.terms[i]);
    auto models = NewCodeLog<ModelEvent>();
    EventBus::Registration modelsRegistration = Core::MenuCore::AddObserver(models);
    FitCore::TransferParameters();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(PhononModel::Values(fit.user.model, i), fitted.terms[i]);
    EXPECT_EQ(models->codes, std::vector<int>{CodeNumber(ModelEvent::kParametersChanged)});
}

// The target need not be a definition's root: here the sum sits below IfElse(1, sum, 0), which
// has no column path of its own, and the fit still computes its grids by columns.
TEST(FitCoreTest, ATargetDeepInADefinitionIsFittedByColumns) {
    PhononModel user{kStart};
    const Core::Node::Ptr sum = user.definition->GetRoot();
    const Core::Node::Ptr choice = Core::Node::Create(210);
    user.definition->SetRoot(choice);
    ASSERT_TRUE(choice->ReplaceChildAt(1, sum));
    user.model->RebuildOrder();
    Core::MenuCore::SetCurrentNode(sum);
    auto owner = Safe::MakeX<test::QueueOwner>();
    FitCore::Initialize();
    FitCore::CreateOptimizer(owner);
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(kTruth.Sample(200.0, 600.0, 201));
    const Core::Node::Ptr target = FitCore::GetTargetNode();
    ASSERT_TRUE(target && target->ParentNode() && target->ParentNode()->GetTypeId() == 210);
    for (int i = 0; i < 2; ++i)
        for (int p = 1; p <= 3; ++p) target->GetChild(i)->GetChild(p)->SetMarkRecursive(true);

    FitCore::StartFit();
    owner->RunFit();
    EXPECT_TRUE(FitCore::GetMethod()->GetSpectrum()->GetUnit()->TakesColumnPath());
    for (int i = 0; i < 2; ++i)
        for (int p = 0; p < 3; ++p)
            EXPECT_NEAR(target->GetChild(i)->GetChild(p + 1)->GetValue().real(), kTruth.terms[i][p],
                        1e-6 * kTruth.terms[i][p]);
}

TEST(FitCoreTest, OneStepIsInterruptedAndStopEndsAfterTheRunningStep) {
    PreparedFit fit;
    Buses buses;
    struct EndLog : Winplus::EventObserver<FitEvent> {
        bool Notify(const FitEvent& code) override {
            if (code == FitEvent::kFitEnded) runningAtEnd.push_back(FitCore::IsRunning());
            return true;
        }
        std::vector<bool> runningAtEnd;
    };
    auto ends = Safe::MakeX<EndLog>();
    EventBus::Registration endRegistration = FitCore::AddObserver(ends);
    FitCore::SetMaxSteps(1);
    FitCore::StartFit();
    FitCore::OnStep();  // the worker may still be inside the step: nothing
    EXPECT_EQ(FitCore::GetStep(), 0);
    EXPECT_EQ(fit.owner->RunFit(), 1);
    EXPECT_EQ(ends->runningAtEnd, std::vector<bool>{false});
    const double best = FitCore::GetMethod()->GetBestChi2();
    EXPECT_EQ(FitCore::GetStatusText(),
              "Optimization  interrupted ! - Best Chi2 = " + ToString(best));
    EXPECT_LT(best, kStart.Chi2(*FitCore::GetTargetSpectrum()));

    // Stop while step 4 runs: step 4 completes, the working copy holds the best point.
    FitCore::SetMaxSteps(32);
    FitCore::StartFit();
    const int steps = fit.owner->RunFit([](int step) {
        if (step == 3) FitCore::StopFit();
    });
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(FitCore::GetStep(), 32);
    EXPECT_EQ(FitCore::GetStatusText().rfind("Optimization  interrupted ! - Best Chi2 = ", 0), 0u);
    const std::vector<double>& current = FitCore::GetMethod()->GetCurrent();
    const std::vector<Core::Node::Ptr> parameters = FitCore::GetParameters();
    ASSERT_EQ(parameters.size(), current.size());
    for (std::size_t i = 0; i < current.size(); ++i)
        EXPECT_EQ(parameters[i]->GetValue(), Core::Complex(current[i], 0.0));
}

TEST(FitCoreTest, RefusesToStartWithoutWhatAFitNeedsAndReportsAFailedStep) {
    test::CapturedBoxes boxes;
    Buses buses;
    FitCore::Initialize();
    auto owner = Safe::MakeX<test::QueueOwner>();
    FitCore::StartFit();  // no math path
    Core::MenuCore::SetCurrentNode(Safe::MakeX<Core::Node>());
    FitCore::SetMathPath();  // a node without model or definition makes no path
    EXPECT_FALSE(FitCore::GetTargetNode());
    EXPECT_FALSE(FitCore::GetWorkingModel());

    PhononModel user{kStart};
    FitCore::SetMathPath();
    FitCore::StartFit();  // no data
    FitCore::SetExperimentalData(kTruth.Sample(200.0, 600.0, 101));
    FitCore::StartFit();  // nothing marked
    test::MarkPhononParameters();
    const Core::NodeMap::Ptr variable = FitCore::GetVariableMap();
    FitCore::SetVariableMap(nullptr);
    FitCore::StartFit();  // no variable definition
    FitCore::SetVariableMap(variable);
    FitCore::StartFit();  // no worker
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Select a valid math path", "Select experimental data",
                                        "No available adjustable parameters ",
                                        "Select a variable definition",
                                        "The fit worker is not available"}));
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.caption, "Message");
        EXPECT_EQ(box.icon, Platform::BoxIcon::Stop);
    }
    EXPECT_FALSE(FitCore::IsRunning());

    // A parameter at exactly 0 has no derivative: the first solve fails.
    FitCore::CreateOptimizer(owner);
    FitCore::GetWorkingModel()->FindMap("model")->GetRoot()->GetChild(0)->GetChild(1)->SetValue(
        Core::Complex(0.0, 0.0), 0);
    Oscillators zero = kStart;
    zero.terms[0][0] = 0.0;
    buses.Clear();
    boxes.boxes.clear();
    FitCore::StartFit();
    FitCore::StartFit();  // running already: nothing
    EXPECT_EQ(owner->RunFit(), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Optimization failed!"});
    EXPECT_EQ(FitCore::GetStatusText(), "Optimization  failed ! - Best Chi2 = " +
                                            ToString(zero.Chi2(*FitCore::GetTargetSpectrum())));
    EXPECT_EQ(buses.fit->codes, (std::vector<int>{900, 910, 901, 910}));
    EXPECT_EQ(buses.view->codes, std::vector<int>{});  // nothing moved, nothing redrawn
}

TEST(FitCoreTest, PreparesTheTargetFromTheRangeOrItsReduction) {
    Buses buses;
    PreparedFit fit;
    EXPECT_EQ(FitCore::GetWorkingModel()->GetName(), L"clone-oscillators");
    EXPECT_EQ(FitCore::GetTargetNode()->GetTypeId(), 200);
    EXPECT_EQ(buses.fit->codes, (std::vector<int>{202, 910}));
    EXPECT_EQ(buses.view->codes, (std::vector<int>{125, 121}));
    EXPECT_EQ(FitCore::GetExperimentalCurve()->GetName(), L"phonons");
    const Winplus::Rect bounds = FitCore::GetExperimentalCurve()->GetBounds();
    EXPECT_EQ(FitCore::GetUserCurves()->GetLimits().x, bounds.x);
    EXPECT_EQ(FitCore::GetUserCurves()->GetLimits().width, bounds.width);

    const Spectrum::Ptr target = FitCore::GetTargetSpectrum();
    const Data& x = *fit.data->X();
    auto expectPoints = [&](int first, int last) {
        ASSERT_EQ(target->Size(), last - first + 1);
        for (int k = 0; k <= last - first; ++k) {
            EXPECT_EQ((*target->X())[k], x[first + k]);
            EXPECT_EQ((*target->Re())[k], (*fit.data->Re())[first + k]);
        }
        // The model curve follows the target's abscissas.
        EXPECT_EQ(FitCore::GetModelSpectrum()->X()->Values(), target->X()->Values());
    };
    expectPoints(0, 200);

    // Both ends of the range are in it; a range past the data is cut to the data.
    buses.Clear();
    FitCore::GetDataCurve()->SetRange(x[30], x[10]);
    FitCore::PrepareTarget(false);
    expectPoints(10, 30);
    EXPECT_EQ(buses.view->codes, std::vector<int>{127});
    FitCore::GetDataCurve()->SetRange(x[150], 1e9);
    FitCore::PrepareTarget(false);
    expectPoints(150, 200);
    FitCore::GetDataCurve()->SetRange(x[7], x[7]);
    FitCore::PrepareTarget(false);
    expectPoints(7, 7);

    // The reduction keeps both ends and about one point in four of the range.
    FitCore::GetDataCurve()->SetAllRange(true);
    EXPECT_FALSE(FitCore::SetSqueezeFactor(1.0));
    EXPECT_FALSE(FitCore::SetSqueezeFactor(0.5));
    EXPECT_EQ(FitCore::GetSettings().squeezeFactor, 4.0);
    FitCore::SetSqueeze(true);
    EXPECT_EQ(Optimize::SqueezeSettings().GetFactor(), 4.0);
    EXPECT_GT(target->Size(), 200 / 4 - 10);
    EXPECT_LT(target->Size(), 200 / 4 + 10);
    EXPECT_EQ((*target->X())[0], x[0]);
    EXPECT_EQ(target->X()->Values().back(), x[200]);
    EXPECT_TRUE(FitCore::SetSqueezeFactor(8.0));
    EXPECT_LT(target->Size(), 200 / 8 + 10);
    FitCore::SetSqueeze(false);
    expectPoints(0, 200);

    // Reset forgets the data and the path of a project that is gone.
    test::MarkPhononParameters();
    FitCore::CollectParameters();
    EXPECT_EQ(FitCore::GetParameters().size(), 6u);
    buses.Clear();
    Core::MenuCore::SetCurrentNode(nullptr);
    Core::MenuCore::Notify(ModelEvent::kModelsReset);
    EXPECT_EQ(buses.fit->codes, (std::vector<int>{202, 910, 10, 910}));
    EXPECT_EQ(buses.view->codes, std::vector<int>{125});
    EXPECT_FALSE(FitCore::GetExperimentalData());
    EXPECT_FALSE(FitCore::GetUserModel());
    EXPECT_TRUE(FitCore::GetParameters().empty());
    EXPECT_EQ(FitCore::GetExperimentalCurve()->GetName(), L"Experimental");
    EXPECT_EQ(FitCore::GetTargetSpectrum()->Size(), 0);
}

TEST(FitCoreTest, ResetDuringAFitStopsItAndNoStaleNoticeOrTransferFollows) {
    PreparedFit fit;
    Buses buses;
    FitCore::StartFit();
    int steps = 0;
    bool reset = false;
    while (FitCore::IsRunning()) {
        const int code = fit.owner->Next();
        ASSERT_EQ(code, Optimize::Optimizer::kNotifyCode);
        EXPECT_FALSE(FitCore::OnNotice(code, 12));  // not the worker's notice
        ASSERT_TRUE(FitCore::OnNotice(code, 0));
        if (++steps == 2) {
            // Step 3 runs: a new project waits for it and ends the fit.
            Core::MenuCore::Notify(ModelEvent::kModelsReset);
            reset = true;
        }
    }
    EXPECT_TRUE(reset);
    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(FitCore::IsRunning());
    // The notice of the abandoned step comes and is not taken; no step follows it.
    EXPECT_EQ(fit.owner->Next(), Optimize::Optimizer::kNotifyCode);
    EXPECT_FALSE(FitCore::OnNotice(Optimize::Optimizer::kNotifyCode, 0));
    EXPECT_EQ(fit.owner->Next(std::chrono::milliseconds(200)), -1);
    EXPECT_NE(std::find(buses.fit->codes.begin(), buses.fit->codes.end(), 901),
              buses.fit->codes.end());

    // The path was set again from the same selection: a fresh copy without marks, nothing to
    // transfer.
    EXPECT_TRUE(FitCore::GetParameters().empty());
    FitCore::TransferParameters();
    for (int i = 0; i < 2; ++i) EXPECT_EQ(PhononModel::Values(fit.user.model, i), kStart.terms[i]);

    // A fit whose user model has left the project transfers nothing.
    FitCore::SetExperimentalData(fit.data);
    test::MarkPhononParameters();
    FitCore::SetMaxSteps(3);
    FitCore::StartFit();
    EXPECT_EQ(fit.owner->RunFit(), 2);
    Core::Models().Clear();
    FitCore::TransferParameters();
    for (int i = 0; i < 2; ++i) EXPECT_EQ(PhononModel::Values(fit.user.model, i), kStart.terms[i]);
}

}  // namespace
