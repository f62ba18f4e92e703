#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "foundation/object_set.h"

namespace {

using Set = ObjectSet<Safe::XPtr<Label>>;

Safe::XPtr<Label> Item(const std::wstring& name) {
    return Safe::MakeX<Label>(name);
}

std::vector<std::wstring> Names(const Set& set) {
    std::vector<std::wstring> names;
    for (const auto& item : set) names.push_back(item->GetName());
    return names;
}

TEST(ObjectSet, AddMakesNamesUnique) {
    Set set;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(set.Add(Item(L"abc")));
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"abc", L"abc@1", L"abc@2"}));
    set.Add(Item(L"abc@1"));
    EXPECT_EQ(set.At(3)->GetName(), L"abc@3");

    Set other;
    other.Add(Item(L"a@b"));
    other.Add(Item(L"a@b"));
    EXPECT_EQ(other.At(1)->GetName(), L"a@1");
}

TEST(ObjectSet, FreeNamesStayAsTheyAre) {
    Set set;
    set.Add(Item(L"x@7"));
    set.Add(Item(L"Abc"));
    set.Add(Item(L"abc"));
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"x@7", L"Abc", L"abc"}));
}

TEST(ObjectSet, PrefixOfTheBaseDoesNotCount) {
    Set set;
    set.Add(Item(L"abc"));
    set.Add(Item(L"abc@5x"));
    set.Add(Item(L"abc"));
    EXPECT_EQ(set.At(2)->GetName(), L"abc@6");
}

TEST(ObjectSet, WrappingNumberStillGivesAFreeName) {
    Set set;
    set.Add(Item(L"abc"));
    set.Add(Item(L"abc@-1"));  // reads as the largest unsigned number
    set.Add(Item(L"abc@0"));
    set.Add(Item(L"abc"));
    EXPECT_EQ(set.At(3)->GetName(), L"abc@1");
    set.Add(Item(L"abc@0"));
    EXPECT_EQ(set.At(4)->GetName(), L"abc@2");
}

TEST(ObjectSet, NamesAfterAnUnreadableNumberCostTheSame) {
    // Every name given after these reads back as the same number, so the largest stays put;
    // naming once searched past every name given so far (30,000 names took minutes).
    constexpr int kCount = 30000;
    for (const auto& [first, firstGiven] :
         {std::pair{L"a@2147483647", 2147483648LL}, std::pair{L"a@-1", 0LL}}) {
        Set set;
        set.Add(Item(first));
        set.Add(Item(L"a"));
        for (int i = 0; i < kCount; ++i) set.Add(Item(L"a"));
        EXPECT_EQ(set.At(kCount + 1)->GetName(), L"a@" + std::to_wstring(firstGiven + kCount - 1));
    }
}

TEST(ObjectSet, LookupsOnEmptyAndOutOfRange) {
    Set set;
    EXPECT_EQ(set.IndexOf(L"a"), -1);
    EXPECT_TRUE(set.Find(L"a").IsNull());
    EXPECT_FALSE(set.Add(Safe::XPtr<Label>()));
    EXPECT_EQ(set.Count(), 0);
    set.Add(Item(L"a"));
    EXPECT_TRUE(set.At(-1).IsNull());
    EXPECT_TRUE(set.At(1).IsNull());
    EXPECT_EQ(set.Find(L"a")->GetName(), L"a");
}

TEST(ObjectSet, RemoveMoveAndRename) {
    Set set;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) set.Add(Item(name));
    EXPECT_TRUE(set.Move(0, 2, 0));
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"b", L"c", L"a", L"d"}));
    EXPECT_TRUE(set.Move(3, 0, 0));
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"d", L"b", L"c", L"a"}));
    EXPECT_TRUE(set.Move(0, 3, 1));
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    EXPECT_FALSE(set.Move(0, 4, 0));
    EXPECT_FALSE(set.Move(0, 1, 2));

    EXPECT_FALSE(set.RenameItem(L"a", L"b"));
    EXPECT_TRUE(set.RenameItem(L"a", L"z"));
    EXPECT_FALSE(set.RenameItem(L"missing", L"y"));

    EXPECT_TRUE(set.Remove(L"b"));
    EXPECT_FALSE(set.Remove(L"b"));
    EXPECT_EQ(set.RemoveAt(0)->GetName(), L"z");
    EXPECT_TRUE(set.RemoveAt(5).IsNull());
    EXPECT_EQ(Names(set), (std::vector<std::wstring>{L"c", L"d"}));
}

