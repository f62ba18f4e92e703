#include "fit/matrix.h"

#include <cmath>
#include <utility>

void DMatrix::Resize(int rows, int cols) {
    rows_.resize(static_cast<std::size_t>(rows));
    for (auto& row : rows_) row.resize(static_cast<std::size_t>(cols), 0.0);
    rowCount_ = rows;
    columnCount_ = cols;
}

namespace Optimize {

namespace {
// Work vectors of one thread: a fit of constant size allocates them once, and solvers on
// different threads never share them.
struct PivotWork {
    std::vector<int> pivotRow;
    std::vector<int> pivotColumn;
    std::vector<int> pivotCount;
};
thread_local PivotWork work;
}  // namespace

bool GaussJordan(DMatrix& a, std::vector<double>& b) {
    const int n = a.RowCount();
    const auto size = static_cast<std::size_t>(n);
    if (n == 0) return true;
    if (a.ColumnCount() != n || b.size() != size) return false;
    work.pivotRow.assign(size, 0);
    work.pivotColumn.assign(size, 0);
    work.pivotCount.assign(size, 0);
    for (int i = 0; i < n; ++i) {
        // Each pass looks for its own pivot: one left over from the previous pass would be a
        // row already used.
        int irow = -1;
        int icol = -1;
        double big = 0.0;
        for (int j = 0; j < n; ++j) {
            if (work.pivotCount[j] == 1) continue;
            const std::vector<double>& row = a.Row(j);
            for (int k = 0; k < n; ++k) {
                if (work.pivotCount[k] > 1) return false;
                // A NaN never compares >= and so is never taken.
                if (work.pivotCount[k] == 0 && std::fabs(row[k]) >= big) {
                    big = std::fabs(row[k]);
                    irow = j;
                    icol = k;
                }
            }
        }
        if (irow < 0 || icol < 0) return false;
        ++work.pivotCount[icol];
        if (irow != icol) {
            std::swap(a.Row(irow), a.Row(icol));
            std::swap(b[irow], b[icol]);
        }
        work.pivotRow[i] = irow;
        work.pivotColumn[i] = icol;
        std::vector<double>& pivotRow = a.Row(icol);
        const double pivot = pivotRow[icol];
        if (pivot == 0.0 || !std::isfinite(pivot)) return false;
        const double pivinv = 1.0 / pivot;
        pivotRow[icol] = 1.0;
        for (double& value : pivotRow) value *= pivinv;
        b[icol] *= pivinv;
        for (int ll = 0; ll < n; ++ll) {
            if (ll == icol) continue;
            std::vector<double>& row = a.Row(ll);
            const double dum = row[icol];
            row[icol] = 0.0;
            for (int l = 0; l < n; ++l) row[l] -= pivotRow[l] * dum;
            b[ll] -= b[icol] * dum;
        }
    }
    for (int l = n - 1; l >= 0; --l) {
        if (work.pivotRow[l] == work.pivotColumn[l]) continue;
        for (int k = 0; k < n; ++k)
            std::swap(a.Row(k)[work.pivotRow[l]], a.Row(k)[work.pivotColumn[l]]);
    }
    return true;
}

double Dot(const double* a, const double* b, std::size_t n) {
    constexpr std::size_t kSums = 8;
    double sums[kSums] = {};
    std::size_t k = 0;
    for (; k + kSums <= n; k += kSums)
        for (std::size_t s = 0; s < kSums; ++s) sums[s] += a[k + s] * b[k + s];
    for (std::size_t s = 0; k < n; ++k, ++s) sums[s] += a[k] * b[k];
    return ((sums[0] + sums[4]) + (sums[2] + sums[6])) +
           ((sums[1] + sums[5]) + (sums[3] + sums[7]));
}

}  // namespace Optimize
