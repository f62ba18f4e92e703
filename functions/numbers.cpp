#include "functions/numbers.h"

#include "foundation/numeric.h"
#include "foundation/random.h"
#include "functions/constants.h"
#include "functions/parameters.h"

namespace Capsule {

namespace {
// SI values; C1L = 2 h c^2 and C2 = h c / k with the exact speed of light.
constexpr double kPlanck = 6.62607015e-34;
constexpr double kBoltzmann = 1.380649e-23;
constexpr double kC1L = 1.1910429723971884e-16;
constexpr double kC2 = 0.014387768775039339;

}  // namespace

ConstantNumber::ConstantNumber(int typeId, const char* name, double constant)
    : constant_(constant, 0.0) {
    Identify(typeId, name, Core::kArityNone);
    values_[0] = Complex(constant, 0.0);
}

PiNumber::PiNumber() : ConstantNumber(400, "PI", kPi) {}
ENumber::ENumber() : ConstantNumber(403, "E", kE) {}
PlanckConstant::PlanckConstant() : ConstantNumber(406, "h", kPlanck) {}
BoltzmannConstant::BoltzmannConstant() : ConstantNumber(407, "k", kBoltzmann) {}
C1RadiationConstant::C1RadiationConstant() : ConstantNumber(408, "C1L", kC1L) {}
C2RadiationConstant::C2RadiationConstant() : ConstantNumber(409, "C2", kC2) {}

RandomNumber::RandomNumber() {
    Identify(501, "Rnd", Core::kArityNone);
}

const Complex& RandomNumber::Evaluate() {
    values_[0] = Complex(Random::Real(), 0.0);
    return values_[0];
}

IntegerNumber::IntegerNumber() {
    Identify(600, "N", Core::kArityNone);
    holdsValue_ = true;
    active_ = 1;
}

void IntegerNumber::SetValue(const Complex& value, int) {
    values_[0] = Complex(SaturateToInt(value.real()), 0.0);
    NotifyParent();
}

RealNumber::RealNumber() {
    Identify(602, "R", Core::kArityNone);
    holdsValue_ = true;
    active_ = 1;
}

void RealNumber::SetValue(const Complex& value, int) {
    values_[0] = Complex(value.real(), 0.0);
    NotifyParent();
}

BooleanNumber::BooleanNumber() {
    Identify(604, "B", Core::kArityNone);
    holdsValue_ = true;
    active_ = 1;
}

void BooleanNumber::SetValue(const Complex& value, int) {
    values_[0] = Complex(value.real() >= 1.0 ? 1.0 : 0.0, 0.0);
    NotifyParent();
}

RationalNumber::RationalNumber() {
    Identify(601, "Q", Core::kArityFixed);
    AdoptChild(MakeParameter<IntegerNumber>("n", 0.0));
    AdoptChild(MakeParameter<IntegerNumber>("d", 1.0));
}

const Complex& RationalNumber::Evaluate() {
    const int n = SaturateToInt(Parameter(0)->Compute().real());
    const int d = SaturateToInt(Parameter(1)->Compute().real());
    values_[0] = Complex(static_cast<double>(n) / static_cast<double>(d), 0.0);
    return values_[0];
}

ComplexNumber::ComplexNumber() {
    Identify(603, "C", Core::kArityFixed);
    AdoptChild(MakeParameter<RealNumber>("a", 0.0));
    AdoptChild(MakeParameter<RealNumber>("b", 0.0));
}

const Complex& ComplexNumber::Evaluate() {
    const double a = Parameter(0)->Compute().real();
    const double b = Parameter(1)->Compute().real();
    values_[0] = Complex(a, b);
    return values_[0];
}

StringCapsule::StringCapsule() {
    Identify(610, "string", Core::kArityNone);
    holdsValue_ = true;
}

ComplexVector::ComplexVector() {
    Identify(650, "data", Core::kArityNone);
    holdsValue_ = true;
}

Core::Node::Ptr MakeNumber(int typeId) {
    switch (typeId) {
        case 400: return Safe::MakeX<PiNumber>();
        case 403: return Safe::MakeX<ENumber>();
        case 406: return Safe::MakeX<PlanckConstant>();
        case 407: return Safe::MakeX<BoltzmannConstant>();
        case 408: return Safe::MakeX<C1RadiationConstant>();
        case 409: return Safe::MakeX<C2RadiationConstant>();
        case 501: return Safe::MakeX<RandomNumber>();
        case 600: return Safe::MakeX<IntegerNumber>();
        case 601: return Safe::MakeX<RationalNumber>();
        case 602: return Safe::MakeX<RealNumber>();
        case 603: return Safe::MakeX<ComplexNumber>();
        case 604: return Safe::MakeX<BooleanNumber>();
        case 610: return Safe::MakeX<StringCapsule>();
        case 650: return Safe::MakeX<ComplexVector>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