// One edit of a set, written "add N", "remove N", "rename OLD NEW" (RenameItem), "set OLD NEW"
// (the item renamed by itself, the set not asked) or "clear".
void Apply(Set& set, const std::string& step) {
    std::istringstream words(step);
    std::string verb, first, second;
    words >> verb >> first >> second;
    const std::wstring a(first.begin(), first.end()), b(second.begin(), second.end());
    if (verb == "add") {
        set.Add(Item(a));
    } else if (verb == "remove") {
        set.Remove(a);
    } else if (verb == "rename") {
        set.RenameItem(a, b);
    } else if (verb == "set") {
        const Safe::XPtr<Label> item = set.Find(a);
        ASSERT_TRUE(item) << step;
        item->SetName(b);
    } else if (verb == "clear") {
        set.Clear();
    }
}

// The names each sequence leaves, worked out from the rule: a taken name becomes its text up to
// and including its first "@" (or the name and "@") followed by one more than the largest
// number read after that text in the names the set holds then.
TEST(ObjectSet, NamingRuleFollowsRenamesAndRemovals) {
    struct Case {
        std::vector<std::string> steps;
        std::vector<std::wstring> names;
    };
    const std::vector<Case> cases = {
        {{"add a", "add a", "add a"}, {L"a", L"a@1", L"a@2"}},
        // A removal takes its number with it; a freed name is free.
        {{"add a", "add a", "add a", "remove a@2", "add a"}, {L"a", L"a@1", L"a@2"}},
        {{"add a", "add a@4", "remove a@4", "add a"}, {L"a", L"a@1"}},
        {{"add a", "add a", "remove a", "add a"}, {L"a@1", L"a"}},
        {{"add a", "add a", "clear", "add a", "add a"}, {L"a", L"a@1"}},
        // A rename through the set or by the item itself counts from then on.
        {{"add a", "add a@5", "rename a@5 b", "add a"}, {L"a", L"b", L"a@1"}},
        {{"add a", "add x", "rename x a@7", "add a"}, {L"a", L"a@7", L"a@8"}},
        {{"add a", "add x", "set x a@9", "add a", "add x"}, {L"a", L"a@9", L"a@10", L"x"}},
        {{"add a", "add a", "set a@1 b", "add a@1"}, {L"a", L"b", L"a@1"}},
        {{"add a", "add b", "rename b a", "rename a c"}, {L"c", L"b"}},
        // The text up to the first "@" decides; the number is read as atoi reads it.
        {{"add a@b", "add a@b"}, {L"a@b", L"a@1"}},
        {{"add a@1@7", "add a@1@7"}, {L"a@1@7", L"a@2"}},
        {{"add ab@3", "add abc@9", "add ab", "add ab"}, {L"ab@3", L"abc@9", L"ab", L"ab@4"}},
        {{"add q", "add q@+6x", "add q"}, {L"q", L"q@+6x", L"q@7"}},
        {{"add k@", "add k@"}, {L"k@", L"k@1"}},
        {{"add a", "add a@007", "add a"}, {L"a", L"a@007", L"a@8"}},
        // Numbers past the int range read as its largest value, 2147483647; negative ones are
        // compared as unsigned: -1 is the largest and one more wraps to 0.
        {{"add a", "add a@2147483647", "add a", "add a"},
         {L"a", L"a@2147483647", L"a@2147483648", L"a@2147483649"}},
        {{"add a", "add a@4294967295", "add a"}, {L"a", L"a@4294967295", L"a@2147483648"}},
        {{"add a", "add a@9223372036854775808", "add a"},
         {L"a", L"a@9223372036854775808", L"a@2147483648"}},
        {{"add a", "add a@123456789012345678901234567890", "add a"},
         {L"a", L"a@123456789012345678901234567890", L"a@2147483648"}},
        {{"add a", "add a@-1", "add a", "add a"}, {L"a", L"a@-1", L"a@0", L"a@1"}},
        {{"add a", "add a@-5", "add a", "add a"},
         {L"a", L"a@-5", L"a@4294967292", L"a@4294967293"}},
    };
    for (const Case& c : cases) {
        Set set;
        std::string trace;
        for (const std::string& step : c.steps) {
            Apply(set, step);
            trace += step + "; ";
        }
        EXPECT_EQ(Names(set), c.names) << trace;
        for (const std::wstring& name : c.names) {
            const Safe::XPtr<Label> found = set.Find(name);
            EXPECT_TRUE(found && found->GetName() == name) << trace;
        }
    }
}

