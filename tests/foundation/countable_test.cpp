#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "foundation/countable.h"

namespace {

struct Tracked : Safe::Countable {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    ~Tracked() override { ++*deaths; }
    int* deaths;
    Safe::XPtr<Tracked> child;
};

struct Other : Safe::Countable {};

TEST(XPtr, LastReleaseDeletesExactlyOnce) {
    int deaths = 0;
    {
        auto a = Safe::MakeX<Tracked>(&deaths);
        EXPECT_EQ(a->RefCount(), 1u);
        {
            Safe::XPtr<Tracked> b = a;
            EXPECT_EQ(a->RefCount(), 2u);
        }
        EXPECT_EQ(deaths, 0);
        a = nullptr;
        EXPECT_EQ(deaths, 1);
        EXPECT_TRUE(a.IsNull());
    }
    EXPECT_EQ(deaths, 1);
}

TEST(XPtr, AssigningAnObjectOwnedByTheOldOneKeepsItAlive) {
    int deaths = 0;
    auto p = Safe::MakeX<Tracked>(&deaths);
    p->child = Safe::MakeX<Tracked>(&deaths);
    p->child->child = Safe::MakeX<Tracked>(&deaths);
    p = p->child;  // the old object owns the new one
    EXPECT_EQ(deaths, 1);
    ASSERT_TRUE(p);
    p = p->child.Get();  // the same through a raw pointer
    EXPECT_EQ(deaths, 2);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->RefCount(), 1u);
    p = p;
    EXPECT_EQ(p->RefCount(), 1u);
    p = nullptr;
    EXPECT_EQ(deaths, 3);
}

// Derived to base converts implicitly; base to derived and raw pointers only when asked to.
static_assert(std::is_convertible_v<Safe::XPtr<Other>, Safe::XPtr<Safe::Countable>>);
static_assert(!std::is_convertible_v<Safe::XPtr<Safe::Countable>, Safe::XPtr<Other>>);
static_assert(!std::is_constructible_v<Safe::XPtr<Other>, Safe::XPtr<Safe::Countable>>);
static_assert(!std::is_constructible_v<Safe::XPtr<Tracked>, Safe::XPtr<Other>>);
static_assert(!std::is_convertible_v<Other*, Safe::XPtr<Other>>);
static_assert(std::is_constructible_v<Safe::XPtr<Other>, Other*>);

TEST(XPtr, DerivedConvertsToBaseAndDynamicCastTestsTheRunTimeType) {
    Safe::XPtr<Other> made = Safe::MakeX<Other>();
    Safe::XPtr<Safe::Countable> base = made;
    EXPECT_EQ(made->RefCount(), 2u);
    Safe::XPtr<Other> same = Safe::DynamicCast<Other>(base);
    Safe::XPtr<Tracked> wrong = Safe::DynamicCast<Tracked>(base);
    EXPECT_TRUE(same == made);
    EXPECT_TRUE(wrong.IsNull());
    EXPECT_EQ(made->RefCount(), 3u);
    EXPECT_TRUE(Safe::DynamicCast<Other>(Safe::XPtr<Safe::Countable>()).IsNull());
    Safe::XPtr<Safe::Countable> moved = std::move(same);
    EXPECT_TRUE(same.IsNull());
    EXPECT_EQ(made->RefCount(), 3u);
}

TEST(XPtr, MoveTransfersWithoutCounting) {
    auto a = Safe::MakeX<Other>();
    Safe::XPtr<Other> b(std::move(a));
    EXPECT_TRUE(a.IsNull());
    EXPECT_EQ(b->RefCount(), 1u);
    Safe::XPtr<Other> c;
    c = std::move(b);
    EXPECT_EQ(c->RefCount(), 1u);
}

TEST(Countable, CopyStartsUncounted) {
    auto a = Safe::MakeX<Other>();
    Safe::XPtr<Other> b(a);
    auto copy = Safe::MakeX<Other>(*a);
    EXPECT_EQ(copy->RefCount(), 1u);
    *copy = *a;
    EXPECT_EQ(copy->RefCount(), 1u);
    EXPECT_EQ(a->RefCount(), 2u);
}

#ifndef NDEBUG
// A release without a matching take would wrap the count round and never delete.
TEST(XPtrDeathTest, ReleasingAnUncountedObjectStops) {
    struct Uncounted : Safe::Countable {};
    EXPECT_DEATH(Uncounted().Release(), "released more often than taken");
}
#endif

}  // namespace
