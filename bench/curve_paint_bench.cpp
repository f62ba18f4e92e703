// Drawing a curve of 10^6 points into a plot 1,000 pixels wide, beside a curve of 10^3 points
// in the same plot: a curve of more points than the plot has pixel columns is drawn by pixel
// column from a summary of its points kept between draws, so the large one should cost a small
// multiple of the small one, not a thousand times it. The first draw of the large curve makes
// the summary; the later ones, at the same or another zoom, read it. All draw on the recording
// canvas, which keeps every line as the tests see it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/curve_designer.h"
#include "plot/recording_canvas.h"

namespace {

using Winplus::CurveDesigner;
using Winplus::Frame;
using Winplus::RecordingCanvas;
using Winplus::Rect;

constexpr int kWidth = 1000;
const Rect kWhole{400.0, 0.0, 3600.0, 1.5};

enum class Draw { kAgain, kFirst, kPanned };

// An absorbance-like spectrum over 400..4000: a few bands on a sloping base with a little
// deterministic ripple, so that every pixel column spans several pixels.
struct Spectrum {
    Safe::XPtr<Data> xs = Safe::MakeX<Data>(), ys = Safe::MakeX<Data>();
    explicit Spectrum(int n) {
        xs->Resize(static_cast<std::size_t>(n));
        ys->Resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const double x = 400.0 + 3600.0 * i / (n - 1);
            double y = 0.1 + x * 2e-5 + 0.01 * std::sin(i * 0.7);
            for (double band : {700.0, 1100.0, 1650.0, 2900.0, 3400.0})
                y += 1.0 / (1.0 + (x - band) * (x - band) / 400.0);
            (*xs)[static_cast<std::size_t>(i)] = x;
            (*ys)[static_cast<std::size_t>(i)] = y;
        }
    }
};

bool SameLines(const RecordingCanvas& a, const RecordingCanvas& b) {
    const auto& p = a.Operations();
    const auto& q = b.Operations();
    return std::equal(p.begin(), p.end(), q.begin(), q.end(), [](const auto& u, const auto& v) {
        return u.kind == v.kind && u.points[0].x == v.points[0].x &&
               u.points[0].y == v.points[0].y && u.points[1].x == v.points[1].x &&
               u.points[1].y == v.points[1].y;
    });
}

void DrawSpectrum(benchmark::State& state, Draw draw) {
    const Spectrum spectrum(static_cast<int>(state.range(0)));
    auto frame = Safe::MakeX<Frame>();
    frame->SetPlotArea({60, 10, kWidth, 600});
    frame->SetLimits(kWhole);
    CurveDesigner designer;
    designer.SetFrame(frame);
    designer.SetData(spectrum.xs, spectrum.ys);
    // The summary kept from a draw gives the lines of a draw that makes it afresh.
    RecordingCanvas canvas, reference;
    designer.PaintOwn(canvas);
    spectrum.ys->Values();  // a writable access counts as a change
    designer.PaintOwn(reference);
    if (reference.Operations().empty() || !SameLines(canvas, reference)) {
        state.SkipWithError("the kept summary draws other lines");
        return;
    }
    // A pan by a third of the plot and back: each draw at a zoom of its own.
    const Rect panned{kWhole.x + kWhole.width / 3.0, kWhole.y, kWhole.width, kWhole.height};
    bool pannedNow = false;
    for (auto _ : state) {
        canvas.Clear();
        if (draw == Draw::kFirst) spectrum.ys->Values();
        if (draw == Draw::kPanned) frame->SetLimits((pannedNow = !pannedNow) ? panned : kWhole);
        designer.PaintOwn(canvas);
        benchmark::DoNotOptimize(canvas.Operations().data());
    }
    state.counters["lines"] = static_cast<double>(canvas.Operations().size());
}

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Each with its least time beside the usual statistics.
const bool kRegistered = [] {
    const struct {
        const char* name;
        Draw draw;
        int points;
    } draws[] = {{"DrawCurve/points:1000", Draw::kAgain, 1000},
                 {"DrawCurve/points:1000000/first", Draw::kFirst, 1000000},
                 {"DrawCurve/points:1000000/again", Draw::kAgain, 1000000},
                 {"DrawCurve/points:1000000/panned", Draw::kPanned, 1000000}};
    for (const auto& d : draws)
        benchmark::RegisterBenchmark(d.name, DrawSpectrum, d.draw)
            ->Arg(d.points)
            ->Unit(benchmark::kMicrosecond)
            ->ComputeStatistics("min", Least);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
