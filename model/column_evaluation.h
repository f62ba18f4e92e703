#pragma once
// The column path of a grid evaluation: which definitions are computed by columns, the
// constants computed once before the first block, and the loop over the blocks. A model whose
// results could depend on the order of evaluation is left to the point-by-point path.
#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/column.h"
#include "model/math_map.h"

namespace Core {

class ColumnEvaluation {
public:
    // What the grid evaluation gives at each point.
    enum Target {
        kModelOutput,       // the output node's value as evaluating the model leaves it
        kOutputAfterModel,  // the output node evaluated again after the model
        kOutputAlone,       // the output node evaluated without the rest of the model
    };

    // Prepares the pass: false when the points must be evaluated one by one, the columns
    // could not give the same results (see DependsOnOrder; a reference to a definition the
    // pass does not compute first; an output node outside the definitions the pass computes).
    // An output node below a parent without a column path of its own is read after each point
    // that parent evaluates.
    bool Plan(const MathMap& model, NodeMap* variable, Node* output, Target target);
    // True when the planned output's values are read after each point of a parent that
    // evaluates point by point: a node that parent skips at a point keeps an earlier value.
    bool ReadsOutputAfterEachPoint() const { return recorder_ != nullptr; }
    // Evaluates the output node at the abscissas x[0 .. count) into re and im.
    void Run(const double* x, std::size_t count, double* re, double* im);

    // Derivative columns, after a Plan for kModelOutput: the output's values with one parameter
    // at a time set to another value, computing again only what that parameter reaches (its
    // ancestors, the references to a definition it reaches and theirs), with the arithmetic of
    // Run. Sets each parameter to its shifted value, notes the constants that follow, sets it
    // back to base; false when the model cannot be evaluated that way (a node evaluated point
    // by point or a reference of another kind among the varying nodes, a parameter that is no
    // constant leaf of the planned definitions).
    bool PrepareShifts(const std::vector<Node*>& parameters, const std::vector<Complex>& base,
                       const std::vector<Complex>& shifted);
    // True when parameter i's shifted values come from RunShiftedBlock (a parameter whose shift
    // changes a constant beyond its path does not).
    bool Shifts(std::size_t i) const { return i < shifts_.size() && shifts_[i].usable; }
    // The block of the points x[start .. start + size) (start a multiple of kColumnBlock, as
    // Run's blocks) evaluated as the model stands, every column kept, then once for each
    // parameter that Shifts, its path alone: out(i, values) receives the output's values.
    void RunShiftedBlock(const double* x, std::size_t start, int size,
                         const std::function<void(std::size_t, const Column&)>& out);

    // True when the model's values may depend on the order in which its points and nodes are
    // evaluated: definitions in a cycle or referring back to themselves, or a node that answers
    // kColumnOrderDependent.
    static bool DependsOnOrder(const MathMap& model);

private:
    // Plans the tree below node, children first; true when node is constant over the pass.
    bool PlanNode(Node& node, const NodeMap* owner);
    // Gives the columns found constant their values.
    static void ComputeConstants(Node& node);
    bool IsPlanned(const NodeMap* map) const;
    // The node's column keeps its values for the whole block, in storage of its own.
    static void Pin(Node& node);
    // True when the output node's column is computed in every block by the model's columns.
    bool IsOutputLive() const;
    // The highest node above the output that the model's columns evaluate point by point, when
    // every node above that one, up to a planned definition's root, has a column path of its
    // own; null otherwise.
    Node* FindRecorder() const;
    const Column& OutputColumn(ColumnPass& pass) const;
    // The variable's column for the block that begins at x.
    void FillVariable(ColumnPass& pass, const double* x, int size);
    // The nodes the shifted-parameter passes look at, planned definitions' trees in the order of
    // ComputeConstants; false when one rules those passes out.
    bool CollectShiftNodes(Node& node);
    // The node's column as the block's base evaluation left it.
    static const Column& BaseColumn(const ColumnPass& pass, Node& node);

    struct Shift {
        bool usable = false;
        std::unordered_set<const Node*> path;
        // The constants the shift changes: node, shifted value, value at base.
        std::vector<std::pair<Node*, std::pair<Complex, Complex>>> constants;
    };
    std::vector<Shift> shifts_;
    std::vector<Node*> constants_;
    std::vector<std::pair<Node*, const NodeMap*>> references_;
    std::unordered_set<const Node*> shiftNodes_;
    std::unordered_set<const void*> formulas_;
    std::unique_ptr<ColumnPass> shiftPass_;  // kept columns reused block after block

    NodeMap* variable_ = nullptr;
    Node* output_ = nullptr;
    bool fillVariable_ = false;
    bool outputLive_ = false;
    Node* recorder_ = nullptr;  // the output's value is read after each of its points
    bool readable_ = true;
    std::vector<NodeMap*> maps_;
    std::unordered_set<const NodeMap*> planned_;
};

}  // namespace Core
