#include <gtest/gtest.h>

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
        Safe::XPtr<Tracked> a(new Tracked(&deaths));
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
    Safe::XPtr<Tracked> p(new Tracked(&deaths));
    p->child = new Tracked(&deaths);
    p->child->child = new Tracked(&deaths);
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

TEST(XPtr, ConversionTestsTheRunTimeType) {
    Safe::XPtr<Safe::Countable> base(new Other);
    Safe::XPtr<Other> same(base);
    Safe::XPtr<Tracked> wrong(base);
    EXPECT_TRUE(same == base);
    EXPECT_TRUE(wrong.IsNull());
    EXPECT_EQ(base->RefCount(), 2u);
    Safe::XPtr<Other> fromNull{Safe::XPtr<Safe::Countable>()};
    EXPECT_TRUE(fromNull.IsNull());
}

TEST(XPtr, MoveTransfersWithoutCounting) {
    Safe::XPtr<Other> a(new Other);
    Safe::XPtr<Other> b(std::move(a));
    EXPECT_TRUE(a.IsNull());
    EXPECT_EQ(b->RefCount(), 1u);
    Safe::XPtr<Other> c;
    c = std::move(b);
    EXPECT_EQ(c->RefCount(), 1u);
}

TEST(Countable, CopyStartsUncounted) {
    Safe::XPtr<Other> a(new Other);
    Safe::XPtr<Other> b(a);
    Safe::XPtr<Other> copy(new Other(*a));
    EXPECT_EQ(copy->RefCount(), 1u);
    *copy = *a;
    EXPECT_EQ(copy->RefCount(), 1u);
    EXPECT_EQ(a->RefCount(), 2u);
}

}  // namespace
