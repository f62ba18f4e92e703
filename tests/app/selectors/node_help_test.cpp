// The status bar's help texts: one row for each built-in node type the help covers, the texts
// the user reads, and what a node without a row or no node leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/selectors/node_help.h"
#include "functions/families.h"

namespace {

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) ids.push_back(id);
    return ids;
}

TEST(NodeHelp, HasOneRowForEachCoveredTypeAndLabelsWhereTheCatalogueHasThem) {
    std::vector<int> expected = {100, 101, 102};
    for (const auto& part : {Range(200, 213),
                             {230},
                             Range(300, 336),
                             {400, 403},
                             Range(406, 409),
                             {501},
                             Range(600, 604),
                             Range(700, 704),
                             {706, 799, 800, 801, 803},
                             Range(900, 907)})
        expected.insert(expected.end(), part.begin(), part.end());
    std::vector<int> ids, unlabelled;
    for (const Core::NodeHelpRow& row : Core::NodeHelpRows()) {
        ids.push_back(row.typeId);
        if (!row.label) unlabelled.push_back(row.typeId);
        EXPECT_TRUE(row.description && *row.description) << row.typeId;
    }
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(ids.size(), 85u);
    EXPECT_EQ(unlabelled, (std::vector<int>{100, 101, 102, 200, 201, 202, 203, 204, 208, 211, 212,
                                            213, 400, 403, 406, 407, 408, 409}));
}

TEST(NodeHelp, GivesTheTextsOfANodesTypeAndLeavesThemWithoutARow) {
    Capsule::RegisterFamilies();
    struct Case {
        int typeId;
        std::wstring label, description;
    };
    const Case cases[] = {
        {328, L"Sech(z)", L"Returns the hyperbolic secant of the complex number z."},
        {703, L"PearsonVII()",
         L"PearsonVII function (A : amplitude, Xc : center, w : width, m : power)."},
        {903, L"AiPhonon()",
         L"Anharmonic version of the phonon function (ds : dielectric strength, w : frequency, g "
         L": self energy)."},
        {409, L"kept",
         L"Second radiation constant : C2 = h c / k = 1.4387768775039338021466716015439E-2"},
    };
    for (const Case& c : cases) {
        const Core::Node::Ptr node = Core::Node::Create(c.typeId);
        ASSERT_TRUE(node) << c.typeId;
        std::wstring label = L"kept", description = L"kept";
        Core::NodeHelp(node.Get(), label, description);
        EXPECT_EQ(label, c.label) << c.typeId;
        EXPECT_EQ(description, c.description) << c.typeId;
    }
    // No row (a Hilbert function), or no node: both texts stay.
    std::wstring label = L"a", description = L"b";
    Core::NodeHelp(Core::Node::Create(5000).Get(), label, description);
    Core::NodeHelp(nullptr, label, description);
    EXPECT_EQ(label + description, L"ab");
}

}  // namespace
