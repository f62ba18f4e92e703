#include <gtest/gtest.h>

#include <cmath>

#include "functions/families.h"
#include "modes/move_settings.h"

namespace {

using Core::MoveSettings;
using Core::Node;

// A three-parameter phonon: its X move slot binds the damping g (10), its Y move slot the
// strength ds (1).
Node::Ptr Phonon() {
    Capsule::RegisterFamilies();
    return Node::Create(900);
}

double G(const Node::Ptr& phonon) {
    return phonon->GetChildByName("g")->GetValue().real();
}
double Ds(const Node::Ptr& phonon) {
    return phonon->GetChildByName("ds")->GetValue().real();
}

TEST(MoveSettingsTest, EachMoveTypeChangesTheBoundParameters) {
    struct Case {
        int type;
        double x, y;
        int dx, dy;
        double g, ds;
    } cases[] = {
        {Core::kMovePercent, 0, 0, 10, 10, 20.0, 1.1},    // 1 + 10 * 0.1 and 1 + 10 * 0.01
        {Core::kMovePercent, 0, 0, -10, -100, 1.0, 0.1},  // factor 0 kept at the floor 0.1
        {Core::kMovePercent, 0, 0, -11, -200, 1.0, 0.1},  // a negative factor too: no sign flip
        {Core::kMoveValue, 0, 0, 10, 10, 11.0, 1.1},      // plus 10 * 0.1 and 10 * 0.01
        {Core::kMoveAbsolute, 42, 3, 10, 10, 42.0, 3.0},  // the cursor position
    };
    for (const Case& c : cases) {
        Node::Ptr phonon = Phonon();
        MoveSettings settings;
        settings.SetMoveType(0, c.type);
        settings.SetMoveType(1, c.type);
        settings.Drag(*phonon, c.x, c.y, c.dx, c.dy);
        EXPECT_DOUBLE_EQ(G(phonon), c.g) << c.type << " " << c.dx;
        EXPECT_DOUBLE_EQ(Ds(phonon), c.ds) << c.type << " " << c.dy;
    }
}

TEST(MoveSettingsTest, PercentMovesCompoundAndRecoverFromTheFloor) {
    Node::Ptr phonon = Phonon();
    MoveSettings settings;
    for (int i = 0; i < 10; ++i) settings.Drag(*phonon, 0, 0, 1, 0);
    EXPECT_NEAR(G(phonon), 10.0 * std::pow(1.1, 10), 1e-12);
    // Down to the floor and back: the parameter is not lost.
    settings.Drag(*phonon, 0, 0, -50, 0);
    settings.Drag(*phonon, 0, 0, 90, 0);
    EXPECT_NEAR(G(phonon), 10.0 * std::pow(1.1, 10) * 0.1 * 10.0, 1e-12);
    // Axis 0 is X, any other value Y.
    settings.SetPercent(7, 0.5);
    EXPECT_EQ(settings.GetPercent(1), 0.5);
    EXPECT_EQ(settings.GetPercent(0), 0.1);
}

}  // namespace
