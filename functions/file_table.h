#pragma once
// A two-column table read from a file, looked up with linear interpolation.
#include <string>
#include <vector>

#include "model/node.h"

namespace Capsule {

using Core::Complex;

// Children: "x" the abscissa, a text node whose name is the table's file ("null-file" until a
// table is loaded), and "B", 1 for an equally spaced table.
class File2C : public Core::Node {
public:
    File2C();

    int GetVariableChildIndex() const override { return 0; }
    Ptr Clone() override;
    const Complex& Evaluate() override;

    // Names the second child after the loaded file or spectrum, as a dual names its second
    // parameter.
    void SetSecondName(const std::string& name);
    // Replaces both columns; refused (false) when their lengths differ.
    bool SetData(const std::vector<double>& x, const std::vector<double>& y);
    int Count() const { return static_cast<int>(x_.size()); }
    double GetX(int i) const;
    double GetY(int i) const;

private:
    double Lookup(double v);
    double EquallySpaced(double v) const;
    double General(double v);
    double Interpolate(int i, double v) const;

    std::vector<double> x_;
    std::vector<double> y_;
    int lo_ = 0;
    int hi_ = 1;
};

}  // namespace Capsule
