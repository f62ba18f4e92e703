#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "anchor_probe.h"
#include "node_fixture.h"
#include "functions/families.h"
#include "model/anchors.h"
#include "model/node.h"

namespace {

using Complex = std::complex<double>;
using Core::Node;

const Complex kI(0, 1);

using OscillatorsTest = FunctionNodeTest;

TEST_F(OscillatorsTest, ValuesFollowTheirFormulas) {
    const Complex x(87.0, 0.3), ds(1.5, 0.2), w(95.0, 1.0), g(7.0, -0.5);
    ExpectClose(Make(900, {x, ds, w, g})->Evaluate(), ds * w * w / (w * w - x * x - kI * g * x));
    ExpectClose(Make(902, {x, ds, w, g})->Evaluate(), ds * w * w / (w * w - x * x - 2.0 * w * g));
    ExpectClose(Make(903, {x, ds, w, g})->Evaluate(), ds * w * w / (w * w - x * x - kI * g));
    const Complex wt(100, 1), gt(10, 2), wl(105, -1), gl(12, 0.5);
    const double X = 87.0;  // the imaginary part of x is not read
    ExpectClose(Make(901, {x, wt, gt, wl, gl})->Evaluate(),
                (wl * wl - X * X - kI * gl * X) / (wt * wt - X * X - kI * gt * X));
    ExpectClose(Make(904, {x, w, g})->Evaluate(), -w * w / (x * (x + kI * g)));
    const Complex g0(4.0, 0.1);
    ExpectClose(Make(905, {x, w, g0, g})->Evaluate(),
                -(w * w + kI * (g - g0) * x) / (x * (x - kI * g0)));
}

TEST_F(OscillatorsTest, DefaultsAtTheResonance) {
    ExpectClose(Make(900, {100.0})->Evaluate(), Complex(0, 10));
    ExpectClose(Make(901, {100.0})->Evaluate(), Complex(1, 1.025));
    ExpectClose(Make(901, {Complex(100.0, 7.0)})->Evaluate(), Complex(1, 1.025));
    const Complex drude = Make(904, {100.0})->Evaluate();
    const Complex plasmon = Make(905, {100.0})->Evaluate();
    ExpectClose(drude, Complex(-100.0 / 101.0, 10.0 / 101.0));
    ExpectClose(plasmon, std::conj(drude));
}

TEST_F(OscillatorsTest, KeysAnchorTablesAndFollowers) {
    struct Layout {
        int id, key, bound[4];
        bool anchors;
    };
    for (const Layout& l : {Layout{900, 2, {2, 1, 3, 1}, true}, Layout{901, 1, {1, -1, 2, 3}, true},
                            Layout{902, 2, {2, 1, 3, 1}, true}, Layout{903, 2, {2, 1, 3, 1}, true},
                            Layout{904, 1, {1, -1, 2, -1}, false},
                            Layout{905, 1, {1, -1, 2, 3}, false}}) {
        Node::Ptr node = Node::Create(l.id);
        EXPECT_EQ(node->GetKeyChildIndex(), l.key) << l.id;
        EXPECT_EQ(node->GetVariableChildIndex(), 0) << l.id;
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_EQ(node->GetAnchorNode(slot), l.bound[slot] < 0 ? Node::Ptr() : node->GetChild(l.bound[slot]))
                << l.id << " slot " << slot;
        EXPECT_EQ(!node->GetAnchors().IsNull(), l.anchors) << l.id;
        if (l.anchors) {
            EXPECT_TRUE(node->GetAnchors()->IsPlaceable());
        }
    }
    // Placing a Phonon4P keeps wl - wt; dragging gt carries gl along.
    Node::Ptr p4 = Node::Create(901);
    p4->SetAnchorValue(120.0, 0.0);
    EXPECT_EQ(Value(p4, 1), 120.0);
    EXPECT_EQ(Value(p4, 3), 125.0);
    p4->DragAnchorValue(0, 14.0, 0, 0.0);
    EXPECT_EQ(Value(p4, 2), 14.0);
    EXPECT_EQ(Value(p4, 4), 14.0);
    // A height placed on a Phonon3P becomes the strength of that peak height.
    Node::Ptr p3 = Node::Create(900);
    p3->SetAnchorValue(100.0, 30.0);
    EXPECT_DOUBLE_EQ(Value(p3, 1), 3.0);
    EXPECT_DOUBLE_EQ(p3->Evaluate().imag(), 0.0);  // x = 0 still
}

TEST_F(OscillatorsTest, PhononAnchorsOnTheSecondEnd) {
    Node::Ptr p3 = Node::Create(900);
    auto top = AnchorProbe::Get(*p3, 0), width = AnchorProbe::Get(*p3, 1);
    EXPECT_FALSE(top->First().enabled);
    EXPECT_TRUE(top->Second().enabled);
    EXPECT_EQ(top->Second().current.x, 100.0);
    EXPECT_EQ(top->Second().current.y, 10.0);
    EXPECT_EQ(width->Second().current.x, 105.0);
    EXPECT_EQ(width->Second().current.y, 5.0);
    EXPECT_EQ(AnchorProbe::Get(*Node::Create(902), 1)->Second().current.x, 110.0);

    Node::Ptr p4 = Node::Create(901);
    auto set = p4->GetAnchors();
    ASSERT_EQ(set->Count(), 3);
    EXPECT_EQ(set->GetAnchors()[0]->Second().current.x, 100.0);
    EXPECT_DOUBLE_EQ(set->GetAnchors()[0]->Second().current.y, 1.025);
    EXPECT_EQ(set->GetAnchors()[1]->Second().current.x, 95.0);
    EXPECT_EQ(set->GetAnchors()[2]->Second().current.x, 105.0);
    EXPECT_DOUBLE_EQ(set->GetAnchors()[2]->Second().current.y, 1.025 / 2);
}

TEST_F(OscillatorsTest, DraggingPhononAnchors) {
    Node::Ptr p3 = Node::Create(900);
    AnchorProbe::Drag(*p3, 1, {95.0, 0.0});  // left of w: refused
    EXPECT_EQ(Value(p3, 3), 10.0);
    AnchorProbe::Drag(*p3, 1, {107.0, 0.0});
    EXPECT_EQ(Value(p3, 3), 14.0);
    AnchorProbe::Drag(*p3, 0, {110.0, 20.0});
    EXPECT_EQ(Value(p3, 2), 110.0);
    EXPECT_DOUBLE_EQ(Value(p3, 1), 20.0 * 14.0 / 110.0);
    Node::Ptr a = Node::Create(902);
    AnchorProbe::Drag(*a, 1, {107.0, 0.0});
    EXPECT_EQ(Value(a, 3), 7.0);

    Node::Ptr p4 = Node::Create(901);
    AnchorProbe::Drag(*p4, 0, {100.0, 2.0});
    EXPECT_DOUBLE_EQ(Value(p4, 3), std::sqrt(100.0 * 100.0 + 2.0 * 10.0 * 100.0));
    // A height below -wt/gt has no wl: the drag is refused rather than writing NaN.
    AnchorProbe::Drag(*p4, 0, {100.0, -50.0});
    EXPECT_DOUBLE_EQ(Value(p4, 3), std::sqrt(12000.0));
}

TEST_F(OscillatorsTest, Phonon4PWidthsForceEachOtherOnlyWhenTheyChange) {
    Core::SetForceMode(Core::ForceMode::kEqual);
    Node::Ptr p4 = Node::Create(901);
    AnchorProbe::Drag(*p4, 1, {94.0, 0.0});  // gt := 2 (100 - 94)
    EXPECT_EQ(Value(p4, 2), 12.0);
    EXPECT_EQ(Value(p4, 4), 12.0);
    AnchorProbe::Drag(*p4, 2, {96.0, 0.0});  // gl on the wrong side of wt: nothing changes
    EXPECT_EQ(Value(p4, 4), 12.0);
    EXPECT_EQ(Value(p4, 2), 12.0);
    AnchorProbe::Drag(*p4, 2, {109.0, 0.0});
    EXPECT_EQ(Value(p4, 4), 18.0);
    EXPECT_EQ(Value(p4, 2), 18.0);
}

}  // namespace
