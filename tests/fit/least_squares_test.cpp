#include <cstring>
#include <limits>
#include <thread>

#include "fit_support.h"
#include "model/factory.h"

namespace {

using Optimize::kFitComplex;
using Optimize::kFitImag;
using Optimize::kFitReal;
using Optimize::LevMarqMethod;

const std::vector<double> kOneToFive{1, 2, 3, 4, 5};

std::vector<double> Times(double factor, const std::vector<double>& xs) {
    std::vector<double> out;
    for (double x : xs) out.push_back(factor * x);
    return out;
}

// y = a x against 2 x: the damped steps are (2 - a) / (1 + lambda) and (2 - a) / (1 + lambda/2),
// so the lambda/2 trial lands nearer and wins; the lambda trial loses against the new best.
TEST(LevMarqTest, LinearStepAcceptsTheHalfDampedTrialAndHalvesLambda) {
    test::FormulaModel model("f(x,a)=a*x", {{"a", 1.0}});
    auto method = model.Method(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)), {"a"});
    const double sumSquares = 55.0;  // of 1..5
    EXPECT_NEAR(method->chi2, sumSquares, 1e-12);
    method->Iterate();
    EXPECT_TRUE(method->improved);
    EXPECT_FALSE(method->failed);
    EXPECT_EQ(method->GetLambda(), 0.0005);
    const double trial2 = 1.0 + 1.0 / 1.0005;
    const double trial1 = 1.0 + 1.0 / 1.001;
    EXPECT_NEAR(method->GetCurrent()[0], trial2, 1e-9);
    EXPECT_NEAR(method->GetBestChi2(), sumSquares * (2 - trial2) * (2 - trial2), 1e-12);
    EXPECT_NEAR(method->chi2, sumSquares * (2 - trial1) * (2 - trial1), 1e-12);
    // The model spectrum and the parameter belong to the current point.
    EXPECT_EQ(model.Value("a"), method->GetCurrent()[0]);
    EXPECT_DOUBLE_EQ((*method->GetSpectrum()->Re())[4], 5 * method->GetCurrent()[0]);
    method->Finish();
    EXPECT_EQ(method->chi2, method->GetBestChi2());
}

// At the exact minimum nothing improves: lambda grows fivefold up to its bound, the point stays.
TEST(LevMarqTest, StepWithoutImprovementGrowsLambdaWithinItsBound) {
    test::FormulaModel model("f(x,a)=a*x", {{"a", 2.0}});
    auto method = model.Method(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)), {"a"});
    ASSERT_EQ(method->chi2, 0.0);
    method->Iterate();
    EXPECT_FALSE(method->improved);
    EXPECT_EQ(method->GetLambda(), 0.005);
    EXPECT_EQ(method->GetCurrent()[0], 2.0);
    for (int i = 0; i < 40; ++i) method->Iterate();
    EXPECT_EQ(method->GetLambda(), LevMarqMethod::kLambdaMax);
    EXPECT_FALSE(method->failed);
    EXPECT_EQ(model.Value("a"), 2.0);
}

TEST(LevMarqTest, ParameterAtZeroFailsTheFirstStep) {
    test::FormulaModel model("f(x,a,b)=a*x+b", {{"a", 1.0}, {"b", 0.0}});
    auto method = model.Method(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)), {"a", "b"});
    EXPECT_FALSE(method->failed);
    method->Iterate();
    EXPECT_TRUE(method->failed);
    method->Finish();
    EXPECT_EQ(model.Value("a"), 1.0);
    EXPECT_NEAR(method->chi2, 55.0, 1e-12);
}

// No trial can be accepted against a start whose chi2 is NaN or infinite: the fit fails at once
// instead of stepping in vain.
TEST(LevMarqTest, NonFiniteStartFailsAtOnce) {
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        test::FormulaModel model("f(x,a)=a*x", {{"a", 1.0}});
        auto method = model.Method(test::MakeSpectrum({1, 2}, {2, bad}), {"a"});
        EXPECT_TRUE(method->failed);
        method->Iterate();
        EXPECT_EQ(method->GetCurrent()[0], 1.0);
        EXPECT_FALSE(method->improved);
    }
}

TEST(LevMarqTest, UnknownPartFailsTheFirstSolve) {
    test::FormulaModel model("f(x,a)=a*x", {{"a", 1.0}});
    auto method = model.Method(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)), {"a"}, 3);
    EXPECT_EQ(method->chi2, 0.0);
    method->Iterate();
    EXPECT_TRUE(method->failed);
}

