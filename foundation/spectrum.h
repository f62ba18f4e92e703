#pragma once
// A sampled complex function of one real abscissa: experimental spectra, model spectra and
// plotted curves. Values between points are interpolated linearly.
#include <atomic>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/countable.h"
#include "foundation/label.h"

// A column of doubles; several spectra may share one.
class Data : public Safe::Countable {
public:
    Data() = default;
    explicit Data(std::vector<double> values) : values_(std::move(values)) {}
    // The values are copied; the count of changes goes on from this column's own.
    Data(const Data& other) : Countable(other), values_(other.values_) {}
    Data& operator=(const Data& other) {
        Touch();
        values_ = other.values_;
        return *this;
    }

    int Size() const { return static_cast<int>(values_.size()); }
    void Resize(std::size_t n) {
        Touch();
        values_.resize(n, 0.0);
    }
    // Every access that can change the values counts as a change, so that what is made from
    // the values (a drawing's summary) can tell that it is still theirs; a reference taken
    // here is written through at once, not kept across such a use.
    double& operator[](std::size_t i) {
        Touch();
        return values_[i];
    }
    double operator[](std::size_t i) const { return values_[i]; }
    std::vector<double>& Values() {
        Touch();
        return values_;
    }
    const std::vector<double>& Values() const { return values_; }
    std::uint64_t Changes() const { return changes_.load(std::memory_order_relaxed); }
    // 0.0 for an empty column.
    double Max() const;
    double Min() const;

private:
    // Threads that only read a shared column through writable access (the fit's lanes) each
    // count: a relaxed load and store keeps that free of data races and costs a plain add. A
    // count lost between two such readers changes nothing, since neither wrote.
    void Touch() {
        changes_.store(changes_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }

    std::vector<double> values_;
    std::atomic<std::uint64_t> changes_{0};
};

class Spectrum : public Label {
public:
    using Ptr = Safe::XPtr<Spectrum>;
    enum Column { kX = 0, kRe = 1, kIm = 2 };

    Spectrum();

    int Size() const { return x_->Size(); }
    // False for n < 0; otherwise every column gets n points, new ones 0.0.
    virtual bool Resize(const int& n);
    // Linear interpolation between the neighbouring points, extrapolated along the first or
    // last segment outside the abscissas. No points give 0, one point gives its value.
    virtual std::complex<double> ValueAt(const double& x);

    // Column 0 x, 1 re or 2 im; 0.0 for an empty column or another number.
    double Max(int column) const;
    double Min(int column) const;
    // Exchanges the value columns with the saved ones.
    void SaveValues();
    // Zeros every value and saved value; the abscissas stay.
    void ClearValues();
    // Copies points from to to (both included, either order) of the source; -1, -1 copies all.
    // False when the stretch lies outside the source.
    bool CopyRange(const Ptr& source, const int& from, const int& to, const bool& withValues);

    int GetKind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }
    const Safe::XPtr<Data>& X() const { return x_; }
    const Safe::XPtr<Data>& Re() const { return re_; }
    const Safe::XPtr<Data>& Im() const { return im_; }
    const Safe::XPtr<Data>& SavedRe() const { return savedRe_; }
    const Safe::XPtr<Data>& SavedIm() const { return savedIm_; }
    // Sets one point (the index must be below Size).
    void SetPoint(int i, double x, double re, double im);

private:
    const Data* ColumnData(int column) const;

    int kind_ = -1;
    Safe::XPtr<Data> x_;
    Safe::XPtr<Data> re_;
    Safe::XPtr<Data> im_;
    Safe::XPtr<Data> savedRe_;
    Safe::XPtr<Data> savedIm_;
    int lo_ = 0;
    int hi_ = 0;
};
