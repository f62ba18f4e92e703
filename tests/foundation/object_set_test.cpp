#include <gtest/gtest.h>

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
