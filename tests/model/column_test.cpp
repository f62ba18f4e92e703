// The column path against the per-point protocol it stands for: random models built from every
// type the factory knows, over a grid with NaN, infinities, zeros and extreme values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <thread>

#include "foundation/random.h"
#include "functions/families.h"
#include "model/column_evaluation.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"

namespace {

using Core::ColumnEvaluation;
using Core::Complex;
using Core::MathMap;
using Core::MathSpectrum;
using Core::Node;
using Core::NodeMap;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const double kSpecial[] = {kNaN,   kInf,    -kInf, 0.0,    -0.0,  1.0, -1.0, 2.5,
                           1e-160, -3e-170, 1e160, -2e155, 1e300, 0.5, 7.0};

const char* const kFormulas[] = {
    "f(a,b)=a*b-a/b+(a+i*b)/(b-2*a)",
    "f(a)=Sqrt(a)*Exp(i*a)-Ln(a)/Log(a+1)",
    "f(a,b)=Abs(a)+Norm(b)*Arg(a)-Conjg(b)/Sqr(a)",
    "f(a,b)=Cos(a)*Sin(b)/Tan(a)+Cosh(b)-Sinh(a)*Tanh(b)",
    "f(a)=Acos(a)+Asin(a/2)-Atan(i*a)+Ceiling(a)*Floor(-a)",
    "f(a,b)=Real(a)/0+Imag(b)/(a*0)-PI*E/LN2*LN10",
    "f(a,b,c)=-a*(b-c*(a+b*(c-1)))/(a*b*c)",
    "f()=2*PI/(1+i)",
    "f(a,b)=a*3-b*0.5/2+a*PI*i",
    "f(a)=Conjg(-a)",
    "f(a)=a*2",
    "f(a)=Ln(a*1+a*1)+Arg(a*2)",
    "f(a)=Conjg(a)*1",
    "f(a,b)=Conjg(a*0-b)*1-Imag(a)*0",
    "f(a)=a*RND",
};

std::vector<int> KnownTypeIds() {
    std::vector<int> ids;
    for (int id = 0; id < 10000; ++id)
        if (Node::Create(id)) ids.push_back(id);
    return ids;
}

Node::Ptr Reference(const NodeMap::Ptr& map) {
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetMap(map);
    return reference;
}

class RandomModels {
public:
    // Integrators are left out: a model holding one is evaluated point by point on both sides,
    // so they add no comparison here, and with a random step count (up to 100,000) they made
    // this test take minutes under the sanitizers. EveryTypeOverVaryingChildren covers them.
    explicit RandomModels(unsigned seed) : rng_(seed), ids_(KnownTypeIds()) {
        std::erase_if(ids_, [](int id) { return id == 4000 || id == 4002; });
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

    // Mostly references and ordinary numbers, so that values reach the root; now and then a
    // special value or a node of any type as it is made.
    Node::Ptr Leaf(const std::vector<NodeMap::Ptr>& targets) {
        const int kind = Pick(20);
        if (kind < 9)
            return Reference(
                targets[static_cast<std::size_t>(Pick(static_cast<int>(targets.size())))]);
        if (kind < 17) {
            Node::Ptr number = Node::Create(Core::kBasicId);
            std::uniform_real_distribution<double> value(-3.0, 3.0);
            const bool special = kind == 16;
            number->SetValue(Complex(special ? kSpecial[Pick(std::size(kSpecial))] : value(rng_),
                                     Pick(2) ? 0.0 : value(rng_)),
                             0);
            return number;
        }
        return Node::Create(ids_[static_cast<std::size_t>(Pick(static_cast<int>(ids_.size())))]);
    }

    Node::Ptr Tree(int depth, const std::vector<NodeMap::Ptr>& targets) {
        if (depth == 0 || Pick(4) == 0) return Leaf(targets);
        // Arithmetic more often than the rest, so that values vary with x up to the root.
        constexpr int kArithmetic[] = {
            101, 102, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, Core::kFormulaCapsuleId};
        const int id = Pick(5) < 3
                           ? kArithmetic[Pick(std::size(kArithmetic))]
                           : ids_[static_cast<std::size_t>(Pick(static_cast<int>(ids_.size())))];
        Node::Ptr node = Node::Create(id);
        if (id == Core::kFormulaCapsuleId) {
            auto formula = Safe::MakeX<Formula>();
            formula->Define(kFormulas[Pick(std::size(kFormulas))], false);
            Safe::DynamicCast<Core::FormulaCapsule>(node)->SetFormula(formula);
        }
        if (node->IsVariadic())
            for (int extra = Pick(4); extra > 0; --extra) node->AddChild(Tree(depth - 1, targets));
        for (int i = 0; i < node->ChildCount(); ++i)
            node->ReplaceChildAt(i, Tree(depth - 1, targets));
        return node;
    }

    // x, a helper definition h of x, and model of x and h; the variable is named variable.
    MathMap::Ptr Model(const std::string& variable) {
        auto model = Safe::MakeX<MathMap>();
        NodeMap::Ptr x = model->AddMap(NodeMap::CreateVariable(variable));
        NodeMap::Ptr h = model->AddMap(NodeMap::CreateFunction("h"));
        NodeMap::Ptr result = model->AddMap(NodeMap::CreateFunction("model"));
        h->ReplaceNode("m", Tree(3, {x}));
        result->ReplaceNode("m", Tree(4, {x, h}));
        model->RebuildOrder();
        return model;
    }

private:
    std::mt19937 rng_;
    std::vector<int> ids_;
};

// Equal bit for bit, any NaN equal to any other.
bool Same(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<double> Grid() {
    // More than two blocks, the special values scattered through them.
    std::vector<double> xs;
    for (int i = 0; i < 700; ++i)
        xs.push_back(i % 7 == 3 ? kSpecial[(i / 7) % std::size(kSpecial)] : -40.0 + 0.13 * i);
    return xs;
}

// The per-point protocol itself: the variable takes x, the model is evaluated, and the output
// read as the unit's evaluations read it.
std::vector<Complex> PerPoint(const MathMap::Ptr& model, const NodeMap::Ptr& variable,
                              const Node::Ptr& output, ColumnEvaluation::Target target,
                              const std::vector<double>& xs) {
    std::vector<Complex> values;
    for (double x : xs) {
        variable->SetValue(Complex(x, 0.0), 0);
        if (target == ColumnEvaluation::kOutputAlone) {
            values.push_back(output->Evaluate());
            continue;
        }
        model->EvaluateAll();
        if (target == ColumnEvaluation::kModelOutput) {
            values.push_back(output->GetValue());
        } else {
            variable->SetValue(Complex(x, 0.0), 0);
            values.push_back(output->Evaluate());
        }
    }
    return values;
}

std::vector<Complex> ByUnit(const MathMap::Ptr& model, const NodeMap::Ptr& variable,
                            const Node::Ptr& output, ColumnEvaluation::Target target,
                            const std::vector<double>& xs) {
    auto spectrum = Safe::MakeX<MathSpectrum>();
    spectrum->Resize(static_cast<int>(xs.size()));
    for (std::size_t i = 0; i < xs.size(); ++i) (*spectrum->X())[i] = xs[i];
    Core::MathUnit& unit = *spectrum->GetUnit();
    unit.enabled = false;
    unit.Bind(model, model->FindMap("model"), output, variable);
    if (target == ColumnEvaluation::kOutputAlone)
        unit.EvaluateOutput(spectrum->X(), spectrum->Re(), spectrum->Im());
    else
        spectrum->Refresh();
    std::vector<Complex> values;
    for (std::size_t i = 0; i < xs.size(); ++i)
        values.emplace_back((*spectrum->Re())[i], (*spectrum->Im())[i]);
    return values;
}

class ColumnTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

TEST_F(ColumnTest, RandomModelsGiveThePerPointValuesBitForBit) {
    RandomModels random(20261207);
    const std::vector<double> xs = Grid();
    int columns = 0, trials = 0, varying = 0;
    for (int trial = 0; trial < 600; ++trial) {
        // A variable other than x makes the unit evaluate the output again after the model.
        const std::string name = trial % 3 == 2 ? "t" : "x";
        MathMap::Ptr model = random.Model(name);
        NodeMap::Ptr variable = model->FindMap(name);
        // Now and then a typed variable, which rounds (integer) or drops (real) what it takes.
        if (trial % 7 == 5) variable->ReplaceNode("v", Node::Create(trial % 14 == 5 ? 600 : 602));
        NodeMap::Ptr result = model->FindMap("model");
        const std::vector<Node::Ptr>& nodes = result->Nodes();
        // The output: the root, or any node of the tree.
        Node::Ptr output =
            trial % 2
                ? result->GetRoot()
                : nodes[static_cast<std::size_t>(random.Pick(static_cast<int>(nodes.size())))];
        const auto target = trial % 5 == 4 ? ColumnEvaluation::kOutputAlone
                            : name == "x"  ? ColumnEvaluation::kModelOutput
                                           : ColumnEvaluation::kOutputAfterModel;
        ColumnEvaluation plan;
        columns += plan.Plan(*model, variable.Get(), output.Get(), target) ? 1 : 0;
        ++trials;

        // A node the model does not evaluate at every point (below a branch not taken) keeps the
        // value of its last evaluation: a first pass, with the same draws, gives both runs the
        // same start.
        Random::SeedWith(5u + static_cast<unsigned>(trial));
        PerPoint(model, variable, output, target, xs);
        Random::SeedWith(5u + static_cast<unsigned>(trial));
        const std::vector<Complex> expected = PerPoint(model, variable, output, target, xs);
        const Complex lastOutput = output->GetValue();
        Random::SeedWith(5u + static_cast<unsigned>(trial));
        const std::vector<Complex> actual = ByUnit(model, variable, output, target, xs);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ASSERT_TRUE(Same(actual[i].real(), expected[i].real()) &&
                        Same(actual[i].imag(), expected[i].imag()))
                << "trial " << trial << " x = " << xs[i] << ": " << actual[i] << " against "
                << expected[i] << " (" << output->GetName() << ")";
        }
        int moving = 0;  // points with a finite value other than the first point's
        for (const Complex& v : expected) moving += std::isfinite(v.real()) && v != expected[0];
        varying += moving > static_cast<int>(xs.size()) / 2;
        // The model is left as the per-point path leaves it.
        EXPECT_TRUE(Same(output->GetValue().real(), lastOutput.real())) << "trial " << trial;
    }
    // Most models must have gone the column way, and many of them vary with x, for the
    // comparison to say anything.
    EXPECT_GT(columns, trials / 2);
    EXPECT_GT(varying, trials / 5);
}

// Every type with children, its children varying with x in both parts and through the special
// values: each operator's loop meets ordinary and special operands.
TEST_F(ColumnTest, EveryTypeOverVaryingChildren) {
    const std::vector<double> xs = Grid();
    std::vector<Node::Ptr> nodes;
    for (int id : KnownTypeIds()) nodes.push_back(Node::Create(id));
    for (const char* text : kFormulas) {
        auto formula = Safe::MakeX<Formula>();
        formula->Define(text, false);
        auto capsule =
            Safe::DynamicCast<Core::FormulaCapsule>(Node::Create(Core::kFormulaCapsuleId));
        capsule->SetFormula(formula);
        nodes.push_back(capsule);
    }
    int columns = 0;
    for (const Node::Ptr& node : nodes) {
        if (node->ChildCount() == 0 || node->GetArityKind() == Core::kArityNone) continue;
        MathMap::Ptr model = MathMap::CreateModel("m");
        NodeMap::Ptr x = model->FindMap("x");
        NodeMap::Ptr result = model->FindMap("model");
        node->ReplaceChildAt(0, Reference(x));  // x itself, with its zeros of either sign
        for (int i = 1; i < node->ChildCount(); ++i) {
            // x (2 + i/3) + 2i, 3 x, ...: operands with real and imaginary parts.
            Node::Ptr operand = Node::Create(i % 2 ? 205 : 202);
            operand->ReplaceChildAt(0, Reference(x));
            operand->GetChild(1)->SetValue(Complex(1.0 + i, i % 3 - 1.0), 0);
            node->ReplaceChildAt(i, operand);
        }
        result->ReplaceNode("m", node);
        model->RebuildOrder();
        ColumnEvaluation plan;
        columns +=
            plan.Plan(*model, x.Get(), result->GetRoot().Get(), ColumnEvaluation::kModelOutput);
        Random::SeedWith(11);
        const std::vector<Complex> expected =
            PerPoint(model, x, result->GetRoot(), ColumnEvaluation::kModelOutput, xs);
        Random::SeedWith(11);
        const std::vector<Complex> actual =
            ByUnit(model, x, result->GetRoot(), ColumnEvaluation::kModelOutput, xs);
        for (std::size_t i = 0; i < xs.size(); ++i)
            ASSERT_TRUE(Same(actual[i].real(), expected[i].real()) &&
                        Same(actual[i].imag(), expected[i].imag()))
                << node->GetName() << " x = " << xs[i] << ": " << actual[i] << " against "
                << expected[i];
    }
    EXPECT_GT(columns, 20);
}

// The peaks, oscillators and profiles as fits use them: x and constant parameters, real (which
// the peaks take in real arithmetic) or complex, ordinary or special (NaN, infinite, zero,
// negative, huge, tiny), each set in every parameter in turn.
TEST_F(ColumnTest, PeaksAndOscillatorsOverConstantParameters) {
    const std::vector<double> xs = Grid();
    const Complex ordinary[] = {Complex(1.5, 0.0), Complex(90.0, 0.0), Complex(8.0, 0.0),
                                Complex(2.5, 0.0)};
    const Complex unusual[] = {
        kNaN, kInf, -kInf, 0.0, -0.0, -7.0, 1e300, 1e-300, Complex(3.0, 0.5), Complex(0.0, -2.0)};
    int compared = 0;
    for (int id : {700, 701, 702, 703, 704, 706, 799, 900, 901, 902, 903, 904, 905, 906, 907, 908,
                   909, 920}) {
        for (int slot = 0; slot <= static_cast<int>(std::size(unusual)) * 4; ++slot) {
            MathMap::Ptr model = MathMap::CreateModel("m");
            NodeMap::Ptr x = model->FindMap("x");
            Node::Ptr node = Node::Create(id);
            node->ReplaceChildAt(0, Reference(x));
            const int child = 1 + slot % 4;  // slot 0 and every fourth: the ordinary set
            for (int i = 1; i < node->ChildCount(); ++i)
                node->GetChild(i)->SetValue(
                    i == child && slot > 0 ? unusual[(slot - 1) / 4] : ordinary[(i - 1) % 4], 0);
            model->FindMap("model")->ReplaceNode("m", node);
            model->RebuildOrder();
            const std::vector<Complex> expected =
                PerPoint(model, x, node, ColumnEvaluation::kModelOutput, xs);
            const std::vector<Complex> actual =
                ByUnit(model, x, node, ColumnEvaluation::kModelOutput, xs);
            for (std::size_t i = 0; i < xs.size(); ++i)
                ASSERT_TRUE(Same(actual[i].real(), expected[i].real()) &&
                            Same(actual[i].imag(), expected[i].imag()))
                    << node->GetName() << " slot " << slot << " x = " << xs[i] << ": " << actual[i]
                    << " against " << expected[i];
            ++compared;
        }
    }
    EXPECT_GT(compared, 500);
}

// The function library's nodes take their own column paths, which the tests above hold to the
// per-point values; IfElse and In stay point by point, so that a branch not taken is not
// evaluated.
TEST_F(ColumnTest, FunctionNodesHaveColumnPaths) {
    const int own[] = {335, 336, 700, 701, 702, 703, 704, 706,  799,  900,  901,  902,  903,
                       904, 905, 906, 907, 908, 909, 920, 1200, 1201, 1202, 1203, 1204, 1205};
    for (int id : own) EXPECT_EQ(Node::Create(id)->GetColumnKind(), Core::kColumnOwn) << id;
    for (int id : {210, 213}) EXPECT_EQ(Node::Create(id)->GetColumnKind(), Core::kColumnPointwise);
}

// A node below a parent without a column path of its own (IfElse) is read after each point
// that parent evaluates: the grid goes the column way and gives what the per-point path leaves
// in the node, also the value a branch not taken keeps from the last point that took it.
TEST_F(ColumnTest, ANodeBelowAPointwiseParentIsReadAfterEachPoint) {
    MathMap::Ptr model = MathMap::CreateModel("m");
    NodeMap::Ptr x = model->FindMap("x");
    Node::Ptr test = Node::Create(212);  // x > 0
    test->ReplaceChildAt(0, Reference(x));
    Node::Ptr times = Node::Create(202);  // 3 x
    times->ReplaceChildAt(0, Reference(x));
    times->GetChild(1)->SetValue(Complex(3.0, 0.0), 0);
    Node::Ptr choice = Node::Create(210);  // IfElse(x > 0, 3 x, 5)
    choice->ReplaceChildAt(0, test);
    choice->ReplaceChildAt(1, times);
    choice->GetChild(2)->SetValue(Complex(5.0, 0.0), 0);
    Node::Ptr plus = Node::Create(200);
    plus->ReplaceChildAt(0, choice);
    plus->ReplaceChildAt(1, Reference(x));
    model->FindMap("model")->ReplaceNode("m", plus);
    model->RebuildOrder();

    std::vector<double> xs;  // two positive points, three negative, ...
    for (int i = 0; i < 700; ++i) xs.push_back((i % 5 < 2 ? 1.0 : -1.0) * (1.0 + 0.01 * i));
    ColumnEvaluation plan;
    EXPECT_TRUE(plan.Plan(*model, x.Get(), times.Get(), ColumnEvaluation::kModelOutput));
    const std::vector<Complex> values = ByUnit(model, x, times, ColumnEvaluation::kModelOutput, xs);
    double last = 0.0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (xs[i] > 0.0) last = 3.0 * xs[i];
        ASSERT_EQ(values[i], Complex(last, 0.0)) << "x = " << xs[i];
    }
}

// The leaves holding values below node, children first.
void CollectParameters(Node& node, std::vector<Node*>& out) {
    if (node.GetSourceKind() == Core::kDefinitionReference) return;
    for (int i = 0; i < node.ChildCount(); ++i) CollectParameters(*node.Child(i), out);
    if (node.ChildCount() == 0 && node.GetTypeId() == Core::kBasicId) out.push_back(&node);
}

// Derivative columns: a parameter shifted alone and only its path computed again, the rest read
// from the block's evaluation as the model stands, gives what evaluating the whole model with
// that shift gives, in random models of nodes, formulas and references between definitions
// (the helper definition's parameters reach the output through references).
TEST_F(ColumnTest, ShiftedParametersGiveTheWholeEvaluationBitForBit) {
    RandomModels random(20261208);
    const std::vector<double> xs = Grid();
    const std::size_t columns = xs.size() - 1;  // the unit takes the last point by itself
    int compared = 0, throughReferences = 0, inFormulas = 0;
    for (int trial = 0; trial < 1000; ++trial) {
        MathMap::Ptr model = random.Model("x");
        NodeMap::Ptr variable = model->FindMap("x");
        NodeMap::Ptr helper = model->FindMap("h");
        Node::Ptr output = model->FindMap("model")->GetRoot();
        std::vector<Node*> parameters;
        CollectParameters(*helper->GetRoot(), parameters);
        const std::size_t helperParameters = parameters.size();
        CollectParameters(*output, parameters);
        std::vector<Complex> base, shifted;
        for (Node* parameter : parameters) {
            const Complex value = parameter->GetValue();
            base.push_back(value);
            shifted.emplace_back(value.real() * 1.000001 + 0.25, value.imag());
        }
        ColumnEvaluation plan;
        if (!plan.Plan(*model, variable.Get(), output.Get(), ColumnEvaluation::kModelOutput) ||
            !plan.PrepareShifts(parameters, base, shifted))
            continue;
        std::vector<std::vector<Complex>> actual(parameters.size(),
                                                 std::vector<Complex>(columns));
        for (std::size_t start = 0; start < columns; start += kColumnBlock) {
            const int size = static_cast<int>(std::min<std::size_t>(kColumnBlock, columns - start));
            plan.RunShiftedBlock(xs.data(), start, size, [&](std::size_t i, const Column& values) {
                for (int k = 0; k < size; ++k) actual[i][start + static_cast<std::size_t>(k)] = values.At(k);
            });
        }
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            if (!plan.Shifts(i)) continue;
            parameters[i]->SetValue(shifted[i], 0);
            const std::vector<Complex> expected =
                ByUnit(model, variable, output, ColumnEvaluation::kModelOutput, xs);
            parameters[i]->SetValue(base[i], 0);
            bool moved = false;  // the shift reaches the output somewhere
            for (std::size_t k = 0; k < columns; ++k) {
                ASSERT_TRUE(Same(actual[i][k].real(), expected[k].real()) &&
                            Same(actual[i][k].imag(), expected[k].imag()))
                    << "trial " << trial << " parameter " << i << " x = " << xs[k] << ": "
                    << actual[i][k] << " against " << expected[k];
                moved = moved || !Same(expected[k].real(), actual[0][k].real());
            }
            ++compared;
            throughReferences += i < helperParameters && moved;
            bool formula = false;  // a formula's group on the path
            for (Node* up = parameters[i]->ParentNode(); up; up = up->ParentNode())
                formula = formula || up->GetTypeId() == Core::kFormulaCapsuleId;
            inFormulas += formula && moved;
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(throughReferences, 50) << compared;
    EXPECT_GT(inFormulas, 30) << compared;
}

// Two models evaluated at the same time on two threads give what each gives alone.
TEST_F(ColumnTest, ThreadsEvaluateTheirOwnModels) {
    RandomModels random(7);
    const std::vector<double> xs = Grid();
    std::vector<MathMap::Ptr> models;
    std::vector<std::vector<Complex>> alone;
    while (models.size() < 2) {
        MathMap::Ptr model = random.Model("x");
        ColumnEvaluation plan;
        NodeMap::Ptr result = model->FindMap("model");
        if (!plan.Plan(*model, model->FindMap("x").Get(), result->GetRoot().Get(),
                       ColumnEvaluation::kModelOutput))
            continue;
        alone.push_back(ByUnit(model, model->FindMap("x"), result->GetRoot(),
                               ColumnEvaluation::kModelOutput, xs));
        models.push_back(model);
    }
    std::vector<std::vector<Complex>> together(2);
    auto run = [&](std::size_t k) {
        for (int repeat = 0; repeat < 20; ++repeat)
            together[k] =
                ByUnit(models[k], models[k]->FindMap("x"), models[k]->FindMap("model")->GetRoot(),
                       ColumnEvaluation::kModelOutput, xs);
    };
    std::thread first(run, 0), second(run, 1);
    first.join();
    second.join();
    for (std::size_t k = 0; k < 2; ++k)
        for (std::size_t i = 0; i < xs.size(); ++i)
            EXPECT_TRUE(Same(together[k][i].real(), alone[k][i].real()) &&
                        Same(together[k][i].imag(), alone[k][i].imag()));
}

}  // namespace
