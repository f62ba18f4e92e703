#include "app/selectors/function_catalogue_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "functions/families.h"
#include "model/current.h"
#include "model/selection.h"
#include "tests/common/code_log.h"

namespace {

using Core::Node;

class FunctionCatalogue : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

// The entry of that caption in the category of that name; code -1 when either is missing.
int CodeOf(const std::wstring& category, const std::wstring& caption) {
    for (const Core::CatalogueCategory& c : Core::FunctionCatalogue())
        if (c.name == category)
            for (const Core::CatalogueEntry& entry : c.entries)
                if (entry.caption == caption) return entry.code;
    return -1;
}

TEST_F(FunctionCatalogue, EightTabsInOrderWithTheirColoursAndEntries) {
    std::vector<std::wstring> names;
    std::vector<std::size_t> sizes;
    for (const Core::CatalogueCategory& c : Core::FunctionCatalogue()) {
        names.push_back(c.name);
        sizes.push_back(c.entries.size());
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Basic-Functions", L"Operators", L"Base-Lines",
                                                L"Peak-Functions", L"Absorption-Profiles",
                                                L"Hilbert-Functions", L"Special-Functions",
                                                L"Numbers-Constants"}));
    EXPECT_EQ(sizes, (std::vector<std::size_t>{37, 27, 5, 7, 14, 4, 6, 13}));
    const auto catalogue = Core::FunctionCatalogue();
    EXPECT_EQ(catalogue[1].fill, 0xFFBED2FFu);
    EXPECT_EQ(catalogue[2].outline, 0xFF1EC014u);
    EXPECT_EQ(catalogue[7].fill, 0xFFFFD2BEu);

    // What a click on a tab or a sticker sends.
    EXPECT_EQ(std::wstring(catalogue[0].entries[0].caption), L"Real(z)");
    EXPECT_EQ(catalogue[3].entries[0].code, 700);
    EXPECT_EQ(CodeOf(L"Peak-Functions", L"Voigt()"), 702);
    EXPECT_EQ(CodeOf(L"Numbers-Constants", L"h"), 406);
    EXPECT_EQ(catalogue[7].entries[0].code, 604);  // "Boolean" first
    EXPECT_EQ(CodeOf(L"Absorption-Profiles", L"GaussianDho()"),
              catalogue[4].entries[7].code);  // before "GaussianKkg()"
    // The status bar's label of a pick: the caption of its code; none outside the catalogue.
    EXPECT_STREQ(Core::CatalogueCaption(300), L"Real(z)");
    EXPECT_STREQ(Core::CatalogueCaption(5001), L"PositiveFritschCarlsonHilbert()");
    EXPECT_EQ(Core::CatalogueCaption(802), nullptr);
    EXPECT_EQ(Core::CatalogueCaption(1100), nullptr);
}

TEST_F(FunctionCatalogue, EveryCodeCreatesANodeOfThatTypeOnce) {
    std::set<int> seen;
    for (const Core::CatalogueCategory& c : Core::FunctionCatalogue())
        for (const Core::CatalogueEntry& entry : c.entries) {
            const Node::Ptr node = Node::Create(entry.code);
            ASSERT_TRUE(node) << entry.code;
            EXPECT_EQ(node->GetTypeId(), entry.code);
            EXPECT_TRUE(seen.insert(entry.code).second) << entry.code;
            // The elementary functions are named as their stickers without "(z)".
            const std::wstring caption = entry.caption;
            if (c.name == std::wstring(L"Basic-Functions")) {
                EXPECT_EQ(std::wstring(node->Name().begin(), node->Name().end()),
                          caption.substr(0, caption.size() - 3));
            }
        }
    for (int id : {802, 899, 920, 2001, 2101, 10, 11, 12, 13, 14, 650})
        EXPECT_EQ(seen.count(id), 0u) << id;
}

TEST_F(FunctionCatalogue, CodesWithoutANodeClassLeaveTheSelectionAlone) {
    const Core::CatalogueCategory& emt = Core::EffectiveMediumCategory();
    EXPECT_EQ(std::wstring(emt.name), L"Effective-Medium-Theories");
    ASSERT_EQ(emt.entries.size(), 4u);
    Core::MathMapIo::InitProject();
    Core::PickByTypeId(300);
    const Node::Ptr picked = Core::Selection::GetNode();
    Safe::XPtr<CodeLog<SelectionEvent>> log = NewCodeLog<SelectionEvent>();
    EventBus::Registration onSelection = Core::Selection::AddObserver(log);
    for (const Core::CatalogueEntry& entry : emt.entries) {
        EXPECT_EQ(entry.code, 1100 + static_cast<int>(&entry - emt.entries.data()));
        EXPECT_FALSE(Node::Create(entry.code));
        EXPECT_FALSE(Core::PickByTypeId(entry.code));
    }
    EXPECT_FALSE(Core::PickByTypeId(1099));
    EXPECT_FALSE(Core::PickByTypeId(-5));
    EXPECT_EQ(Core::Selection::GetNode(), picked);
    EXPECT_EQ(Core::Selection::GetCurrent(), picked);
    EXPECT_TRUE(log->codes.empty());
}

}  // namespace
