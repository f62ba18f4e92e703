#include "app/base/project_state.h"

#include <array>
#include <utility>

#include "io/data_set.h"
#include "io/opus.h"
#include "model/current.h"
#include "winplus/resource_ids.h"

namespace Core::MenuCore {

namespace {

struct ProjectState {
    bool saved = true;
    std::string folder;
    std::string libraryList;
    int libraryCategory = -1;
};

ProjectState& State() {
    static ProjectState state;
    return state;
}

void ResetState() {
    State() = ProjectState();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetState);

// Menu identifier ID_OPUS_FIRST + i asks for block type i of this table (the Opus sub-menu's
// order).
constexpr std::array<int, 17> kOpusTypes = {
    Opus::kReflectance,
    Opus::kTransmittance,
    Opus::kEmittance,
    Opus::kRaman,
    Opus::kBackgroundSingleChannel,
    Opus::kSampleSingleChannel,
    Opus::kAtr,
    Opus::kKubelkaMunk,
    Opus::kPa,
    Opus::kIr,
    Opus::kSp,
    Opus::kPs,
    Opus::kPr,
    Opus::kHs,
    Opus::kHr,
    Opus::kIs,
    Opus::kIb,
};

// The codes that change a model: values (ModelEvent::kParametersChanged also after a fit's
// transfer), definitions (ModelEvent::kDefinitionEdited, and ModelEvent::kFunctionPlaced, on which
// the definition explorer inserts the builder's clone), models added (ModelEvent::kModelsAdded,
// ModelEvent::kBasicModelRequested), renamed (ModelEvent::kModelRenamed,
// ModelEvent::kDefinitionRenamed) or installed (ModelEvent::kModelsReset).
constexpr ModelEvent kModelEdits[] = {
    ModelEvent::kModelsReset,         ModelEvent::kParametersChanged,
    ModelEvent::kDefinitionEdited,    ModelEvent::kModelsAdded,
    ModelEvent::kModelRenamed,        ModelEvent::kDefinitionRenamed,
    ModelEvent::kBasicModelRequested,
    ModelEvent::kFunctionPlaced,  // the builder placed a function
};
// A spectrum added through the load dialog (DataSetEvent::kDataSetFileAdded) or renamed
// (DataSetEvent::kDataFileSelected).
constexpr DataSetEvent kDataSetEdits[] = {DataSetEvent::kDataSetFileAdded,
                                          DataSetEvent::kDataFileSelected};
// Limits, scales, contents, bindings and looks of layers and curves, their names, and curve
// values a modelling tool changed by a drag.
constexpr LayerEvent kLayerEdits[] = {
    LayerEvent::kLayerLimitsChanged,  LayerEvent::kLayerScaleChanged,
    LayerEvent::kCurveBindingChanged, LayerEvent::kCurveChanged,
    LayerEvent::kLayerRenamed,        LayerEvent::kFileCurveRenamed,
    LayerEvent::kModelCurveUpdated,
};

template <class Code, std::size_t N>
bool Holds(const Code (&codes)[N], Code code) {
    for (Code c : codes)
        if (c == code) return true;
    return false;
}

template <class Code>
EventBus::Registration Watch() {
    return BusOf<Code>().Add(MakeObserver<Code>([](Code code) {
        if (MarksProjectUnsaved(code)) SetSaved(false);
    }));
}

}  // namespace

bool IsSaved() {
    return State().saved;
}
void SetSaved(bool saved) {
    State().saved = saved;
}

const std::string& GetProjectFolder() {
    return State().folder;
}
void SetProjectFolder(const std::string& folder) {
    State().folder = folder;
}

std::string WindowTitle(const std::string& projectName) {
    return "Sorix 2.0 - " + projectName;
}

std::optional<int> OpusTypeForMenu(int menuId) {
    const int index = menuId - ID_OPUS_FIRST;
    if (index < 0 || index >= static_cast<int>(kOpusTypes.size())) return std::nullopt;
    return kOpusTypes[static_cast<std::size_t>(index)];
}

bool SetOpusType(int menuId) {
    const std::optional<int> type = OpusTypeForMenu(menuId);
    if (!type) return false;
    DataSet::SetOpusType(*type);
    return true;
}

const std::string& GetLibraryListPath() {
    return State().libraryList;
}
int GetLibraryCategory() {
    return State().libraryCategory;
}
void SetLibraryList(const std::string& path) {
    State().libraryList = path;
    State().libraryCategory = -1;
    NotifyLibrary(LibraryEvent::kLibraryChanged);
}
void SetLibraryCategory(int index) {
    State().libraryCategory = index;
    NotifyLibrary(LibraryEvent::kLibraryChanged);
}

bool MarksProjectUnsaved(ModelEvent code) {
    return Holds(kModelEdits, code);
}
bool MarksProjectUnsaved(DataSetEvent code) {
    return Holds(kDataSetEdits, code);
}
bool MarksProjectUnsaved(LayerEvent code) {
    return Holds(kLayerEdits, code);
}

ProjectObserver::ProjectObserver()
    : models_(Watch<ModelEvent>()), dataSet_(Watch<DataSetEvent>()), layers_(Watch<LayerEvent>()) {}

}  // namespace Core::MenuCore
