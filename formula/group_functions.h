#pragma once
// The functions a group of a term program applies to its sum, in one table that the point path
// and the column path both read: each code calls its function through the same inline call.
#include <cmath>
#include <complex>

#include "formula/complex_functions.h"
#include "formula/element.h"

namespace GroupFunction {

using Complex = std::complex<double>;

// Calls use(f) with the function object of code (Complex f(const Complex&)); false, calling
// nothing, when the code names no function (18 and 19).
template <class Use>
bool With(int code, Use use) {
    namespace F = ComplexFunction;
    switch (code) {
        case kFunctionIdentity: use([](const Complex& z) { return z; }); return true;
        case kFunctionReal: use([](const Complex& z) { return F::Real(z); }); return true;
        case kFunctionImag: use([](const Complex& z) { return F::Imag(z); }); return true;
        case kFunctionAbs: use([](const Complex& z) { return F::Abs(z); }); return true;
        case kFunctionNorm: use([](const Complex& z) { return F::Norm(z); }); return true;
        case kFunctionArg: use([](const Complex& z) { return F::Arg(z); }); return true;
        case kFunctionConjg: use([](const Complex& z) { return F::Conjg(z); }); return true;
        case kFunctionSqr: use([](const Complex& z) { return F::Sqr(z); }); return true;
        case kFunctionSqrt: use([](const Complex& z) { return F::Sqrt(z); }); return true;
        case kFunctionExp: use([](const Complex& z) { return F::Exp(z); }); return true;
        case kFunctionLn: use([](const Complex& z) { return F::Ln(z); }); return true;
        case kFunctionLog: use([](const Complex& z) { return F::Log(z); }); return true;
        case kFunctionCos: use([](const Complex& z) { return F::Cos(z); }); return true;
        case kFunctionSin: use([](const Complex& z) { return F::Sin(z); }); return true;
        case kFunctionTan: use([](const Complex& z) { return F::Tan(z); }); return true;
        case kFunctionCosh: use([](const Complex& z) { return F::Cosh(z); }); return true;
        case kFunctionSinh: use([](const Complex& z) { return F::Sinh(z); }); return true;
        case kFunctionTanh: use([](const Complex& z) { return F::Tanh(z); }); return true;
        case kFunctionAcos: use([](const Complex& z) { return std::acos(z); }); return true;
        case kFunctionAsin: use([](const Complex& z) { return std::asin(z); }); return true;
        case kFunctionAtan: use([](const Complex& z) { return std::atan(z); }); return true;
        case kFunctionCeiling:
            use([](const Complex& z) { return Complex(std::ceil(z.real()), 0.0); });
            return true;
        case kFunctionFloor:
            use([](const Complex& z) { return Complex(std::floor(z.real()), 0.0); });
            return true;
        default: return false;
    }
}

}  // namespace GroupFunction
