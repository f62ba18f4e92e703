#include "functions/special.h"

#include "model/basic.h"
#include "functions/point_columns.h"
#include "functions/special_kernels.h"

namespace Capsule {

namespace {

// The real functions of Re c, as complex values.
template <double (*F)(double)>
Complex OfRealPart(const Complex& c) {
    return {F(c.real()), 0.0};
}

}  // namespace

SpecialFunction::SpecialFunction(int typeId, const char* name, Function function)
    : function_(function) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(Safe::MakeX<Basic>());
}

const Complex& SpecialFunction::Evaluate() {
    return values_[0] = function_(Parameter(0)->Compute());
}

const Column& SpecialFunction::EvaluateColumn(Core::ColumnPass& pass) {
    const Function function = function_;
    return ColumnOfFormula<1>(*this, pass, column_,
                              [function](const PointValues<1>& v) { return function(v[0]); });
}

Dawson::Dawson() : SpecialFunction(1200, "dawson", OfRealPart<DawsonF>) {}
Faddeeva::Faddeeva() : SpecialFunction(1201, "faddeeva", FaddeevaW) {}
E1::E1() : SpecialFunction(1202, "exp-integral-E1", OfRealPart<ExpIntegralE1>) {}
Ei::Ei() : SpecialFunction(1203, "exp-integral-Ei", OfRealPart<ExpIntegralEi>) {}
ExpEi::ExpEi() : SpecialFunction(1204, "exp-integral-exp-Ei", OfRealPart<ExpIntegralExpEi>) {}
Gamma::Gamma() : SpecialFunction(1205, "gamma", OfRealPart<GammaFunction>) {}

Core::Node::Ptr MakeSpecialFunction(int typeId) {
    switch (typeId) {
        case 1200: return Safe::MakeX<Dawson>();
        case 1201: return Safe::MakeX<Faddeeva>();
        case 1202: return Safe::MakeX<E1>();
        case 1203: return Safe::MakeX<Ei>();
        case 1204: return Safe::MakeX<ExpEi>();
        case 1205: return Safe::MakeX<Gamma>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
