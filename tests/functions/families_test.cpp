#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/families.h"
#include "model/node.h"

namespace {

using Core::Complex;
using Core::Node;

struct Expected {
    int id;
    const char* name;
    int arity;
    bool active;
    Complex value;  // values[0] after construction
    std::vector<std::pair<std::string, Complex>> children;
};

const Complex kZero(0, 0), kOne(1, 0);

const std::vector<Expected>& Table() {
    static const std::vector<Expected> table = {
        {100, "c", -1, true, kOne, {}},
        {101, "Opposite", 0, false, kZero, {{"c", kOne}}},
        {102, "Inverse", 0, false, kZero, {{"c", kOne}}},
        {200, "Plus", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {201, "Minus", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {202, "Times", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {203, "Div", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {204, "I", 0, false, kZero, {{"c", kOne}}},
        {205, "IPlus", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {206, "IMinus", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {207, "Factor", 1, false, kZero, {{"c", kOne}}},
        {208, "Sum", 1, false, kZero, {{"c", kZero}}},
        {209, "Average", 1, false, kZero, {{"c", kZero}}},
        {210, "IfElse", 0, false, kZero, {{"Cnd", kOne}, {"a", kZero}, {"b", kZero}}},
        {211, "lt", 0, false, kZero, {{"x", kZero}, {"a", kZero}}},
        {212, "gt", 0, false, kZero, {{"x", kZero}, {"a", kZero}}},
        {213, "In", 0, false, kZero, {{"x", kOne}, {"a", kZero}, {"b", kOne}}},
        {214, "Functor", 0, false, kZero, {{"z-value", kOne}, {"z", kZero}, {"f(z)", kZero}}},
        {230, "file-2c", 0, false, kZero, {{"x", kOne}, {"null-file", kZero}, {"B", kOne}}},
        {300, "Real", 0, false, kZero, {{"c", kOne}}},
        {301, "Imag", 0, false, kZero, {{"c", kOne}}},
        {302, "Abs", 0, false, kZero, {{"c", kOne}}},
        {303, "Norm", 0, false, kZero, {{"c", kOne}}},
        {304, "Arg", 0, false, kZero, {{"c", kOne}}},
        {305, "Conjg", 0, false, kZero, {{"c", kOne}}},
        {306, "Sqr", 0, false, kZero, {{"c", kOne}}},
        {307, "Sqrt", 0, false, kZero, {{"c", kOne}}},
        {308, "Exp", 0, false, kZero, {{"c", kOne}}},
        {309, "Ln", 0, false, kZero, {{"c", kOne}}},
        {310, "Log", 0, false, kZero, {{"c", kOne}}},
        {311, "Cos", 0, false, kZero, {{"c", kOne}}},
        {312, "Sin", 0, false, kZero, {{"c", kOne}}},
        {313, "Tan", 0, false, kZero, {{"c", kOne}}},
        {314, "Cot", 0, false, kZero, {{"c", kOne}}},
        {315, "Csc", 0, false, kZero, {{"c", kOne}}},
        {316, "Sec", 0, false, kZero, {{"c", kOne}}},
        {317, "Acos", 0, false, kZero, {{"c", kOne}}},
        {318, "Asin", 0, false, kZero, {{"c", kOne}}},
        {319, "Atan", 0, false, kZero, {{"c", kOne}}},
        {320, "Acot", 0, false, kZero, {{"c", kOne}}},
        {321, "Acsc", 0, false, kZero, {{"c", kOne}}},
        {322, "Asec", 0, false, kZero, {{"c", kOne}}},
        {323, "Cosh", 0, false, kZero, {{"c", kOne}}},
        {324, "Sinh", 0, false, kZero, {{"c", kOne}}},
        {325, "Tanh", 0, false, kZero, {{"c", kOne}}},
        {326, "Coth", 0, false, kZero, {{"c", kOne}}},
        {327, "Csch", 0, false, kZero, {{"c", kOne}}},
        {328, "Sech", 0, false, kZero, {{"c", kOne}}},
        {329, "Acosh", 0, false, kZero, {{"c", kOne}}},
        {330, "Asinh", 0, false, kZero, {{"c", kOne}}},
        {331, "Atanh", 0, false, kZero, {{"c", kOne}}},
        {332, "Acoth", 0, false, kZero, {{"c", kOne}}},
        {333, "Acsch", 0, false, kZero, {{"c", kOne}}},
        {334, "Asech", 0, false, kZero, {{"c", kOne}}},
        {335, "Pow", 0, false, kZero, {{"a", kOne}, {"n", Complex(2, 0)}}},
        {336, "YPow", 0, false, kZero, {{"a", kOne}, {"power", kZero}}},
        {400, "PI", -1, false, Complex(3.141592653589793, 0), {}},
        {403, "E", -1, false, Complex(2.718281828459045, 0), {}},
        {406, "h", -1, false, Complex(6.62607015e-34, 0), {}},
        {407, "k", -1, false, Complex(1.380649e-23, 0), {}},
        {408, "C1L", -1, false, Complex(1.1910429723971884e-16, 0), {}},
        {409, "C2", -1, false, Complex(0.014387768775039339, 0), {}},
        {501, "Rnd", -1, false, kZero, {}},
        {600, "N", -1, true, kZero, {}},
        {601, "Q", 0, false, kZero, {{"n", kZero}, {"d", kOne}}},
        {602, "R", -1, true, kZero, {}},
        {603, "C", 0, false, kZero, {{"a", kZero}, {"b", kZero}}},
        {604, "B", -1, true, kZero, {}},
        {610, "string", -1, false, kZero, {}},
        {650, "data", -1, false, kZero, {}},
        {700, "Gaussian", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}}},
        {701, "Lorentzian", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}}},
        {702, "Voigt", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wG", Complex(10, 0)}, {"wL", Complex(1, 0)}}},
        {703, "PearsonVII", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}, {"m", Complex(2, 0)}}},
        {704, "SGL", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}, {"f", Complex(0.5, 0)}}},
        {706, "Laplace", 0, false, kZero, {{"x", kZero}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wr", Complex(10, 0)}, {"wl", Complex(10, 0)}}},
        {799, "AreaGaussian", 0, false, kZero, {{"x", kZero}, {"A", Complex(10, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}}},
        {900, "Phonon3P", 0, false, kZero, {{"x", Complex(0, 0)}, {"ds", Complex(1, 0)}, {"w", Complex(100, 0)}, {"g", Complex(10, 0)}}},
        {901, "Phonon4P", 0, false, kZero, {{"x", Complex(0, 0)}, {"wt", Complex(100, 0)}, {"gt", Complex(10, 0)}, {"wl", Complex(105, 0)}, {"gl", Complex(10, 0)}}},
        {902, "AnhPhonon", 0, false, kZero, {{"x", Complex(0, 0)}, {"ds", Complex(1, 0)}, {"w", Complex(100, 0)}, {"g", Complex(10, 0)}}},
        {903, "AiPhonon", 0, false, kZero, {{"x", Complex(0, 0)}, {"ds", Complex(1, 0)}, {"w", Complex(100, 0)}, {"g", Complex(10, 0)}}},
        {904, "Drude", 0, false, kZero, {{"x", Complex(0, 0)}, {"w", Complex(100, 0)}, {"g", Complex(10, 0)}}},
        {905, "Plasmon", 0, false, kZero, {{"x", Complex(0, 0)}, {"w", Complex(100, 0)}, {"g0", Complex(10, 0)}, {"g", Complex(10, 0)}}},
        {906, "VoigtKKg", 0, false, kZero, {{"x", Complex(0, 0)}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wG", Complex(10, 0)}, {"wL", Complex(1, 0)}}},
        {907, "GaussianKKg", 0, false, kZero, {{"x", Complex(0, 0)}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"w", Complex(10, 0)}}},
        {908, "LaplaceKKg", 0, false, kZero, {{"x", Complex(0, 0)}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wr", Complex(10, 0)}, {"wl", Complex(10, 0)}}},
        {909, "gaussian-distribution-dho", 0, false, kZero, {{"x", Complex(0, 0)}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wG", Complex(10, 0)}, {"wL", Complex(1, 0)}}},
        {920, "gaussian-distribution-sqo", 0, false, kZero, {{"x", Complex(0, 0)}, {"A", Complex(1, 0)}, {"xc", Complex(100, 0)}, {"wG", Complex(10, 0)}, {"wL", Complex(1, 0)}}},
        {1200, "dawson", 0, false, kZero, {{"c", kOne}}},
        {1201, "faddeeva", 0, false, kZero, {{"c", kOne}}},
        {1202, "exp-integral-E1", 0, false, kZero, {{"c", kOne}}},
        {1203, "exp-integral-Ei", 0, false, kZero, {{"c", kOne}}},
        {1204, "exp-integral-exp-Ei", 0, false, kZero, {{"c", kOne}}},
        {1205, "gamma", 0, false, kZero, {{"c", kOne}}},
    };
    return table;
}

class FamiliesTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

void ExpectLayout(const Node& node, const Expected& e) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(node.GetTypeId(), e.id);
    EXPECT_EQ(node.GetName(), e.name);
    EXPECT_EQ(node.GetArityKind(), e.arity);
    EXPECT_EQ(node.IsActive(), e.active);
    EXPECT_EQ(node.GetValue(), e.value);
    ASSERT_EQ(node.ChildCount(), static_cast<int>(e.children.size()));
    for (int i = 0; i < node.ChildCount(); ++i) {
        EXPECT_EQ(node.GetChild(i)->GetName(), e.children[static_cast<std::size_t>(i)].first);
        EXPECT_EQ(node.GetChild(i)->GetValue(), e.children[static_cast<std::size_t>(i)].second);
        EXPECT_EQ(node.GetChild(i)->ParentNode(), &node);
    }
}

TEST_F(FamiliesTest, EveryTypeIdCreatesItsClassWithItsDefaults) {
    for (const Expected& e : Table()) {
        Node::Ptr node = Node::Create(e.id);
        ASSERT_TRUE(node) << e.id;
        ExpectLayout(*node, e);
    }
}

TEST_F(FamiliesTest, CloneKeepsTypeLayoutAndValues) {
    for (const Expected& e : Table()) {
        Node::Ptr node = Node::Create(e.id);
        Node::Ptr copy = node->Clone();
        ASSERT_TRUE(copy) << e.id;
        ExpectLayout(*copy, e);
        EXPECT_NE(copy, node);
    }
}

TEST_F(FamiliesTest, IdsInTheGapsHaveNoClass) {
    for (int id : {99, 103, 199, 215, 229, 231, 401, 402, 404, 405, 410, 500, 502, 605, 611, 649,
                   651, 1100, 1103})
        EXPECT_TRUE(Node::Create(id).IsNull()) << id;
}

}  // namespace
