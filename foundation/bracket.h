#pragma once
// The interval of an ascending table that holds a value, remembered between calls: a sweep with
// increasing values moves it one step at a time, anything else searches by bisection.
#include <span>

// On return xs[lo] <= x <= xs[hi] with hi = lo + 1 when x lies inside the table, otherwise the
// first or last interval. A bracket that does not name two points of the table (a table that
// shrank, a fresh bracket) is searched afresh. Needs at least two points.
inline void LocateBracket(std::span<const double> xs, double x, int& lo, int& hi) {
    const int n = static_cast<int>(xs.size());
    auto holds = [&](int l, int h) { return l >= 0 && h < n && l < h && xs[l] <= x && x <= xs[h]; };
    if (holds(lo, hi)) return;
    const int nextLo = lo >= 0 && lo < n - 2 ? lo + 1 : lo;
    const int nextHi = hi >= 0 && hi < n - 1 ? hi + 1 : hi;
    if (holds(nextLo, nextHi)) {
        lo = nextLo;
        hi = nextHi;
        return;
    }
    lo = 0;
    hi = n - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (xs[mid] > x)
            hi = mid;
        else
            lo = mid;
    }
}