// The rule as stated, over the names a set holds, for random edits of names that share bases.
std::wstring Expected(const std::vector<std::wstring>& names, const std::wstring& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) return name;
    const std::size_t at = name.find(L'@');
    const std::wstring base = at == std::wstring::npos ? name + L"@" : name.substr(0, at + 1);
    long long largest = 0;
    for (const std::wstring& other : names)
        if (other.rfind(base, 0) == 0)
            largest = std::max(largest, std::stoll(L"0" + other.substr(base.size())));
    return base + std::to_wstring(largest + 1);
}

TEST(ObjectSet, RandomEditsNameAsTheRuleSays) {
    const std::vector<std::wstring> pool = {L"a", L"a@1", L"a@3", L"a@12", L"b", L"b@2", L"a@b"};
    std::mt19937 random(20261207u);
    Set set;
    std::vector<std::wstring> names;  // the set's names as the test expects them
    for (int step = 0; step < 3000; ++step) {
        const std::wstring& name = pool[random() % pool.size()];
        switch (random() % 4) {
            case 0:
            case 1:
                names.push_back(Expected(names, name));
                set.Add(Item(name));
                break;
            case 2:
                if (auto it = std::find(names.begin(), names.end(), name); it != names.end())
                    names.erase(it);
                set.Remove(name);
                break;
            default:
                if (names.empty()) break;
                const std::size_t which = random() % names.size();
                if (std::find(names.begin(), names.end(), name) != names.end()) break;
                const Safe::XPtr<Label> item = set.Find(names[which]);
                ASSERT_TRUE(item) << "step " << step;
                item->SetName(name);
                names[which] = name;
        }
        ASSERT_EQ(Names(set), names) << "step " << step;
    }
}

TEST(ObjectSet, AnItemInTwoSetsIsFoundByItsNewNameInBoth) {
    Set first, second;
    Safe::XPtr<Label> shared = Item(L"p");
    first.Add(shared);
    second.Add(shared);
    EXPECT_TRUE(first.RenameItem(L"p", L"q"));
    EXPECT_EQ(second.Find(L"q"), shared);
    EXPECT_TRUE(second.Find(L"p").IsNull());
    second.Add(Item(L"p"));
    EXPECT_EQ(second.At(1)->GetName(), L"p");
    first.Clear();
    shared->SetName(std::wstring(L"r"));
    EXPECT_EQ(second.Find(L"r"), shared);
    Set copy = second;
    shared->SetName(std::wstring(L"s"));
    EXPECT_EQ(copy.Find(L"s"), shared);
    EXPECT_EQ(second.IndexOf(L"s"), 0);
}

TEST(ObjectSet, ClearReleasesItemsAndKeepsTheSetName) {
    Set set;
    set.SetName(std::wstring(L"Project"));
    Safe::XPtr<Label> kept = Item(L"a");
    set.Add(kept);
    EXPECT_EQ(kept->RefCount(), 2u);
    set.Clear();
    EXPECT_EQ(kept->RefCount(), 1u);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.GetName(), L"Project");
}

TEST(Label, RenameNeedsTheExactOldName) {
    Label label(std::wstring(L"abc"));
    EXPECT_FALSE(label.Rename(L"ab", L"x"));
    EXPECT_FALSE(label.Rename(L"abd", L"x"));
    EXPECT_FALSE(label.Rename(L"abcd", L"x"));
    EXPECT_TRUE(label.Rename(L"abc", L"x"));
    EXPECT_EQ(label.GetName(), L"x");
}

TEST(Label, NarrowNamesGoThroughTheAnsiCodePage) {
    Label label(std::string("caf\xE9"));
    EXPECT_EQ(label.GetName(), L"caf\u00E9");
    EXPECT_EQ(label.GetNameA(), "caf\xE9");
    EXPECT_TRUE(label.SetName(std::string("")));
    EXPECT_EQ(label.GetName(), L"");
}

}  // namespace