// Listed twice, a parameter would give alpha two equal rows: the solve would fail.
TEST(LevMarqTest, ParameterListedTwiceIsAdjustedOnce) {
    test::FormulaModel model("f(x,a)=a*x", {{"a", 1.0}});
    auto method = Safe::MakeX<LevMarqMethod>();
    method->SetData(model.model, model.definition, model.definition->GetRoot());
    method->SetVariableMap(model.variable);
    method->SetTarget(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)));
    method->SetParameters(model.Parameters({"a", "a"}));
    EXPECT_EQ(method->GetParameters().size(), 1u);
    method->Initialize();
    Optimize::StepUntilSettled(*method, 100);
    EXPECT_FALSE(method->failed);
    EXPECT_NEAR(model.Value("a"), 2.0, 1e-9);
}

// The parameter only moves the imaginary part: the real fit has nothing to go on, the imaginary
// and the complex fits find it (the complex normal matrix takes both parts' derivatives).
TEST(LevMarqTest, PartsOfTheResidual) {
    const std::vector<double> xs{1, 2, 3};
    Spectrum::Ptr target = test::MakeSpectrum(xs, {1, 2, 3}, {3, 6, 9});
    test::FormulaModel model("f(x,b)=x+i*b*x", {{"b", 1.0}});
    double chi2[3] = {};
    for (int part : {kFitReal, kFitImag, kFitComplex}) {
        model.Set("b", 1.0);
        auto method = model.Method(target, {"b"}, part);
        chi2[part] = method->chi2;
        Optimize::StepUntilSettled(*method, 100);
        method->Finish();
        if (part == kFitReal) {
            EXPECT_TRUE(method->failed);
            EXPECT_EQ(model.Value("b"), 1.0);
        } else {
            EXPECT_FALSE(method->failed) << part;
            EXPECT_NEAR(model.Value("b"), 3.0, 1e-9) << part;
        }
    }
    EXPECT_EQ(chi2[kFitReal], 0.0);
    EXPECT_NEAR(chi2[kFitImag], 4 + 16 + 36, 1e-12);
    EXPECT_EQ(chi2[kFitComplex], chi2[kFitReal] + chi2[kFitImag]);
}

TEST(LevMarqTest, ParameterLosesItsImaginaryPart) {
    test::FormulaModel model("f(x,a)=a*x", {});
    model.Parameter("a")->SetValue(Core::Complex(1.0, 5.0), 0);
    auto method = model.Method(test::MakeSpectrum(kOneToFive, Times(2, kOneToFive)), {"a"});
    EXPECT_EQ(model.Parameter("a")->GetValue(), Core::Complex(1.0, 0.0));
}

// Two Lorentz oscillators, eps = 1 + sum S w^2 / (w^2 - x^2 - i g x), sampled at their true
// parameters and fitted from 3-8 % off in each mode.
TEST(LevMarqTest, LorentzOscillatorsAreRecoveredInEveryMode) {
    const char* formula =
        "f(x,s1,w1,g1,s2,w2,g2)=1+s1*Sqr(w1)/(Sqr(w1)-Sqr(x)-i*g1*x)+"
        "s2*Sqr(w2)/(Sqr(w2)-Sqr(x)-i*g2*x)";
    const std::vector<std::pair<std::string, double>> truth = {
        {"s1", 1.0}, {"w1", 400.0}, {"g1", 20.0}, {"s2", 0.5}, {"w2", 600.0}, {"g2", 30.0}};
    std::vector<double> xs;
    for (int k = 0; k <= 300; ++k) xs.push_back(200.0 + 2.0 * k);
    test::FormulaModel model(formula, truth);
    Spectrum::Ptr target = model.Sample(xs);
    std::vector<std::string> names;
    for (const auto& [name, value] : truth) names.push_back(name);
    for (int part : {kFitReal, kFitImag, kFitComplex}) {
        const double offsets[] = {1.05, 1.03, 0.92, 0.95, 1.02, 1.08};
        for (std::size_t i = 0; i < truth.size(); ++i)
            model.Set(truth[i].first, truth[i].second * offsets[i]);
        auto method = model.Method(target, names, part);
        const int steps = Optimize::StepUntilSettled(*method, 500);
        method->Finish();
        EXPECT_FALSE(method->failed) << part;
        EXPECT_LT(steps, 500) << part;
        for (const auto& [name, value] : truth)
            EXPECT_NEAR(model.Value(name), value, 1e-7 * value) << name << " part " << part;
    }
}

