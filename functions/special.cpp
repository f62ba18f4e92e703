#include "functions/special.h"

#include "model/basic.h"
#include "functions/special_kernels.h"

namespace Capsule {

SpecialFunction::SpecialFunction(int typeId, const char* name) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(Safe::MakeX<Basic>());
}

Dawson::Dawson() : SpecialFunction(1200, "dawson") {}
const Complex& Dawson::Evaluate() {
    return Store(DawsonF(Argument().real()));
}

Faddeeva::Faddeeva() : SpecialFunction(1201, "faddeeva") {}
const Complex& Faddeeva::Evaluate() {
    return values_[0] = FaddeevaW(Argument());
}

E1::E1() : SpecialFunction(1202, "exp-integral-E1") {}
const Complex& E1::Evaluate() {
    return Store(ExpIntegralE1(Argument().real()));
}

Ei::Ei() : SpecialFunction(1203, "exp-integral-Ei") {}
const Complex& Ei::Evaluate() {
    return Store(ExpIntegralEi(Argument().real()));
}

ExpEi::ExpEi() : SpecialFunction(1204, "exp-integral-exp-Ei") {}
const Complex& ExpEi::Evaluate() {
    return Store(ExpIntegralExpEi(Argument().real()));
}

Gamma::Gamma() : SpecialFunction(1205, "gamma") {}
const Complex& Gamma::Evaluate() {
    return Store(GammaFunction(Argument().real()));
}

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
