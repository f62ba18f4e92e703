#pragma once
// How a drag of the adjust and builder tools changes the parameters a node binds to its move
// slots: per axis a move type (ABSOLUTE, VALUE, PERCENT) and its coefficients per pixel.
#include "model/node.h"

namespace Core {

enum MoveType { kMoveAbsolute = 0, kMoveValue = 1, kMovePercent = 2 };

struct MoveSettings {
    // Axis 0 is X, any other value Y.
    int GetMoveType(int axis) const { return type[Index(axis)]; }
    void SetMoveType(int axis, int moveType) { type[Index(axis)] = moveType; }
    double GetValue(int axis) const { return value[Index(axis)]; }
    void SetValue(int axis, double coefficient) { value[Index(axis)] = coefficient; }
    double GetPercent(int axis) const { return percent[Index(axis)]; }
    void SetPercent(int axis, double coefficient) { percent[Index(axis)] = coefficient; }

    // What one mouse move gives the node's DragAnchorValue on an axis: the cursor position
    // (ABSOLUTE), delta pixels times the value (VALUE) or times the percent (PERCENT). A PERCENT
    // move multiplies by 1 + argument, kept at kPercentFloor at least: a factor of 0 would lose
    // the parameter for good and a negative one flip its sign.
    double Argument(int axis, double cursor, int delta) const;
    // Moves the parameters of node's move slots by one mouse move (dy counted upwards).
    void Drag(Node& node, double x, double y, int dx, int dy) const;

    static constexpr double kPercentFloor = 0.1;

    int type[2] = {kMovePercent, kMovePercent};
    double value[2] = {0.1, 0.01};
    double percent[2] = {0.1, 0.01};

private:
    static int Index(int axis) { return axis == 0 ? 0 : 1; }
};

}  // namespace Core
