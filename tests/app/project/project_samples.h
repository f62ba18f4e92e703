#pragma once
// A project of every kind of content for the project file and project command tests.
#include <string>

#include "app/base/project_comment.h"
#include "app/base/project_state.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/layer.h"
#include "tests/io/model_samples.h"
#include "tests/plot/plot_support.h"

namespace ProjectTest {

using Winplus::FileCurve;
using Winplus::Layer;
using Winplus::LayerCurve;

#ifdef SORIX_EXAMPLE_DLL
inline const std::string kDll = SORIX_EXAMPLE_DLL;
#else
inline const std::string kDll;
#endif

// Longer than the 127 characters an edit control's read-back once cut it to, with line breaks
// and a byte of the upper half of the code page.
inline const std::string kComment = "Sample 4: gold on glass\r\n" + std::string(300, 'c') + "\xE9.";

inline Spectrum::Ptr Measured(const std::wstring& name, double scale) {
    auto data = Safe::MakeX<Spectrum>();
    data->SetName(name);
    data->Resize(20);
    for (int i = 0; i < 20; ++i) data->SetPoint(i, 100.0 + i, scale * i, -0.5 * i);
    return data;
}

// The basic model, the square model and, with every, a model of every node kind; two spectra;
// the start-up layer and "graph" with a model curve and a data-file curve; a comment; the
// square model's "model" and "graph" current.
inline void BuildProject(bool every) {
    Core::MathMapIo::InitProject();
    if (every) Core::Models().Add(test::EveryNodeModel(kDll));
    Core::MathMap::Ptr square = PlotTest::SquareModel("square");
    Core::DataSet::GetSet().Add(Measured(L"measured", 0.1));
    Core::DataSet::GetSet().Add(Measured(L"second", 0.3));
    Layer::NewLayer();
    PlotTest::SelectModel(square);
    LayerCurve::Ptr graph = LayerCurve::Create(L"graph");
    graph->SetLimits({100, -2, 20, 50});
    auto file = Safe::MakeX<FileCurve>();
    file->SetData(Core::DataSet::GetSet().Find(L"measured"));
    graph->AddFileCurve(file);
    Layer::Set().Add(graph);
    Layer::SetCurrentLayer(graph);
    Core::ProjectComment::Set(kComment, false);
}

// Another project in the place of the built one.
inline void ReplaceByOther() {
    Core::MenuCore::InstallProjectMaps(Core::ModelSet());
    PlotTest::SquareModel("other", 2.0);
    Core::DataSet::Replace(Safe::MakeX<Core::SpectrumSet>());
    Layer::ResetLayers();
    Core::ProjectComment::Set("other", false);
    Core::MenuCore::SetProjectFolder("elsewhere/");
    Core::MenuCore::SetSaved(false);
}

// A layer that is not a curve layer: its record cannot be written.
struct Unwritable : Layer {
    Unwritable() : Layer(L"unwritable", kAbstract) {}
    void SetLimits(const Winplus::Rect&) override {}
    bool HasCurves() const override { return false; }
    void RefreshAll() override {}
    void Paint(Winplus::Canvas&, const Winplus::PixelRect&, bool, bool) override {}
    void PaintPlain(Winplus::Canvas&) override {}
};

}  // namespace ProjectTest