// The derivative columns on several threads, each thread on a copy of the model, give the fit
// of one thread bit for bit; a small fit left to itself and a model that draws random numbers
// stay on one thread.
TEST(LevMarqTest, ThreadsGiveTheOneThreadFitBitForBit) {
    const char* formula =
        "f(x,s1,w1,g1,s2,w2,g2)=1+s1*Sqr(w1)/(Sqr(w1)-Sqr(x)-i*g1*x)+"
        "s2*Sqr(w2)/(Sqr(w2)-Sqr(x)-i*g2*x)";
    const std::vector<std::pair<std::string, double>> start = {
        {"s1", 1.05}, {"w1", 404.0}, {"g1", 18.0}, {"s2", 0.47}, {"w2", 606.0}, {"g2", 33.0}};
    test::FormulaModel truth(
        formula,
        {{"s1", 1.0}, {"w1", 400.0}, {"g1", 20.0}, {"s2", 0.5}, {"w2", 600.0}, {"g2", 30.0}});
    std::vector<double> xs;
    for (int k = 0; k <= 700; ++k) xs.push_back(200.0 + k);
    const Spectrum::Ptr target = truth.Sample(xs);
    for (int k = 0; k <= 700; ++k) (*target->Re())[k] += 1e-3 * std::sin(k);  // a chi2 > 0
    std::vector<std::string> names;
    for (const auto& [name, value] : start) names.push_back(name);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

    std::vector<double> chi2s;
    std::vector<std::vector<double>> fitted;
    for (int threads : {1, 2, 4}) {
        test::FormulaModel model(formula, start);
        auto method = model.Method(target, names, kFitComplex);
        method->SetThreadLimit(threads);
        method->Initialize();
        EXPECT_EQ(method->GetThreadCount(), std::min(threads, cores));
        Optimize::StepUntilSettled(*method, 40);
        method->Finish();
        EXPECT_EQ(method->GetThreadCount(), std::min(threads, cores));  // the copies checked out
        chi2s.push_back(method->chi2);
        fitted.push_back(method->GetCurrent());
    }
    for (std::size_t k = 1; k < chi2s.size(); ++k) {
        EXPECT_EQ(chi2s[k], chi2s[0]) << k;
        EXPECT_EQ(fitted[k], fitted[0]) << k;
    }
    EXPECT_NEAR(fitted[0][1], 400.0, 0.1);

    // Left to itself, a fit this small stays on one thread: starting threads would cost more.
    test::FormulaModel small(formula, start);
    EXPECT_EQ(small.Method(target, names, kFitComplex)->GetThreadCount(), 1);

    test::FormulaModel random("f(x,a)=a*x+0*RND", {{"a", 1.0}});
    auto method = random.Method(target, {"a"});
    method->SetThreadLimit(4);
    method->Initialize();
    EXPECT_EQ(method->GetThreadCount(), 1);
}

// A model of three definitions: x; h, a formula of x and two parameters; and model, a sum of
// nodes over x, a formula and a reference to h. Which parts the model holds: nodes, formula,
// or all three with the reference.
struct MixedModel {
    enum Parts { kNodes, kFormula, kMixed };
    Core::MathMap::Ptr model = Safe::MakeX<Core::MathMap>();
    Core::NodeMap::Ptr variable;
    Core::NodeMap::Ptr definition;
    std::vector<Core::Node::Ptr> parameters;

    explicit MixedModel(Parts parts) {
        Capsule::RegisterFamilies();
        model->Label::SetName("mixed");
        variable = model->AddMap(Core::NodeMap::CreateVariable("x"));
        Core::NodeMap::Ptr helper = model->AddMap(Core::NodeMap::CreateFunction("h"));
        definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
        Core::Node::Ptr sum = Core::Node::Create(208);
        sum->AddChild(Value(1.0, false));
        if (parts != kFormula) {  // s / (w - x x - i g x), in nodes
            Core::Node::Ptr square = Node(202, Reference(variable), Reference(variable));
            Core::Node::Ptr damping = Core::Node::Create(204);
            damping->ReplaceChildAt(0, Node(202, Value(20.0), Reference(variable)));
            sum->AddChild(Node(203, Value(9e4),
                               Node(201, Node(201, Value(1.6e5), square), damping)));
        }
        if (parts != kNodes)
            sum->AddChild(Formula("f(x,s,w,g)=s*Sqr(w)/(Sqr(w)-Sqr(x)-i*g*x)", {0.5, 600.0, 30.0}));
        if (parts == kMixed) {
            helper->ReplaceNode("m", Formula("f(x,a,b)=a*x/(b-Sqr(x)-i*x)", {2e3, 9e5}));
            sum->AddChild(Node(202, Value(0.7), Reference(helper)));
        }
        definition->ReplaceNode("m", sum);
        model->RebuildOrder();
    }
    Core::Node::Ptr Value(double value, bool adjusted = true) {
        Core::Node::Ptr node = Core::Node::Create(Core::kBasicId);
        node->SetValue(Core::Complex(value, 0.0), 0);
        if (adjusted) parameters.push_back(node);
        return node;
    }
    static Core::Node::Ptr Reference(const Core::NodeMap::Ptr& map) {
        auto reference = Safe::MakeX<Core::MapCapsule>();
        reference->SetMap(map);
        return reference;
    }
    static Core::Node::Ptr Node(int id, const Core::Node::Ptr& a, const Core::Node::Ptr& b) {
        Core::Node::Ptr node = Core::Node::Create(id);
        node->ReplaceChildAt(0, a);
        node->ReplaceChildAt(1, b);
        return node;
    }
    // The formula's first argument is x, the others parameters with these values.
    Core::Node::Ptr Formula(const std::string& text, const std::vector<double>& values) {
        auto formula = Safe::MakeX<::Formula>();
        EXPECT_TRUE(formula->Define(text, false)) << formula->GetMessage();
        auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Core::Node::Create(12));
        capsule->SetFormula(formula);
        capsule->ReplaceChildAt(0, Reference(variable));
        for (std::size_t k = 0; k < values.size(); ++k)
            capsule->ReplaceChildAt(static_cast<int>(k) + 1, Value(values[k]));
        return capsule;
    }
};

