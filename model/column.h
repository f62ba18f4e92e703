#pragma once
// Evaluation over columns: a model computes a block of points at once, each node filling its
// column (foundation/column.h) from its children's, so that a model spectrum costs a few loops
// per node and block instead of a virtual call per node and point. Evaluate stays the reference:
// every column holds, point for point, the values Evaluate gives.
//
// How a node class gets a column path of its own:
// - override GetColumnKind to answer kColumnOwn, and EvaluateColumn to fill column_ (SetVarying,
//   then every point of the block: the loops always run over kColumnBlock points) from its
//   children's ComputeColumn and return it; CombineColumns and TransformColumn
//   (foundation/column.h), MultiplyColumns and DivideColumns (foundation/column_math.h) do the
//   loops (functions/operator_columns.cpp shows the shape);
// - read every child at every point, with the same arithmetic in the same order as Evaluate;
// - nothing else is needed for constants: a node whose children are all constant for the whole
//   pass is evaluated once, through Evaluate, before the first block.
// The column a node fills lives in storage the pass lends for the block (ColumnStorage);
// a pinned column (a definition's root, an output read after the block) uses its own.
// A class that keeps the base EvaluateColumn is evaluated point by point within each block,
// which is always right. A class whose value depends on anything but its children at the same
// point (random draws, counters) or that writes into other nodes while evaluating answers
// kColumnOrderDependent: a model holding one is then evaluated point by point throughout.
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/node.h"

namespace Core {

class NodeMap;

// One pass over a grid, block by block: where the block's abscissas are and which definitions
// already have their columns for the block. It belongs to one evaluation on one thread.
class ColumnPass {
public:
    explicit ColumnPass(NodeMap* variable) : variable_(variable) {}

    // Points in the current block, at most kColumnBlock.
    int Size() const { return size_; }
    // Puts point i of the block in place for Evaluate: the variable definition takes its
    // abscissa.
    void SetPoint(int i);
    // The column of the definition's root for the current block; null when the definition is
    // not evaluated by columns in this pass.
    const Column* Ready(const NodeMap* map) const {
        auto found = ready_.find(map);
        return found == ready_.end() ? nullptr : found->second;
    }

    void BeginBlock(const double* x, int size) {
        x_ = x;
        size_ = size;
        ready_.clear();
        storage_.GiveBack(0);
    }
    void MarkReady(const NodeMap* map, const Column* column) { ready_.emplace(map, column); }
    // While recorder evaluates point by point, output (a node below it) gives its column the
    // value each point leaves in it, as the per-point path leaves it.
    void Record(const Node* recorder, Node* output) {
        recorder_ = recorder;
        recorded_ = output;
    }
    // The point-by-point loop of node has evaluated point i.
    void PointDone(const Node& node, int i) {
        if (&node == recorder_) recorded_->OwnColumn().Set(i, recorded_->GetValue());
    }
    // Where the columns of the block live, unless pinned.
    ColumnStorage& Storage() { return storage_; }

    // Evaluations of one block that change one parameter at a time: the base evaluation keeps
    // every node's column (kKeeping); each replay (kReplaying) computes again only the nodes on
    // the changed parameter's path and reads the kept columns for the rest.
    enum Mode { kOrdinary, kKeeping, kReplaying };
    Mode GetMode() const { return mode_; }
    void SetMode(Mode mode) {
        mode_ = mode;
        if (mode == kKeeping) {
            kept_.clear();
            keptUsed_ = 0;
        }
    }
    // A replay over the block begun: only the nodes of path are computed again.
    void BeginReplay(const std::unordered_set<const Node*>* path) {
        path_ = path;
        ready_.clear();
        storage_.GiveBack(0);
    }
    bool OnPath(const Node* node) const { return path_ && path_->count(node) > 0; }
    // The column the base evaluation of the block kept for node; null when it kept none.
    const Column* Kept(const Node* node) const {
        auto found = kept_.find(node);
        return found == kept_.end() ? nullptr : found->second;
    }
    void Keep(const Node* node, const Column& values);

private:
    NodeMap* variable_;
    const double* x_ = nullptr;
    int size_ = 0;
    std::unordered_map<const NodeMap*, const Column*> ready_;
    ColumnStorage storage_;
    const Node* recorder_ = nullptr;
    Node* recorded_ = nullptr;
    Mode mode_ = kOrdinary;
    const std::unordered_set<const Node*>* path_ = nullptr;
    std::unordered_map<const Node*, const Column*> kept_;
    std::deque<Column> keptColumns_;  // reused block after block
    std::size_t keptUsed_ = 0;
};

}  // namespace Core
