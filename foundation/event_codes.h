#pragma once
// Every code the event buses carry, one code type per bus (the buses of foundation/event_bus.h),
// so that a code sent on another bus than its own does not compile. The numbers are those the
// stored files and the observers know; the same number means different things on different
// buses (202 on the model bus is a new current node, on the fit bus a new math path).

// Model bus.
enum class ModelEvent {
    kModelsReset = 100,  // new project, project read, models installed
    kParametersChanged = 103,
    kDefinitionEdited = 104,
    kModelsAdded = 105,  // models read from a library
    kCurrentModelChanged = 200,
    kCurrentDefinitionChanged = 201,
    kCurrentNodeChanged = 202,
    kModelRenamed = 300,
    kDefinitionRenamed = 301,
    kFunctionPlaced = 701,  // the builder asks for a clone of its prototype
    kBasicModelRequested = 950,
};

// Data-set bus.
enum class DataSetEvent {
    kDataSetReplaced = 130,   // emptied, refilled, or a file given directly
    kDataSetFileAdded = 131,  // one file of the load dialog
    kCurrentSpectrumChanged = 230,
    kDataFileSelected = 320,  // in the Data Files explorer's tree
};

// Layer bus: the layer set and the current layer, curve and file curve of the plot.
enum class LayerEvent {
    kLayersReplaced = 120,
    kLayerLimitsChanged = 124,
    kLayerScaleChanged = 125,
    kCurveBindingChanged = 126,
    kCurveChanged = 127,
    kCurrentLayerChanged = 220,
    kBuiltInCurveChanged = 221,
    kBuiltInFileCurveChanged = 222,
    kLayerRenamed = 310,
    kFileCurveRenamed = 311,
    kModelCurveUpdated = 610,
};

// View bus: the view modes and what their cores select and compute (the plot panels observe it).
enum class ViewEvent {
    kViewDataSetChanged = 121,
    kViewLimitsChanged = 124,
    kViewMathPathChanged = 125,
    kViewCurveChanged = 127,
    kCurrentLayerChanged = 220,
    kBuiltInCurveChanged = 221,
    kBuiltInFileCurveChanged = 222,
    kViewModeChanged = 600,  // mode set or reset
    kUserCurveChanged = 601,
    kUserFileCurveChanged = 602,
    kViewModelCurveUpdated = 610,  // at every step of a fit
    kViewAnchorsChanged = 800,
};

// Selection bus.
enum class SelectionEvent {
    kSelectedNodeChanged = 110,
    kSelectedPrototypeChanged = 112,
    kSelectedFunctionRenamed = 113,
    kSelectedFormulaChanged = 114,
};

// Function library bus.
enum class LibraryEvent {
    kLibraryChanged = 960,
};

// Definition tool-bar bus (channel 0: the definition explorer, 1: the definitions' histories).
enum class MapBarEvent {
    kCurrentNodeChanged = 202,  // as on the model bus
    kMapBarTargetChanged = 400,
    kExplorerUndoAvailability = 401,
    kExplorerRedoAvailability = 402,
    kDefinitionUndoAvailability = 404,
    kDefinitionRedoAvailability = 405,
};

// Definition bus: a definition recorded a step and says what its histories hold.
enum class DefinitionEvent {
    kHistoryUndoable = 410,
    kHistoryNotUndoable = 411,
    kHistoryRedoable = 412,
    kHistoryNotRedoable = 413,
};

// Fit bus.
enum class FitEvent {
    kFitReset = 10,
    kMathPathChanged = 202,
    kFitStarted = 900,
    kFitEnded = 901,  // normally, interrupted or failed
    kFitStatusChanged = 910,
};

// Axis-tool bus.
enum class AxisEvent {
    kCursorMoved = 500,
    kAxisActionChanged = 501,
};

// The number of a code, as stored and logged.
template <class Code>
constexpr int CodeNumber(Code code) {
    return static_cast<int>(code);
}
