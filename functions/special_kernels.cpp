#include "functions/special_kernels.h"

#include <array>
#include <cmath>
#include <limits>

#include "foundation/complex_math.h"
#include "foundation/sine_cosine.h"

namespace Capsule {

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 6.283185307179586;
constexpr double kInverseSqrtPi = 0.5641895835477563;
constexpr double kTwoOverSqrtPi = 1.1283791670955126;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

// --- Dawson's integral ---

// Rybicki's exponential sum with step h = 0.4 and six terms (Numerical Recipes, dawson); a
// series near 0. It errs by up to about 5e-8 absolute. Beyond 1e7 the sum loses the offset
// x - N h to rounding, so there the asymptotic 1/(2x) (1 + 1/(2x^2)) takes over, exact to double
// precision (and 0 at infinity).
double DawsonF(double x) {
    constexpr double h = 0.4;
    static const std::array<double, 6> c = [] {
        std::array<double, 6> table{};
        for (int i = 1; i <= 6; ++i) table[i - 1] = std::exp(-((2 * i - 1) * h) * ((2 * i - 1) * h));
        return table;
    }();
    const double xx = std::fabs(x);
    if (xx < 0.2) {
        const double x2 = x * x;
        return x * (1.0 - (2.0 / 3.0) * x2 * (1.0 - 0.4 * x2 * (1.0 - (2.0 / 7.0) * x2)));
    }
    if (xx > 1e7) return 0.5 / x * (1.0 + 0.5 / (x * x));
    const double n = 2.0 * std::trunc(0.5 * xx / h + 0.5);
    const double xp = xx - n * h;
    double e1 = std::exp(2.0 * xp * h);
    const double e2 = e1 * e1;
    double d1 = n + 1.0, d2 = d1 - 2.0, sum = 0.0;
    for (double ci : c) {
        sum += ci * (e1 / d1 + 1.0 / (d2 * e1));
        d1 += 2.0;
        d2 -= 2.0;
        e1 *= e2;
    }
    return std::copysign(kInverseSqrtPi * std::exp(-xp * xp) * sum, x);
}

// --- Exponential integrals ---
// Cody and Thacher's rational Chebyshev approximations (Math. Comp. 22, 641-649, 1968 and 23,
// 289-303, 1969) as arranged in Cody's CALCEI (SPECFUN, 1988), with its coefficient tables.

namespace {

constexpr double kInfinity = 1.79e308;  // CALCEI's XINF
constexpr double kBig = 701.84;         // beyond it E1 underflows
constexpr double kMax = 716.351;        // from it Ei overflows

// -1 <= x < 0: Ei = ln|x| - A(|x|) / B(|x|).
constexpr double kA[7] = {1.1669552669734461083368e2, 2.1500672908092918123209e3,
                          1.5924175980637303639884e4, 8.9904972007457256553251e4,
                          1.5026059476436982420737e5, -1.4815102102575750838086e5,
                          5.0196785185439843791020e0};
constexpr double kB[6] = {4.0205465640027706061433e1, 7.5043163907103936624165e2,
                          8.1258035174768735759855e3, 5.2440529172056355429883e4,
                          1.8434070063353677359298e5, 2.5666493484897117319268e5};
// -4 <= x < -1.
constexpr double kC[9] = {3.828573121022477169108e-1, 1.107326627786831743809e+1,
                          7.246689782858597021199e+1, 1.700632978311516129328e+2,
                          1.698106763764238382705e+2, 7.633628843705946890896e+1,
                          1.487967702840464066613e+1, 9.999989642347613068437e-1,
                          1.737331760720576030932e-8};
constexpr double kD[9] = {8.258160008564488034698e-2, 4.344836335509282083360e+0,
                          4.662179610356861756812e+1, 1.775728186717289799677e+2,
                          2.953136335677908517423e+2, 2.342573504717625153053e+2,
                          9.021658450529372642314e+1, 1.587964570758947927903e+1,
                          1.000000000000000000000e+0};
// x < -4.
constexpr double kE[10] = {1.3276881505637444622987e+2, 3.5846198743996904308695e+4,
                           1.7283375773777593926828e+5, 2.6181454937205639647381e+5,
                           1.7503273087497081314708e+5, 5.9346841538837119172356e+4,
                           1.0816852399095915622498e+4, 1.0611777263550331766871e03,
                           5.2199632588522572481039e+1, 9.9999999999999999087819e-1};
constexpr double kF[10] = {3.9147856245556345627078e+4, 2.5989762083608489777411e+5,
                           5.5903756210022864003380e+5, 5.4616842050691155735758e+5,
                           2.7858134710520842139357e+5, 7.9231787945279043698718e+4,
                           1.2842808586627297365998e+4, 1.1635769915320848035459e+3,
                           5.4199632588522559414924e+1, 1.0e0};
// ln(x/x0) for |1 - x/x0| < 0.1.
constexpr double kPlg[4] = {-2.4562334077563243311e+01, 2.3642701335621505212e+02,
                            -5.4989956895857911039e+02, 3.5687548468071500413e+02};
constexpr double kQlg[4] = {-3.5553900764052419184e+01, 1.9400230218539473193e+02,
                            -3.3442903192607538956e+02, 1.7843774234035750207e+02};
// 0 < x < 6: ratio of Chebyshev sums.
constexpr double kP[10] = {-1.2963702602474830028590e01, -1.2831220659262000678155e03,
                           -1.4287072500197005777376e04, -1.4299841572091610380064e06,
                           -3.1398660864247265862050e05, -3.5377809694431133484800e08,
                           3.1984354235237738511048e08,  -2.5301823984599019348858e10,
                           1.2177698136199594677580e10,  -2.0829040666802497120940e11};
constexpr double kQ[10] = {7.6886718750000000000000e01,  -5.5648470543369082846819e03,
                           1.9418469440759880361415e05,  -4.2648434812177161405483e06,
                           6.4698830956576428587653e07,  -7.0108568774215954065376e08,
                           5.4229617984472955011862e09,  -2.8986272696554495342658e10,
                           9.8900934262481749439886e10,  -8.9673749185755048616855e10};
// J-fractions for 6 <= x < 12, 12 <= x <= 24 and x > 24.
constexpr double kR[10] = {-2.645677793077147237806e00, -2.378372882815725244124e00,
                           -2.421106956980653511550e01, 1.052976392459015155422e01,
                           1.945603779539281810439e01,  -3.015761863840593359165e01,
                           1.120011024227297451523e01,  -3.988850730390541057912e00,
                           9.565134591978630774217e00,  9.981193787537396413219e-1};
constexpr double kS[9] = {1.598517957704779356479e-4, 4.644185932583286942650e00,
                          3.697412299772985940785e02, -8.791401054875438925029e00,
                          7.608194509086645763123e02, 2.852397548119248700147e01,
                          4.731097187816050252967e02, -2.369210235636181001661e02,
                          1.249884822712447891440e00};
constexpr double kP1[10] = {-1.647721172463463140042e00, -1.860092121726437582253e01,
                            -1.000641913989284829961e01, -2.105740799548040450394e01,
                            -9.134835699998742552432e-1, -3.323612579343962284333e01,
                            2.495487730402059440626e01,  2.652575818452799819855e01,
                            -1.845086232391278674524e00, 9.999933106160568739091e-1};
constexpr double kQ1[9] = {9.792403599217290296840e01, 6.403800405352415551324e01,
                           5.994932325667407355255e01, 2.538819315630708031713e02,
                           4.429413178337928401161e01, 1.192832423968601006985e03,
                           1.991004470817742470726e02, -1.093556195391091143924e01,
                           1.001533852045342697818e00};
constexpr double kP2[10] = {1.75338801265465972390e02,  -2.23127670777632409550e02,
                            -1.81949664929868906455e01, -2.79798528624305389340e01,
                            -7.63147701620253630855e00, -1.52856623636929636839e01,
                            -7.06810977895029358836e00, -5.00006640413131002475e00,
                            -3.00000000320981265753e00, 1.00000000000000485503e00};
constexpr double kQ2[9] = {3.97845977167414720840e04,  3.97277109100414518365e00,
                           1.37790390235747998793e02,  1.17179220502086455287e02,
                           7.04831847180424675988e01,  -1.20187763547154743238e01,
                           -7.99243595776339741065e00, -2.99999894040324959612e00,
                           1.99999999999048104167e00};

// Ratio of two polynomials in w with the coefficients highest power first.
template <std::size_t N>
double Horner(const double (&p)[N], const double (&q)[N], double w) {
    double sp = p[0], sq = q[0];
    for (std::size_t i = 1; i < N; ++i) {
        sp = sp * w + p[i];
        sq = sq * w + q[i];
    }
    return sp / sq;
}

// The J-fraction r + s1/(p1 + x + s2/(p2 + x + ...)), evaluated from the inside out.
double JFraction(const double (&p)[10], const double (&q)[9], double x) {
    double fraction = 0.0;
    for (int i = 0; i < 9; ++i) fraction = q[i] / (p[i] + x + fraction);
    return p[9] + fraction;
}

// Ei(-y) for y > 0, or exp(y) Ei(-y) when scaled.
double EiOfNegative(double y, bool scaled) {
    if (y <= 1.0) {
        double sp = kA[6] * y + kA[0], sq = y + kB[0];
        for (int i = 1; i < 6; ++i) {
            sp = sp * y + kA[i];
            sq = sq * y + kB[i];
        }
        const double ei = std::log(y) - sp / sq;
        return scaled ? ei * std::exp(y) : ei;
    }
    if (y <= 4.0) {
        const double ei = -Horner(kC, kD, 1.0 / y);
        return scaled ? ei : ei * std::exp(-y);
    }
    if (y > kBig && !scaled) return 0.0;
    const double w = 1.0 / y;
    const double ei = -w * (1.0 - w * Horner(kE, kF, w));
    return scaled ? ei : ei * std::exp(-y);
}

// Ei(x) for x > 0, or exp(-x) Ei(x) when scaled.
double EiOfPositive(double x, bool scaled) {
    if (x < 6.0) {
        // Clenshaw recurrences of the two Chebyshev sums in t.
        const double t = (x + x) / 3.0 - 2.0;
        double p0 = 0.0, p1 = kP[0], q0 = 0.0, q1 = kQ[0];
        for (int i = 1; i < 9; ++i) {
            const double p2 = t * p1 - p0 + kP[i], q2 = t * q1 - q0 + kQ[i];
            p0 = p1;
            p1 = p2;
            q0 = q1;
            q1 = q2;
        }
        const double fraction = (0.5 * t * p1 - p0 + kP[9]) / (0.5 * t * q1 - q0 + kQ[9]);
        // x - x0 with x0, the zero of Ei, split so that the difference is exact near it.
        constexpr double x0 = 0.3725074107813666;
        const double xmx0 = (x - 0.37255859375) + 5.118296863336554e-5;
        double ei;
        if (std::fabs(xmx0) >= 0.037) {
            ei = std::log(x / x0) + xmx0 * fraction;
        } else {
            const double v = xmx0 / (x + x0), v2 = v * v;
            double sp = kPlg[0], sq = v2 + kQlg[0];
            for (int i = 1; i < 4; ++i) {
                sp = sp * v2 + kPlg[i];
                sq = sq * v2 + kQlg[i];
            }
            ei = (sp / (sq * (x + x0)) + fraction) * xmx0;
        }
        return scaled ? std::exp(-x) * ei : ei;
    }
    if (x <= 24.0) {
        const double f = (x < 12.0 ? JFraction(kR, kS, x) : JFraction(kP1, kQ1, x)) / x;
        return scaled ? f : f * std::exp(x);
    }
    if (x >= kMax && !scaled) return kInfinity;
    const double y = 1.0 / x;
    const double g = y + y * y * JFraction(kP2, kQ2, x);
    if (scaled) return g;
    // exp(x) alone would overflow before the product does.
    constexpr double kExp40 = 2.3538526683701998541e17;
    return x <= kMax - 24.0 ? g * std::exp(x) : g * std::exp(x - 40.0) * kExp40;
}

}  // namespace

double ExpIntegralCore(double x, int selector) {
    if (std::isnan(x)) return x;
    if (x == 0.0) return selector == 2 ? kInfinity : -kInfinity;
    if (x < 0.0 || selector == 2) {
        const double ei = EiOfNegative(std::fabs(x), selector == 3);
        return selector == 2 ? -ei : ei;
    }
    return EiOfPositive(x, selector == 3);
}

// --- Faddeeva function ---

namespace {

// The squares (n a)^2 and the weights exp(-(n a)^2), n = 1..12, of one step a.
struct ExponentialSumStep {
    double a;
    double k;  // a / pi
    std::array<double, 12> tau;
    std::array<double, 12> weight;
};

ExponentialSumStep MakeStep(double a, double k) {
    ExponentialSumStep step{a, k, {}, {}};
    for (int n = 1; n <= 12; ++n) {
        step.tau[n - 1] = (n * a) * (n * a);
        step.weight[n - 1] = std::exp(-step.tau[n - 1]);
    }
    return step;
}

// w(z) near 0 from the Pade approximant of erfc: exp(-z^2) + i (2/sqrt(pi)) z P(z^2)/Q(z^2).
Complex FaddeevaNearZero(const Complex& z) {
    constexpr double p[7] = {65536.0,       -2885792.0,    69973904.0,  -791494704.0,
                             8962513560.0,  -32794651890.0, 175685635125.0};
    constexpr double q[7] = {192192.0,      8648640.0,     183783600.0, 2329725600.0,
                             18332414100.0, 84329104860.0, 175685635125.0};
    const Complex t = Multiply(z, z);
    Complex sp(p[0], 0.0), sq(q[0], 0.0);
    for (int i = 1; i < 7; ++i) {
        sp = Multiply(sp, t) + p[i];
        sq = Multiply(sq, t) + q[i];
    }
    const Complex ratio = Multiply(z, Divide(sp, sq));
    const Complex e = std::exp(-t);
    return {e.real() - kTwoOverSqrtPi * ratio.imag(), e.imag() + kTwoOverSqrtPi * ratio.real()};
}

// 2 exp(-z^2) = 2 exp(y^2 - x^2) (cos 2xy - i sin 2xy) with modulus and phase apart: a part
// whose value fits comes out finite however large the modulus, one that does not is +-inf.
Complex TwiceExpMinusSquare(double x, double y) {
    const double e = std::fma(y, y, -x * x);
    const SineCosine phase = SinCos(2.0 * x * y);
    if (e < 700.0) {
        const double m = 2.0 * std::exp(e);
        return {m * phase.cos, -m * phase.sin};
    }
    const auto part = [e](double factor) {
        return std::copysign(std::exp(e + std::log(2.0 * std::fabs(factor))), factor);
    };
    return {part(phase.cos), part(-phase.sin)};
}

// The sum of the exponential-sum approximation with step a, without the pole term.
Complex ExponentialSum(const ExponentialSumStep& step, double x, double y, double r2) {
    const double d = y * y - x * x, c = 4.0 * x * x * y * y;
    double s1 = 0.0, s2 = 0.0;
    for (std::size_t n = 0; n < 12; ++n) {
        const double t = step.tau[n] + d;
        const double dn = t * t + c;
        s1 += step.weight[n] * (step.tau[n] + r2) / dn;
        s2 += step.weight[n] * (r2 - step.tau[n]) / dn;
    }
    return {step.k * (2.0 * s1 + 1.0 / r2) * y, step.k * (2.0 * s2 + 1.0 / r2) * x};
}

// The same on the real axis (y = +-0), where the terms in y vanish: s1 is multiplied by y, and
// c by y^2. The values are those of the general sum bit for bit, signed zeros included.
Complex ExponentialSumOnRealAxis(const ExponentialSumStep& step, double x, double y, double r2) {
    const double d = -(x * x);
    // The terms first, independent of each other, then their sum in the same order.
    std::array<double, 12> terms;
    for (std::size_t n = 0; n < 12; ++n) {
        const double t = step.tau[n] + d;
        terms[n] = step.weight[n] * (r2 - step.tau[n]) / (t * t);
    }
    double s2 = 0.0;
    for (double term : terms) s2 += term;
    return {0.0 * y, step.k * (2.0 * s2 + 1.0 / r2) * x};
}

}  // namespace

// The exponential-sum approximation of w(z) with twelve terms and step a (Chiarella and Reichel,
// Math. Comp. 22, 137-143, 1968; Matta and Reichel, Math. Comp. 25, 339-344, 1971): the
// trapezoidal rule of w's integral over exp(-t^2), with the pole term that corrects it for
// Im z < 2 pi / a. Near the real axis the sum has poles at multiples of a, cancelled by the
// pole term in exact arithmetic only: close to them (x near a multiple of 0.5) the step 0.53 is
// used instead. Beyond |x| = 8.5 exp(-x^2) makes the pole term negligible. Deep in the lower
// half-plane, where the pole term's factors overflow, w(z) = 2 exp(-z^2) - w(-z).
Complex FaddeevaW(const Complex& z) {
    static const ExponentialSumStep kHalf = MakeStep(0.5, 0.15915494309189535);
    static const ExponentialSumStep kOffPole = MakeStep(0.53, 0.16870423967740908);
    const double x = z.real(), y = z.imag();
    const double r2 = x * x + y * y;
    if (r2 < 1.6e-3) return FaddeevaNearZero(z);

    const double ax = std::fabs(x);
    const double fraction = 2.0 * ax - std::floor(2.0 * ax);
    const bool nearPole = std::fabs(y) < 0.01 && ax < 8.51 && (fraction < 0.02 || fraction > 0.98);
    const ExponentialSumStep& step = nearPole ? kOffPole : kHalf;
    if (y == 0.0) {
        // exp(-v) = 1 and the phase 2xy = +-0: sin +-0, cos 1.
        Complex w = ExponentialSumOnRealAxis(step, x, y, r2);
        const double u = kTwoPi * x / step.a;
        const double m = 2.0 * std::exp(-(x * x));
        const SineCosine pole = SinCos(u);
        w += Divide(Complex(m, -(m * (2.0 * x * y))), Complex(1.0 - pole.cos, pole.sin));
        return w;
    }
    const double v = kTwoPi * y / step.a;
    if (y < 0.0 && (y * y - x * x - v > 700.0 || v < -700.0))
        return TwiceExpMinusSquare(x, y) - FaddeevaW(-z);

    Complex w = ExponentialSum(step, x, y, r2);
    if (y < kTwoPi) {
        // 2 exp(-z^2) / (1 - exp(-2 pi i z / a)) with u = 2 pi x / a and v = 2 pi y / a.
        // 1 - cos u cancels next to the poles: sine and cosine from an accurately reduced u.
        const double u = kTwoPi * x / step.a;
        const double m = 2.0 * std::exp(y * y - x * x - v);
        const SineCosine phase = SinCos(2.0 * x * y), pole = SinCos(u);
        const Complex numerator(m * phase.cos, -m * phase.sin);
        w += Divide(numerator, Complex(std::exp(-v) - pole.cos, pole.sin));
    }
    return w;
}

// --- Gamma function ---

// Lanczos' approximation with g = 5 and six terms (Numerical Recipes, gammln); relative error
// below about 2e-10 for x > 0. The series is meaningless for x <= 0, which gives NaN.
double GammaFunction(double x) {
    if (!(x > 0.0)) return kNaN;
    constexpr double c[6] = {76.18009172947146,     -86.50532032941678,    24.01409824083091,
                             -1.231739572450155,    0.001208650973866179,  -5.395239384953e-06};
    const double t = x + 5.5;
    double s = 1.000000000190015;
    for (int j = 0; j < 6; ++j) s += c[j] / (x + j + 1);
    return std::exp(std::log(2.5066282746310007 * s / x) - (t - (x + 0.5) * std::log(t)));
}

}  // namespace Capsule
