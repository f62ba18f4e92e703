#pragma once
// Every code the event buses carry, named by bus (the subjects of foundation/event_bus.h). A code
// means something only on its own bus: 202 on the model bus is a new current node, on the fit bus
// a new math path.
namespace EventCode {

// Model bus.
inline constexpr int kModelsReset = 100;  // new project, project read, models installed
inline constexpr int kParametersChanged = 103;
inline constexpr int kDefinitionEdited = 104;
inline constexpr int kModelsAdded = 105;  // models read from a library
inline constexpr int kCurrentModelChanged = 200;
inline constexpr int kCurrentDefinitionChanged = 201;
inline constexpr int kCurrentNodeChanged = 202;  // also on the map-bar bus
inline constexpr int kModelRenamed = 300;
inline constexpr int kDefinitionRenamed = 301;
inline constexpr int kFunctionPlaced = 701;  // the builder asks for a clone of its prototype
inline constexpr int kBasicModelRequested = 950;

// Data-set bus.
inline constexpr int kDataSetReplaced = 130;   // emptied, refilled, or a file given directly
inline constexpr int kDataSetFileAdded = 131;  // one file of the load dialog
inline constexpr int kCurrentSpectrumChanged = 230;
inline constexpr int kDataFileSelected = 320;  // in the Data Files explorer's tree

// Layer bus.
inline constexpr int kLayersReplaced = 120;
inline constexpr int kLayerLimitsChanged = 124;
inline constexpr int kLayerScaleChanged = 125;
inline constexpr int kCurveBindingChanged = 126;
inline constexpr int kCurveChanged = 127;
inline constexpr int kLayerRenamed = 310;
inline constexpr int kFileCurveRenamed = 311;
inline constexpr int kModelCurveUpdated = 610;  // during a fit

// View bus.
inline constexpr int kViewDataSetChanged = 121;
inline constexpr int kViewLimitsChanged = 124;
inline constexpr int kViewMathPathChanged = 125;
inline constexpr int kViewCurveChanged = 127;
inline constexpr int kCurrentLayerChanged = 220;
inline constexpr int kBuiltInCurveChanged = 221;
inline constexpr int kBuiltInFileCurveChanged = 222;
inline constexpr int kViewModeChanged = 600;  // mode set or reset
inline constexpr int kUserCurveChanged = 601;
inline constexpr int kUserFileCurveChanged = 602;
inline constexpr int kViewModelCurveUpdated = 610;
inline constexpr int kViewAnchorsChanged = 800;

// Selection bus.
inline constexpr int kSelectedNodeChanged = 110;
inline constexpr int kSelectedPrototypeChanged = 112;
inline constexpr int kSelectedFunctionRenamed = 113;
inline constexpr int kSelectedFormulaChanged = 114;

// Function library bus.
inline constexpr int kLibraryChanged = 960;

// Definition tool-bar bus (channel 0: the definition explorer, 1: the definitions' histories).
inline constexpr int kMapBarTargetChanged = 400;
inline constexpr int kExplorerUndoAvailability = 401;
inline constexpr int kExplorerRedoAvailability = 402;
inline constexpr int kDefinitionUndoAvailability = 404;
inline constexpr int kDefinitionRedoAvailability = 405;

// Definition bus: a definition recorded a step and says what its histories hold.
inline constexpr int kHistoryUndoable = 410;
inline constexpr int kHistoryNotUndoable = 411;
inline constexpr int kHistoryRedoable = 412;
inline constexpr int kHistoryNotRedoable = 413;

// Fit bus.
inline constexpr int kFitReset = 10;
inline constexpr int kMathPathChanged = 202;
inline constexpr int kFitStarted = 900;
inline constexpr int kFitEnded = 901;  // normally, interrupted or failed
inline constexpr int kFitStatusChanged = 910;

// Axis-tool bus.
inline constexpr int kCursorMoved = 500;
inline constexpr int kAxisActionChanged = 501;

}  // namespace EventCode
