// Drawing a curve of 10^6 points into a plot 1,000 pixels wide, beside a curve of 10^3 points
// in the same plot: a curve of more points than the plot has pixel columns is drawn by pixel
// column, so the large one should cost a small multiple of the small one, not a thousand times
// it. Both draw on the recording canvas, which keeps every line as the tests see it.
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

constexpr int kWidth = 1000;

// An absorbance-like spectrum over 400..4000: a few bands on a sloping base with a little
// deterministic ripple, so that every pixel column spans several pixels.
void DrawSpectrum(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto xs = Safe::MakeX<Data>(), ys = Safe::MakeX<Data>();
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
    auto frame = Safe::MakeX<Frame>();
    frame->SetPlotArea({60, 10, kWidth, 600});
    frame->SetLimits({400.0, 0.0, 3600.0, 1.5});
    CurveDesigner designer;
    designer.SetFrame(frame);
    designer.SetData(xs, ys);
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        designer.PaintOwn(canvas);
        benchmark::DoNotOptimize(canvas.Operations().data());
    }
    if (canvas.Operations().empty()) state.SkipWithError("nothing was drawn");
    state.counters["lines"] = static_cast<double>(canvas.Operations().size());
}

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(DrawSpectrum)
    ->Name("DrawCurve/points:1000")
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);
BENCHMARK(DrawSpectrum)
    ->Name("DrawCurve/points:1000000")
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
