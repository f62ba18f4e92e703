#pragma once
// The dense linear algebra of the least-squares method: a square matrix of doubles and the
// Gauss-Jordan solver with full pivoting.
#include <cstddef>
#include <vector>

#include "foundation/countable.h"

class DMatrix : public Safe::Countable {
public:
    std::vector<double>& Row(int i) { return rows_[static_cast<std::size_t>(i)]; }
    const std::vector<double>& Row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    int RowCount() const { return rowCount_; }
    int ColumnCount() const { return columnCount_; }
    // Entries that existed keep their values; new ones are 0.0.
    void Resize(int rows, int cols);

private:
    std::vector<std::vector<double>> rows_;
    int rowCount_ = 0;
    int columnCount_ = 0;
};

namespace Optimize {

// Solves a x = b for one right-hand side by Gauss-Jordan elimination with full pivoting
// (Numerical Recipes, gaussj) and replaces a by its inverse. a is n x n, b holds n values.
// False when a is singular or holds a non-finite pivot; a and b are then half transformed.
bool GaussJordan(DMatrix& a, std::vector<double>& b);

// The sum of a[k] b[k] for k < n in eight partial sums of interleaved terms, added pairwise at
// the end: the additions of one sum no longer wait on each other, and the result keeps the
// plain sum's accuracy (its error bound is smaller).
double Dot(const double* a, const double* b, std::size_t n);

}  // namespace Optimize
