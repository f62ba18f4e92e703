#include "io/sml_vocabulary.h"

#include <map>
#include <utility>

namespace Core::Sml {

namespace {

// Every name with its id. Beyond the names documents have always carried, "pow" (235),
// "gaussian-distribution-sqo" (520) and "rational-line" (605) name node types that had none.
const std::pair<const char*, int> kNames[] = {
    {"xml-comment", 2}, {"osml", 10}, {"secure", 11}, {"annotation", 12}, {"semantics", 13},
    {"symbol", 14}, {"argument", 15}, {"argument-group", 16}, {"math", 17}, {"definition", 18},
    {"apply", 19}, {"function", 20}, {"constant", 21}, {"sequence", 22}, {"element", 23},
    {"link", 24}, {"number", 25}, {"sep", 26}, {"formula", 27},
    {"plus", 100}, {"minus", 101}, {"times", 102}, {"divide", 103}, {"i-plus", 104},
    {"i-minus", 105}, {"i-times", 106}, {"sum", 107}, {"product", 108}, {"mean", 109},
    {"if-else", 110}, {"lower-than", 111}, {"greather-than", 112}, {"include", 113},
    {"opposite", 114}, {"inverse", 115}, {"functor", 116},
    {"file-2c", 130}, {"file-3c", 131},
    {"abs", 200}, {"arg", 201}, {"conjugate", 202}, {"imaginary", 203}, {"norm", 204},
    {"real", 205}, {"square", 206}, {"root", 207}, {"exp", 208}, {"ln", 209}, {"log", 210},
    {"sin", 211}, {"cos", 212}, {"tan", 213}, {"sec", 214}, {"csc", 215}, {"cot", 216},
    {"sinh", 217}, {"cosh", 218}, {"tanh", 219}, {"sech", 220}, {"csch", 221}, {"coth", 222},
    {"arcsin", 223}, {"arccos", 224}, {"arctan", 225}, {"arcsec", 226}, {"arccsc", 227},
    {"arccot", 228}, {"arcsinh", 229}, {"arccosh", 230}, {"arctanh", 231}, {"arcsech", 232},
    {"arccsch", 233}, {"arccoth", 234}, {"pow", 235}, {"power", 236}, {"floor", 237},
    {"ceiling", 238},
    {"random", 300}, {"string", 310},
    {"gaussian", 400}, {"lorentzian", 401}, {"voigt", 402}, {"pearsonVII", 403},
    {"laplace", 404}, {"gauss-lorentz", 405}, {"gaussian-area", 450},
    {"phonon-3p", 500}, {"phonon-4p", 501}, {"phonon-anharmonic", 502},
    {"phonon-anharmonic-i", 503}, {"drude", 504}, {"plasmon", 505}, {"voigt-kkg", 506},
    {"gaussian-kkg", 507}, {"laplace-kkg", 508}, {"gaussian-distribution-dho", 509},
    {"gaussian-distribution-x-dho", 510}, {"gaussian-distribution-x2-dho", 511},
    {"gaussian-distribution-sqo", 520}, {"gaussian-distribution-x-sqo", 521},
    {"gaussian-distribution-x2-sqo", 522}, {"linear-segment-kkg", 523}, {"polynomial-kkg", 524},
    {"cubic-spline-kkg", 525}, {"fritsh-carlson-kkg", 526},
    {"segment-line", 600}, {"polynomial-line", 601}, {"cubic-spline", 602},
    {"fritsh-carlson", 603}, {"positive-fritsh-carlson", 604}, {"rational-line", 605},
    {"point-list", 620}, {"point", 621},
    {"tuple-2", 700}, {"tuple-4", 701}, {"tuple-n", 702}, {"out-n", 703}, {"foreach", 704},
    {"dawson", 800}, {"faddeeva", 801}, {"exp-integral-E1", 802}, {"exp-integral-Ei", 803},
    {"exp-integral-exp-Ei", 804}, {"gamma", 805},
    {"r-integrator", 1000}, {"de-integrator", 1002},
    {"fritsch-carlson-hilbert", 1100}, {"positive-fritsch-carlson-hilbert", 1101},
    {"linear-hilbert", 1102}, {"positive-linear-hilbert", 1103},
    {"encapsulation", 9001}, {"dll-function", 9002}, {"value", 19000},
    {"pi", 20000}, {"e", 20001}, {"h", 20002}, {"k", 20003}, {"C1L", 20004}, {"C2", 20005},
};

// Code and node type. Beyond the historical pairs, 520, 523, 524, 525 and 605 bind the
// Gaussian distribution of square-root oscillators, the three point-list KK profiles and the
// rational interpolation, which had no function form.
const std::pair<int, int> kCodes[] = {
    {24, 10}, {9000, 12}, {9001, 11}, {9002, 14}, {19000, 13},
    {114, 101}, {115, 102}, {100, 200}, {101, 201}, {102, 202}, {103, 203}, {104, 205},
    {105, 206}, {106, 204}, {107, 208}, {108, 207}, {109, 209}, {110, 210}, {111, 211},
    {112, 212}, {113, 213}, {116, 214}, {130, 230}, {131, 230},
    {200, 302}, {201, 304}, {202, 305}, {203, 301}, {204, 303}, {205, 300}, {206, 306},
    {207, 307}, {208, 308}, {209, 309}, {210, 310}, {211, 312}, {212, 311}, {213, 313},
    {214, 316}, {215, 315}, {216, 314}, {217, 324}, {218, 323}, {219, 325}, {220, 328},
    {221, 327}, {222, 326}, {223, 318}, {224, 317}, {225, 319}, {226, 322}, {227, 321},
    {228, 320}, {229, 330}, {230, 329}, {231, 331}, {232, 334}, {233, 333}, {234, 332},
    {235, 335}, {236, 336},
    {300, 501}, {310, 610},
    {400, 700}, {401, 701}, {402, 702}, {403, 703}, {404, 706}, {405, 704}, {450, 799},
    {500, 900}, {501, 901}, {502, 902}, {503, 903}, {504, 904}, {505, 905}, {506, 906},
    {507, 907}, {508, 908}, {509, 909}, {520, 920}, {523, 923}, {524, 924}, {525, 925},
    {526, 926},
    {600, 800}, {601, 801}, {602, 803}, {603, 804}, {604, 805}, {605, 802}, {620, 2102},
    {621, 899},
    {700, 3000}, {701, 3001}, {702, 3002}, {703, 3003}, {704, 3004},
    {800, 1200}, {801, 1201}, {802, 1202}, {803, 1203}, {804, 1204}, {805, 1205},
    {1000, 4000}, {1002, 4002},
    {1100, 5000}, {1101, 5001}, {1102, 5002}, {1103, 5003},
    {20000, 400}, {20001, 403}, {20002, 406}, {20003, 407}, {20004, 408}, {20005, 409},
};

// Both directions of a table: the forward map keeps a key's first value; the backward map is
// walked from the forward one in ascending key order, the first key of a value winning.
template <class K, class V>
struct TwoWay {
    std::map<K, V> forward;
    std::map<V, K> backward;
    template <class Pairs>
    explicit TwoWay(const Pairs& pairs) {
        for (const auto& [key, value] : pairs) forward.emplace(key, value);
        for (const auto& [key, value] : forward) backward.emplace(value, key);
    }
};

const TwoWay<std::string, int>& Names() {
    static const TwoWay<std::string, int> table(kNames);
    return table;
}

const TwoWay<int, int>& Codes() {
    static const TwoWay<int, int> table(kCodes);
    return table;
}

template <class Map, class Key>
auto Find(const Map& map, const Key& key, typename Map::mapped_type missing) {
    const auto found = map.find(key);
    return found == map.end() ? missing : found->second;
}

}  // namespace

int MarkupId(const std::string& name) {
    return Find(Names().forward, name, -1);
}

std::string MarkupName(const int& id) {
    return Find(Names().backward, id, std::string());
}

int GetCode(const int& typeId) {
    return Find(Codes().backward, typeId, -1);
}

int GetType(const int& code) {
    return Find(Codes().forward, code, -1);
}

}  // namespace Core::Sml
