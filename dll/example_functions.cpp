// An example function library: the shape of a library that users build for the program, and
// the library the tests load. Functions with single values, pairs, lists and a hidden argument,
// with and without defaults, with one or several results.
#include <complex>
#include <cstring>
#include <vector>

#include "io/dll_interface.h"

namespace {

using SorixDll::ArgumentBuffer;
using SorixDll::Value;

// Value j of argument i; a shorter buffer reads as zeros.
Value At(const ArgumentBuffer* buffers, int i, std::uint32_t j = 0) {
    return j < buffers[i].count ? buffers[i].values[j] : Value(0.0, 0.0);
}

struct Signature {
    const char* name;
    int argumentCount;
    const char* const* argumentNames;
    const int* argumentKinds;
    const Value* defaults;
    int resultCount;
    // Fills resultCount values; false stands for a function that has no result to give.
    bool (*compute)(const ArgumentBuffer* buffers, Value* results);
};

// Lorentz(x, x0 = 1, w = 0.5) = w^2 / ((x - x0)^2 + w^2)
const char* const kLorentzNames[] = {"x", "x0", "w"};
const int kLorentzKinds[] = {1, 1, 1};
const Value kLorentzDefaults[] = {{0.0, 0.0}, {1.0, 0.0}, {0.5, 0.0}};
bool Lorentz(const ArgumentBuffer* b, Value* r) {
    const Value d = At(b, 0) - At(b, 1), w = At(b, 2);
    r[0] = w * w / (d * d + w * w);
    return true;
}

// Scale(p, s) = (p.0 * s, p.1 * s): a pair in, two results out; no defaults.
const char* const kScaleNames[] = {"p", "s"};
const int kScaleKinds[] = {2, 1};
bool Scale(const ArgumentBuffer* b, Value* r) {
    r[0] = At(b, 0, 0) * At(b, 1);
    r[1] = At(b, 0, 1) * At(b, 1);
    return true;
}

// Poly(x, c..., hidden) = (sum c_k x^k, its derivative, number of coefficients).
const char* const kPolyNames[] = {"x", "c", "n"};
const int kPolyKinds[] = {1, -1, -2};
const Value kPolyDefaults[] = {{2.0, 0.0}, {0.0, 0.0}, {0.0, 0.0}};
bool Poly(const ArgumentBuffer* b, Value* r) {
    const Value x = At(b, 0);
    Value sum(0.0, 0.0), slope(0.0, 0.0);
    for (std::uint32_t k = b[1].count; k-- > 0;) {
        slope = slope * x + sum;
        sum = sum * x + b[1].values[k];
    }
    r[0] = sum;
    r[1] = slope;
    r[2] = Value(static_cast<double>(b[1].count), 0.0);
    return true;
}

// Nothing(): a function without arguments whose evaluation gives no result array.
bool Nothing(const ArgumentBuffer*, Value*) {
    return false;
}

const Signature kSignatures[] = {
    {"Lorentz", 3, kLorentzNames, kLorentzKinds, kLorentzDefaults, 1, &Lorentz},
    {"Scale", 2, kScaleNames, kScaleKinds, nullptr, 2, &Scale},
    {"Poly", 3, kPolyNames, kPolyKinds, kPolyDefaults, 3, &Poly},
    {"Nothing", 0, nullptr, nullptr, nullptr, 1, &Nothing},
};
// Reachable by name only: declares no result, which the program must refuse.
const Signature kMalformed = {"Malformed", 0, nullptr, nullptr, nullptr, 0, &Nothing};

class Function final : public SorixDll::FunctionObject {
public:
    explicit Function(const Signature& signature)
        : signature_(signature), results_(static_cast<std::size_t>(signature.resultCount)) {
        name = signature.name;
        argumentCount = signature.argumentCount;
        argumentNames = signature.argumentNames;
        argumentKinds = signature.argumentKinds;
        defaults = signature.defaults;
        resultCount = signature.resultCount;
    }

    const Value* Evaluate(const ArgumentBuffer* buffers) override {
        return signature_.compute(buffers, results_.data()) ? results_.data() : nullptr;
    }
    FunctionObject* Clone(const void*) override { return new Function(signature_); }
    void Release() override { delete this; }

private:
    const Signature& signature_;
    std::vector<Value> results_;
};

}  // namespace

SORIX_DLL_EXPORT const char* GetFunctionInfo() {
    return "Lorentz, Scale Poly\tNothing";
}

SORIX_DLL_EXPORT SorixDll::FunctionObject* GetFunctionByIndex(int index) {
    constexpr int count = sizeof kSignatures / sizeof kSignatures[0];
    return index >= 0 && index < count ? new Function(kSignatures[index]) : nullptr;
}

SORIX_DLL_EXPORT SorixDll::FunctionObject* GetFunctionByName(const char* name) {
    if (!name) return nullptr;
    for (const Signature& signature : kSignatures)
        if (std::strcmp(signature.name, name) == 0) return new Function(signature);
    if (std::strcmp(kMalformed.name, name) == 0) return new Function(kMalformed);
    return nullptr;
}