// Derivative rows along the parameters' paths (the default) against a whole evaluation per row:
// the rows of the first step and the whole fit (chi2, parameters) are the same bit for bit, for
// a model of nodes, a formula, and both with a reference between definitions, on one thread
// and on four.
TEST(LevMarqTest, DerivativesAlongPathsGiveTheWholeEvaluationsBitForBit) {
    std::vector<double> xs;
    for (int k = 0; k < 700; ++k) xs.push_back(300.0 + 0.7 * k);
    for (auto parts : {MixedModel::kNodes, MixedModel::kFormula, MixedModel::kMixed}) {
        MixedModel truth(parts);
        auto sample = Safe::MakeX<Core::MathSpectrum>();
        sample->Resize(static_cast<int>(xs.size()));
        sample->X()->Values() = xs;
        sample->GetUnit()->Bind(truth.model, truth.definition, truth.definition->GetRoot(),
                                truth.variable);
        sample->GetUnit()->enabled = false;
        sample->Refresh();
        auto target = Safe::MakeX<Spectrum>();
        target->CopyRange(sample, -1, -1, true);
        for (std::size_t k = 0; k < xs.size(); ++k) (*target->Im())[k] += 1e-3 * std::cos(k);

        struct Run {
            std::vector<std::vector<double>> rows;
            double chi2;
            std::vector<double> current;
        };
        auto fit = [&](bool byPaths, int threads) {
            MixedModel start(parts);
            for (std::size_t i = 0; i < start.parameters.size(); ++i) {
                const double value = start.parameters[i]->GetValue().real();
                start.parameters[i]->SetValue(Core::Complex(value * (i % 2 ? 1.04 : 0.97), 0.0), 0);
            }
            auto method = Safe::MakeX<LevMarqMethod>();
            method->SetData(start.model, start.definition, start.definition->GetRoot());
            method->SetVariableMap(start.variable);
            method->SetTarget(target);
            method->SetParameters(start.parameters);
            method->fittedPart = kFitComplex;
            method->SetThreadLimit(threads);
            method->SetDerivativesByPaths(byPaths);
            method->Initialize();
            method->Iterate();
            Run run;
            for (std::size_t i = 0; i < start.parameters.size(); ++i)
                run.rows.push_back(method->GetDerivativeRow(i));
            Optimize::StepUntilSettled(*method, 12);
            method->Finish();
            EXPECT_FALSE(method->failed) << parts;
            run.chi2 = method->chi2;
            run.current = method->GetCurrent();
            return run;
        };
        const Run whole = fit(false, 1);
        for (int threads : {1, 4}) {
            const Run paths = fit(true, threads);
            for (std::size_t i = 0; i < whole.rows.size(); ++i)
                EXPECT_EQ(0, std::memcmp(paths.rows[i].data(), whole.rows[i].data(),
                                         whole.rows[i].size() * sizeof(double)))
                    << "model " << parts << " row " << i << " threads " << threads;
            EXPECT_EQ(paths.chi2, whole.chi2) << parts;
            EXPECT_EQ(paths.current, whole.current) << parts;
        }
        EXPECT_LT(whole.chi2, 1e-3) << parts;  // the fit got there: 700 x (1e-3)^2 / 2 and less
    }
}

}  // namespace
