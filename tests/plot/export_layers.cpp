#include "tests/plot/export_layers.h"

#include <array>

#include "tests/io/reader_support.h"

namespace PlotTest {

namespace {

using Winplus::CurveDesigner;
using Point = std::array<double, 3>;
using Winplus::Argb;

Spectrum::Ptr Points(const Spectrum::Ptr& spectrum, const std::vector<Point>& points) {
    spectrum->Resize(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        spectrum->SetPoint(static_cast<int>(i), points[i][0], points[i][1], points[i][2]);
    return spectrum;
}

// A model curve holding the given points (set after adding, which regrids the curve).
Winplus::Curve::Ptr AddCurve(Winplus::LayerCurve& layer, const std::wstring& name, int mode,
                             const std::vector<Point>& points) {
    auto curve = Safe::MakeX<Winplus::Curve>();
    curve->SetName(name);
    curve->SetViewMode(mode);
    layer.AddCurve(curve);
    Points(curve, points);
    return curve;
}

Winplus::FileCurve::Ptr AddFile(Winplus::LayerCurve& layer, const std::wstring& name, int mode,
                                const std::vector<Point>& points) {
    auto curve = Safe::MakeX<Winplus::FileCurve>();
    curve->SetName(name);
    curve->viewMode = mode;
    curve->SetData(Points(Safe::MakeX<Spectrum>(), points));
    layer.AddFileCurve(curve);
    return curve;
}

void Style(CurveDesigner& designer, bool line, bool filled, Argb lineColor, bool markers, int style,
           int width, Argb markerColor) {
    designer.hasLine = line;
    designer.isFilled = filled;
    designer.lineColor = lineColor;
    designer.hasShape = markers;
    designer.style = style;
    designer.markerWidth = width;
    designer.markerColor = markerColor;
}

}  // namespace

std::vector<std::string> ScriptHeader() {
    return {"set terminal wxt size 960,640 enhanced font 'Verdana,20' persist",
            "# Axis",
            "set style line 100 lc rgb '#808080' lt 1",
            "set border 15 back ls 100",
            "set border linewidth 1.5",
            "# Grid",
            "set style line 101 lc rgb'#808080' lt 0 lw 1",
            "set grid back ls 101"};
}

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : test::ReadAll(path)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

ExportCase StyledLayer() {
    auto layer = Winplus::LayerCurve::Create(L"Absorbance");
    layer->RemoveCurve(L"curve");
    layer->GetFrame()->SetScale(0, Winplus::Frame::kLog10);
    layer->GetFrame()->SetScale(1, Winplus::Frame::kLog10);
    layer->SetLimits({10, 0.01, 990, 99.99});
    auto peak = AddCurve(*layer, L"peak:1", Winplus::kXComplex, {{10, 1, 2}, {1000, 3, 4}});
    Style(*peak->Designers().real, true, false, 0x7F00A0FF, true, CurveDesigner::kCircle, 4,
          0x80FF0000);
    Style(*peak->Designers().imag, true, false, 0xFF000000, true, CurveDesigner::kSquare, 6,
          0xFF123456);
    AddCurve(*layer, L"hidden", Winplus::kHidden, {{10, 1, 1}, {20, 1, 1}});
    AddCurve(*layer, L"parametric", Winplus::kRealImag, {{10, 1, 1}, {20, 1, 1}});
    AddCurve(*layer, L"unticked", Winplus::kXReal, {{10, 1, 1}, {20, 1, 1}});
    auto film = AddFile(*layer, L"film", Winplus::kXReal, {{20, 0.5, 7}, {30, 0.25, 8}});
    film->SetRange(25, 30);  // the data file holds the whole data all the same
    Style(*film->Designers().real, true, true, 0xFF0000FF, true, CurveDesigner::kDiamond, 3,
          0xFF00FF00);
    auto film2 = AddFile(*layer, L"film2", Winplus::kXImag, {{20, 1, 5}, {40, 1, 6}});
    Style(*film2->Designers().imag, false, false, 0, true, 7, 5, 0xFFABCDEF);
    return {
        "styled",
        layer,
        {true, true, true, false, true, true},
        {"set logscale x", "set xrange[10:1000]", "set logscale y", "set format y '10^{%T}'",
         "set yrange[0.01:100]", "set xlabel 'Wavenumber (cm^{-1})'",
         "set ylabel 'Absorbance' noenhanced", "set key font \",16\"",
         "plot 'peak_1.dat' u 1:2 w l lc rgb '#00a0ff' lt 1 lw 2 title \"peak_1-real\" noenhanced "
         ", \\",
         "'peak_1.dat' u 1:2 with points lc rgb '#ff0000' pt 7 ps 4 title \"peak_1-real\" "
         "noenhanced , \\",
         "'peak_1.dat' u 1:3 w l lc rgb '#000000' lt 1 lw 2 title \"peak_1-imag\" noenhanced , \\",
         "'peak_1.dat' u 1:3 with points lc rgb '#123456' pt 5 ps 6 title \"peak_1-imag\" "
         "noenhanced , \\",
         "'film.dat' u 1:2 with filledcurves fc rgb '#0000ff' fs transparent solid 0.5 "
         "noborder title \"film\" noenhanced , \\",
         "'film.dat' u 1:2 with points lc rgb '#00ff00' pt 13 ps 3 title \"film\" noenhanced , \\",
         "'film2.dat' u 1:2 with points lc rgb '#abcdef' pt 2 ps 5 title \"film2\" noenhanced"},
        7};
}

ExportCase UntickedLayer() {
    return {"unticked",
            Winplus::LayerCurve::Create(L"empty"),
            {false},
            {"set xrange[0:1000]", "set yrange[0:1]", "set xlabel 'Wavenumber (cm^{-1})'",
             "set ylabel 'empty' noenhanced", "set key font \",16\""},
            0};
}

ExportCase NamedLayer() {
    auto layer = Winplus::LayerCurve::Create(L"Bob's_y");
    layer->RemoveCurve(L"curve");
    layer->SetLimits({0.5, 1e-05, 999.5, 0.5});
    for (const wchar_t* name : {L"a\\b", L"../x", L"x?@{1}^2", L"it's \"q\"", L"A:B", L"a_b"})
        Style(
            *AddCurve(*layer, name, Winplus::kXReal, {{1, 0.1, 0}, {2, 0.2, 0}})->Designers().real,
            true, false, 0xFFFF0000, false, 1, 4, 0);
    const std::string tail = " u 1:2 w l lc rgb '#ff0000' lt 1 lw 2 title ";
    return {"named",
            layer,
            std::vector<bool>(6, true),
            {"set xrange[0.5:1000]", "set yrange[1e-05:0.50001]",
             "set xlabel 'Wavenumber (cm^{-1})'", "set ylabel 'Bob''s_y' noenhanced",
             "set key font \",16\"", "plot 'a_b.dat'" + tail + "\"a\\\\b\" noenhanced , \\",
             "'___x.dat'" + tail + "\"../x\" noenhanced , \\",
             "'x_@{1}^2.dat'" + tail + "\"x?@{1}^2\" noenhanced , \\",
             "'it''s _q_.dat'" + tail + "\"it's \\\"q\\\"\" noenhanced , \\",
             "'A_B@2.dat'" + tail + "\"A_B\" noenhanced , \\",
             "'a_b@3.dat'" + tail + "\"a_b\" noenhanced"},
            6};
}

}  // namespace PlotTest
