#include "functions/hilbert.h"

#include <cmath>

#include "foundation/complex_math.h"
#include "functions/constants.h"
#include "functions/parameters.h"
#include "model/basic.h"

namespace Capsule {

HilbertTransform::HilbertTransform(int typeId, const char* name, bool absolute, bool cubic)
    : absolute_(absolute), cubic_(cubic) {
    Identify(typeId, name, Core::kArityVariadic);
    prepareOnChange_ = 1;
    AdoptChild(MakeParameter<Basic>("s"));
    AdoptChild(MakeParameter<Basic>("point-list"));
    values_.resize(2);
}

void HilbertTransform::Prepare(Node*) {
    prepared_ = false;
    const Node* list = FindPointList(*this);
    if (!list) return;
    const int n = list->ChildCount();
    const bool usable = n > 0 && ReadPoints(*list, absolute_, table_);
    if (n < 2) values_[0] = Complex(0.0, 0.0);
    if (n < 2 || !usable) return;
    if (cubic_ && n > 2) {
        rows_ = FritschCarlsonRows(table_);
    } else {
        rows_.resize(static_cast<std::size_t>(n));
        for (int k = 0; k + 1 < n; ++k) rows_[static_cast<std::size_t>(k)] = LineRow(table_, k);
    }
    prepared_ = true;
}

const Complex& HilbertTransform::Evaluate() {
    if (!FollowReference(*this, pointSum_)) return values_[0];
    Node* argument = Child(0);
    if (!prepared_ || !argument) return values_[0];
    const Complex s = argument->Compute();
    // A zero imaginary part of either sign is the real axis seen from above: log(-1) = +i pi.
    return values_[0] = s.imag() == 0.0 ? AtReal(s.real()) : AtComplex(s);
}

namespace {

// The principal logarithm off the real axis. The squared modulus keeps ln|z| to an absolute
// error of about 1e-16, all the sums need, at a fraction of the library's cost; far from 1 in
// magnitude, where the square would overflow or underflow, the library takes over.
Complex LogOffAxis(const Complex& z) {
    const double m = z.real() * z.real() + z.imag() * z.imag();
    if (m > 1e-290 && m < 1e290) return Complex(0.5 * std::log(m), std::atan2(z.imag(), z.real()));
    return std::log(z);
}

}  // namespace

// Segment k adds the exact integral of p_k(t) / (s - t) from a to b: with p_k(t) =
// P + (t - s) q(t), P = p_k(s), it is P (log(s - a) - log(s - b)) - the integral of q. The
// logarithm at each abscissa serves both segments that meet there; a logarithm of exactly zero
// (s at an abscissa) is left out: the two neighbouring ones cancel in the limit and at the ends
// the integral keeps a finite part.

Complex HilbertTransform::AtComplex(const Complex& s) const {
    const std::vector<double>& x = table_.x;
    Complex h(0.0, 0.0);
    Complex logA = LogOffAxis(s - x[0]);
    for (std::size_t k = 0; k + 1 < x.size(); ++k) {
        const CubicRow& c = rows_[k];
        const double a = x[k], b = x[k + 1];
        const Complex A = c[2] + c[3] * s;
        const Complex B = c[1] + Multiply(s, A);
        const Complex P = c[0] + Multiply(s, B);
        h += c[3] * (a * a * a - b * b * b) / 3.0 + A * ((a * a - b * b) / 2.0) + B * (a - b);
        const Complex logB = LogOffAxis(s - b);
        h += Multiply(P, logA - logB);
        logA = logB;
    }
    return h;
}

Complex HilbertTransform::AtReal(double s) const {
    const std::vector<double>& x = table_.x;
    // log(s - t) for real s: ln|s - t| + i pi below s; nothing at s itself.
    auto logOf = [s](double t) {
        const double d = s - t;
        return d == 0.0 ? Complex(0.0, 0.0) : Complex(std::log(std::fabs(d)), d < 0.0 ? kPi : 0.0);
    };
    double re = 0.0, im = 0.0;
    Complex logA = logOf(x[0]);
    for (std::size_t k = 0; k + 1 < x.size(); ++k) {
        const CubicRow& c = rows_[k];
        const double a = x[k], b = x[k + 1];
        const double A = c[2] + c[3] * s;
        const double B = c[1] + s * A;
        const double P = c[0] + s * B;
        re += c[3] * (a * a * a - b * b * b) / 3.0 + A * (a * a - b * b) / 2.0 + B * (a - b);
        const Complex logB = logOf(b);
        re += P * (logA.real() - logB.real());
        im += P * (logA.imag() - logB.imag());
        logA = logB;
    }
    return Complex(re, im);
}

FritschCarlsonHilbert::FritschCarlsonHilbert()
    : HilbertTransform(5000, "fritsch-carlson-hilbert", false, true) {}
PositiveFritschCarlsonHilbert::PositiveFritschCarlsonHilbert()
    : HilbertTransform(5001, "positive-fritsch-carlson-hilbert", true, true) {}
LinearHilbert::LinearHilbert() : HilbertTransform(5002, "linear-hilbert", false, false) {}
PositiveLinearHilbert::PositiveLinearHilbert()
    : HilbertTransform(5003, "positive-linear-hilbert", true, false) {}

Core::Node::Ptr MakeHilbertTransform(int typeId) {
    switch (typeId) {
        case 5000: return Safe::MakeX<FritschCarlsonHilbert>();
        case 5001: return Safe::MakeX<PositiveFritschCarlsonHilbert>();
        case 5002: return Safe::MakeX<LinearHilbert>();
        case 5003: return Safe::MakeX<PositiveLinearHilbert>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
