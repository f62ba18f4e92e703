#include "app/selectors/function_catalogue_table.h"

#include <array>

namespace Core {

namespace {

constexpr std::uint32_t kBlueFill = 0xFFBED2FF, kBlueLine = 0xFF141EC0;
constexpr std::uint32_t kGreenFill = 0xFFD2FFBE, kGreenLine = 0xFF1EC014;
constexpr std::uint32_t kRedFill = 0xFFFFD2BE, kRedLine = 0xFFC01E14;

constexpr CatalogueEntry kBasicFunctions[] = {
    {L"Real(z)", 300},  {L"Imag(z)", 301},  {L"Abs(z)", 302},   {L"Norm(z)", 303},
    {L"Arg(z)", 304},   {L"Conjg(z)", 305}, {L"Sqr(z)", 306},   {L"Sqrt(z)", 307},
    {L"Exp(z)", 308},   {L"Ln(z)", 309},    {L"Log(z)", 310},   {L"Cos(z)", 311},
    {L"Sin(z)", 312},   {L"Tan(z)", 313},   {L"Cot(z)", 314},   {L"Csc(z)", 315},
    {L"Sec(z)", 316},   {L"Acos(z)", 317},  {L"Asin(z)", 318},  {L"Atan(z)", 319},
    {L"Acot(z)", 320},  {L"Acsc(z)", 321},  {L"Asec(z)", 322},  {L"Cosh(z)", 323},
    {L"Sinh(z)", 324},  {L"Tanh(z)", 325},  {L"Coth(z)", 326},  {L"Csch(z)", 327},
    {L"Sech(z)", 328},  {L"Acosh(z)", 329}, {L"Asinh(z)", 330}, {L"Atanh(z)", 331},
    {L"Acoth(z)", 332}, {L"Acsch(z)", 333}, {L"Asech(z)", 334}, {L"Pow(z)", 335},
    {L"YPow(z)", 336},
};

constexpr CatalogueEntry kOperators[] = {
    {L"a", 100},
    {L"-a", 101},
    {L"1/a", 102},
    {L"a+b", 200},
    {L"a-b", 201},
    {L"axb", 202},
    {L"a/b", 203},
    {L"ia", 204},
    {L"a+ib", 205},
    {L"a-ib", 206},
    {L"FACTOR", 207},
    {L"SUM", 208},
    {L"AVERAGE", 209},
    {L"r-integrator", 4000},
    {L"de-integrator", 4002},
    {L"(x,y)", 2102},
    {L"tuple-2", 3000},
    {L"tuple-4", 3001},
    {L"tuple-N", 3002},
    {L"out-N", 3003},
    {L"if-else", 210},
    {L"for-each", 3004},
    {L"lt", 211},
    {L"gt", 212},
    {L"in", 213},
    {L"f(z)", 214},
    {L"file-2c", 230},
};

constexpr CatalogueEntry kBaseLines[] = {
    {L"Segment-Line()", 800},   {L"Polynomial-Line()", 801},         {L"Cubic-Spline()", 803},
    {L"Fritsh-Carlson()", 804}, {L"Positive-Fritsh-Carlson()", 805},
};

constexpr CatalogueEntry kPeakFunctions[] = {
    {L"Gaussian()", 700}, {L"Lorentzian()", 701}, {L"Voigt()", 702},         {L"PearsonVII()", 703},
    {L"SGL()", 704},      {L"Laplace()", 706},    {L"Area-Gaussian()", 799},
};

// The order is the catalogue's, not the ids': "GaussianDho()" comes before "GaussianKkg()".
constexpr CatalogueEntry kAbsorptionProfiles[] = {
    {L"Phonon3P()", 900},       {L"Phonon4P()", 901},
    {L"APhonon()", 902},        {L"AiPhonon()", 903},
    {L"Drude()", 904},          {L"Plasmon()", 905},
    {L"VoigtKkg()", 906},       {L"GaussianDho()", 909},
    {L"GaussianKkg()", 907},    {L"LaplaceKkg()", 908},
    {L"LinearKkg()", 923},      {L"PolynomialKkg()", 924},
    {L"CubicSplineKkg()", 925}, {L"FritschCarlsonKkg()", 926},
};

constexpr CatalogueEntry kHilbertFunctions[] = {
    {L"LinearHilbert()", 5002},
    {L"PositiveLinearHilbert()", 5003},
    {L"FritschCarlsonHilbert()", 5000},
    {L"PositiveFritschCarlsonHilbert()", 5001},
};

constexpr CatalogueEntry kSpecialFunctions[] = {
    {L"Dawson", 1200}, {L"Faddeeva", 1201}, {L"E1", 1202},
    {L"Ei", 1203},     {L"ExpEi", 1204},    {L"Gamma", 1205},
};

constexpr CatalogueEntry kNumbersConstants[] = {
    {L"Boolean", 604}, {L"Integer", 600}, {L"Rational", 601}, {L"Real", 602}, {L"Complex", 603},
    {L"String", 610},  {L"Random", 501},  {L"PI", 400},       {L"E", 403},    {L"h", 406},
    {L"k", 407},       {L"C1L", 408},     {L"C2", 409},
};

constexpr std::array<CatalogueCategory, 8> kCatalogue = {{
    {L"Basic-Functions", kBlueFill, kBlueLine, kBasicFunctions},
    {L"Operators", kBlueFill, kBlueLine, kOperators},
    {L"Base-Lines", kGreenFill, kGreenLine, kBaseLines},
    {L"Peak-Functions", kRedFill, kRedLine, kPeakFunctions},
    {L"Absorption-Profiles", kRedFill, kRedLine, kAbsorptionProfiles},
    {L"Hilbert-Functions", kRedFill, kRedLine, kHilbertFunctions},
    {L"Special-Functions", kRedFill, kRedLine, kSpecialFunctions},
    {L"Numbers-Constants", kRedFill, kRedLine, kNumbersConstants},
}};

constexpr CatalogueEntry kEffectiveMedium[] = {
    {L"B-EMT", 1100},
    {L"MG-EMT", 1101},
    {L"CP-EMT", 1102},
    {L"R-EMT", 1103},
};

constexpr CatalogueCategory kEffectiveMediumCategory = {L"Effective-Medium-Theories", kRedFill,
                                                        kRedLine, kEffectiveMedium};

}  // namespace

std::span<const CatalogueCategory> FunctionCatalogue() {
    return kCatalogue;
}

const wchar_t* CatalogueCaption(int code) {
    for (const CatalogueCategory& category : kCatalogue)
        for (const CatalogueEntry& entry : category.entries)
            if (entry.code == code) return entry.caption;
    return nullptr;
}

const CatalogueCategory& EffectiveMediumCategory() {
    return kEffectiveMediumCategory;
}

}  // namespace Core
