#include "app/selectors/node_help.h"

#include <algorithm>

namespace Core {

namespace {

// The texts are what the user reads: misspellings stay as they are.
constexpr NodeHelpRow kRows[] = {
    {100, nullptr, L"Returns a."},
    {101, nullptr, L"Returns the opposite of a."},
    {102, nullptr, L"Returns the inverse of a."},
    {200, nullptr, L"Returns the sum of a and b."},
    {201, nullptr, L"Returns the difference of a and b."},
    {202, nullptr, L"Returns the product of a and b."},
    {203, nullptr, L"Returns the quotient of a by b."},
    {204, nullptr, L"Returns i times a."},
    {205, L"a+ib", L"Returns the sum of a and i times b."},
    {206, L"a-ib", L"Returns the difference of a and i times b."},
    {207, L"FACTOR", L"Returns the product of an indefinite number of arguments."},
    {208, nullptr, L"Returns the sum of an indefinite number of arguments."},
    {209, L"AVERAGE", L"Returns the mean of an indefinite number of arguments."},
    {210, L"IFELSE",
     L"Returns the first argument if the condition is verified and returns the second argument "
     L"otherwise."},
    {211, nullptr, L"Returns 1 if the first argument is lower than the second, 0 otherwise."},
    {212, nullptr, L"Returns 1 if the first argument is greather than the second, 0 otherwise."},
    {213, nullptr,
     L"Returns 1 if the first argument is inside the interval [second argument, third argument], "
     L"0 otherwise."},
    {230, L"file-2c",
     L"Container for 2 column data files. Parameters : (x) variable , (string) name of the "
     L"source, (B) boolean number to specify if the abscissa are equispaced or not."},
    {300, L"Real(z)", L"Returns the real part of the complex number z."},
    {301, L"Imag(z)", L"Returns the imaginary part of the complex number z."},
    {302, L"Abs(z)", L"Returns the modulus of the complex number z."},
    {303, L"Norm(z)", L"Returns the squared modulus of the complex number z."},
    {304, L"Arg(z)", L"Returns the argument of the complex number z."},
    {305, L"Conjg(z)", L"Returns the conjugate of the complex number z."},
    {306, L"Sqr(z)", L"Returns the square of the complex number z."},
    {307, L"Sqrt(z)", L"Returns the square root of the complex number z."},
    {308, L"Exp(z)", L"Returns the exponential of the complex number z."},
    {309, L"Ln(z)", L"Returns the natural logarithm of the complex number z."},
    {310, L"Log(z)", L"Returns the decimal logarithm of the complex number z."},
    {311, L"Cos(z)", L"Returns the cosine of the complex number z."},
    {312, L"Sin(z)", L"Returns the sine of the complex number z."},
    {313, L"Tan(z)", L"Returns the tangent of the complex number z."},
    {314, L"Cot(z)", L"Returns the cotangent of the complex number z."},
    {315, L"Csc(z)", L"Returns the cosecant of the complex number z."},
    {316, L"Sec(z)", L"Returns the secant of the complex number z."},
    {317, L"Acos(z)", L"Returns the arc cosine of the complex number z."},
    {318, L"Asin(z)", L"Returns the arc sine of the complex number z."},
    {319, L"Atan(z)", L"Returns the arc tangent of the complex number z."},
    {320, L"Acot(z)", L"Returns the arc cotangent of the complex number z."},
    {321, L"Acsc(z)", L"Returns the arc cosecant of the complex number z."},
    {322, L"Asec(z)", L"Returns the arc secant of the complex number z."},
    {323, L"Cosh(z)", L"Returns the hyperbolic cosine of the complex number z."},
    {324, L"Sinh(z)", L"Returns the hyperbolic sine of the complex number z."},
    {325, L"Tanh(z)", L"Returns the hyperbolic tangent of the complex number z."},
    {326, L"Coth(z)", L"Returns the hyperbolic cotangent of the complex number z."},
    {327, L"Csch(z)", L"Returns the hyperbolic cosecant of the complex number z."},
    {328, L"Sech(z)", L"Returns the hyperbolic secant of the complex number z."},
    {329, L"Acosh(z)", L"Returns the hyperbolic arc cosine of the complex number z."},
    {330, L"Asinh(z)", L"Returns the hyperbolic arc sine of the complex number z."},
    {331, L"Atanh(z)", L"Returns the hyperbolic arc tangent of the complex number z."},
    {332, L"Acoth(z)", L"Returns the hyperbolic arc cotangent of the complex number z."},
    {333, L"Acsch(z)", L"Returns the hyperbolic arc cosecant of the complex number z."},
    {334, L"Asech(z)", L"Returns the hyperbolic arc secant of the complex number z."},
    {335, L"Pow(z)", L"Returns the complex number z to the power n (n integer)."},
    {336, L"YPow(z)", L"Returns the complex number z to the power y (y real)."},
    {400, nullptr, L"PI = 3.14159... constant."},
    {403, nullptr, L"E = 2.71828... constant."},
    {406, nullptr, L"Planck constant : h = 6.62607015E-34"},
    {407, nullptr, L"Boltzmann constant : k = 1.380649E-23"},
    {408, nullptr,
     L"First radiation constant for spectral radiance : C1L = 2 h c^2 = "
     L"1.1910429723971884140794892E-16"},
    {409, nullptr,
     L"Second radiation constant : C2 = h c / k = 1.4387768775039338021466716015439E-2"},
    {501, L"Random", L"Random number, drawn uniformly in [0, 1] at each evaluation."},
    {600, L"Integer", L"Integer number."},
    {601, L"Rational", L"Rational number."},
    {602, L"Real", L"Real number."},
    {603, L"Complex", L"Complex number."},
    {604, L"Boolean", L"Boolean number."},
    {700, L"Gaussian()", L"Gaussian function (A : amplitude, Xc : center, w : width)."},
    {701, L"Lorentzian()", L"Lorentzian function (A : amplitude, Xc : center, w : width)."},
    {702, L"Voigt()",
     L"Voigt function (A : amplitude, Xc : center, wG : gaussian width, wL : lorentzian width)."},
    {703, L"PearsonVII()",
     L"PearsonVII function (A : amplitude, Xc : center, w : width, m : power)."},
    {704, L"SGL()",
     L"gaussian + lorentzian function (A : amplitude, Xc : center, w : width, f : gaussian "
     L"fraction)."},
    {706, L"Laplace()",
     L"Laplace function (A : amplitude, Xc : center, wr : right width, wl : left width)."},
    {799, L"Gaussian()", L"Gaussian function of given area (A : area, Xc : center, w : width)."},
    {800, L"Segment-Line()",
     L"Straight segments through the points of a point list (x : variable)."},
    {801, L"Polynomial-Line()", L"Polynomial through the points of a point list (x : variable)."},
    {803, L"Cubic-Spline()",
     L"Natural cubic spline through the points of a point list (x : variable)."},
    {900, L"Phonon3P()",
     L"Classic phonon function (ds : dielectric strength, w : frequency, g : damping)."},
    {901, L"Phonon4P()",
     L"Classic phonon function (wt : TO frequency, gt : TO damping , wl : LO frequency, gl : LO "
     L"damping)."},
    {902, L"APhonon()",
     L"Anharmonic version of the phonon function (ds : dielectric strength, w : frequency, g : "
     L"self energy)."},
    {903, L"AiPhonon()",
     L"Anharmonic version of the phonon function (ds : dielectric strength, w : frequency, g : "
     L"self energy)."},
    {904, L"Drude()", L"Drude function (w : frequency, g : damping)."},
    {905, L"Plasmon()",
     L"Plasmon function (w : frequency, g0 : damping at zero frequency, g : damping)."},
    {906, L"VoigtKkg()",
     L"Kramers-Kronig consistent Voigt profile (A : amplitude, Xc : center, wG : gaussian width, "
     L"wL : lorentzian width)."},
    {907, L"GaussianKkg()",
     L"Kramers-Kronig consistent gaussian profile (A : amplitude, Xc : center, w : width)."},
};

constexpr bool InIdOrder() {
    for (std::size_t i = 1; i < std::size(kRows); ++i)
        if (kRows[i - 1].typeId >= kRows[i].typeId) return false;
    return true;
}
static_assert(InIdOrder(), "rows in increasing type id, one per id");

}  // namespace

std::span<const NodeHelpRow> NodeHelpRows() {
    return kRows;
}

void NodeHelp(const Node* node, std::wstring& label, std::wstring& description) {
    if (!node) return;
    const int id = node->GetTypeId();
    const auto row = std::lower_bound(std::begin(kRows), std::end(kRows), id,
                                      [](const NodeHelpRow& r, int key) { return r.typeId < key; });
    if (row == std::end(kRows) || row->typeId != id) return;
    if (row->label) label = row->label;
    description = row->description;
}

}  // namespace Core
