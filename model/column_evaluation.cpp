#include "model/column_evaluation.h"

#include <algorithm>

#include "model/column.h"
#include "model/factory.h"
#include "model/map_capsule.h"

namespace Core {

namespace {

// A definition whose value is what its root holds, or nothing: constant over a pass.
bool HasLeafRoot(const NodeMap& map) {
    const Node::Ptr root = map.GetRoot();
    return !root || (root->ChildCount() == 0 && root->GetSourceKind() != kDefinitionReference);
}

bool Contains(const std::vector<NodeMap::Ptr>& maps, const NodeMap* map) {
    return std::any_of(maps.begin(), maps.end(),
                       [map](const NodeMap::Ptr& item) { return item.Get() == map; });
}

}  // namespace

bool ColumnEvaluation::DependsOnOrder(const MathMap& model) {
    // Evaluating a definition that reaches itself reads the value of the point before.
    if (!model.GetCycleMaps().empty() || model.HasDefinitionReachingItself()) return true;
    for (const NodeMap::Ptr& map : model.GetMaps())
        for (const Node::Ptr& node : map->Nodes())
            if (node->GetColumnKind() == kColumnOrderDependent) return true;
    return false;
}

void ColumnEvaluation::Pin(Node& node) {
    node.PinColumn(true);
    node.OwnColumn().Lend(nullptr);
}

bool ColumnEvaluation::IsPlanned(const NodeMap* map) const {
    return planned_.count(map) > 0;
}

bool ColumnEvaluation::PlanNode(Node& node, const NodeMap* owner) {
    bool constant = true;
    if (node.GetSourceKind() == kDefinitionReference) {
        auto* reference = dynamic_cast<MapCapsule*>(&node);
        const NodeMap* map = reference ? reference->GetMap().Get() : nullptr;
        if (!reference) {
            constant = false;  // a reference of another kind: its own column or Evaluate
        } else if (map && IsPlanned(map)) {
            constant = map->GetRoot()->OwnColumn().IsConstant();
        } else if (map && (map == owner || !HasLeafRoot(*map))) {
            readable_ = false;  // Evaluate would compute it again, perhaps from other values
            constant = false;
        }
    } else {
        constant = node.GetColumnKind() != kColumnOrderDependent;
        for (int i = 0; i < node.ChildCount(); ++i)
            constant = PlanNode(*node.Child(i), owner) && constant;
    }
    // The constants' values come once the plan stands (ComputeConstants): a plan that fails
    // must leave every node's value as it was, which the per-point path may read.
    if (constant)
        node.OwnColumn().SetConstant(Complex());
    else
        node.OwnColumn().ClearConstant();
    node.PinColumn(false);
    return constant;
}

void ColumnEvaluation::ComputeConstants(Node& node) {
    if (node.OwnColumn().IsConstant()) node.OwnColumn().SetConstant(node.Compute());
    for (int i = 0; i < node.ChildCount(); ++i) ComputeConstants(*node.Child(i));
}

bool ColumnEvaluation::IsOutputLive() const {
    if (fillVariable_ && output_ == variable_->GetRoot().Get()) return true;
    for (const Node* node = output_; node; node = node->ParentNode()) {
        for (const NodeMap* map : maps_)
            if (map->GetRoot().Get() == node) return true;
        const Node* parent = node->ParentNode();
        if (!parent || parent->GetColumnKind() != kColumnOwn) return false;
    }
    return false;
}

Node* ColumnEvaluation::FindRecorder() const {
    Node* recorder = nullptr;
    for (Node* node = output_; node; node = node->ParentNode()) {
        for (const NodeMap* map : maps_)
            if (map->GetRoot().Get() == node) return recorder;
        Node* parent = node->ParentNode();
        if (parent && parent->GetColumnKind() != kColumnOwn) recorder = parent;
    }
    return nullptr;
}

bool ColumnEvaluation::Plan(const MathMap& model, NodeMap* variable, Node* output, Target target) {
    variable_ = variable;
    output_ = output;
    maps_.clear();
    planned_.clear();
    readable_ = true;
    if (!variable || !output || DependsOnOrder(model)) return false;

    const Node::Ptr variableRoot = variable->GetRoot();
    fillVariable_ = variableRoot && variableRoot->ChildCount() == 0 && variableRoot->HoldsValue();
    if (fillVariable_) {
        Pin(*variableRoot);
        variableRoot->OwnColumn().SetVarying();
        planned_.insert(variable);
    }
    std::vector<NodeMap::Ptr> needed;
    if (target == kOutputAlone) {
        std::vector<Node*> references;
        output->CollectReferences(references);
        needed = NodeMap::MapsOf(std::vector<Node::Ptr>(references.begin(), references.end()));
    }
    for (const NodeMap::Ptr& map : model.GetEvaluationOrder()) {
        if (map.Get() == variable && fillVariable_) continue;
        if (!map->GetRoot() || (target == kOutputAlone && !Contains(needed, map.Get()))) continue;
        PlanNode(*map->GetRoot(), map.Get());
        Pin(*map->GetRoot());  // references read it after the root's evaluation
        maps_.push_back(map.Get());
        planned_.insert(map.Get());
    }
    outputLive_ = target != kOutputAlone && IsOutputLive();
    recorder_ = !outputLive_ && target == kModelOutput ? FindRecorder() : nullptr;
    if (outputLive_ || recorder_) {
        Pin(*output);  // read after the block
    } else {
        if (target == kModelOutput) return false;  // no pass computes it
        PlanNode(*output, nullptr);
    }
    if (!readable_) return false;
    for (const NodeMap* map : maps_) ComputeConstants(*map->GetRoot());
    if (!outputLive_ && !recorder_) ComputeConstants(*output);
    return true;
}

const Column& ColumnEvaluation::OutputColumn(ColumnPass& pass) const {
    if (recorder_) return output_->OwnColumn();
    if (!outputLive_) return output_->ComputeColumn(pass);
    if (fillVariable_ && output_ == variable_->GetRoot().Get()) return output_->OwnColumn();
    for (const NodeMap* map : maps_)
        if (map->GetRoot().Get() == output_) return *pass.Ready(map);
    // A reference's column is its definition's; every other node's is its own.
    if (output_->GetSourceKind() == kDefinitionReference) return output_->ComputeColumn(pass);
    return output_->OwnColumn();
}

void ColumnEvaluation::Run(const double* x, std::size_t count, double* re, double* im) {
    ColumnPass pass(variable_);
    if (recorder_ && !output_->OwnColumn().IsConstant()) {
        output_->OwnColumn().SetVarying();
        pass.Record(recorder_, output_);
    }
    for (std::size_t start = 0; start < count; start += kColumnBlock) {
        const int size = static_cast<int>(std::min<std::size_t>(kColumnBlock, count - start));
        pass.BeginBlock(x + start, size);
        if (fillVariable_) {
            // The abscissas as the variable stores them: a free parameter as they are, a typed
            // root rounded or restricted.
            Node* root = variable_->GetRoot().Get();
            Column& column = root->OwnColumn();
            if (root->GetTypeId() == kBasicId) {
                for (int i = 0; i < size; ++i) column.Set(i, Complex(x[start + i], 0.0));
                column.MarkReal();
            } else {
                for (int i = 0; i < size; ++i) {
                    pass.SetPoint(i);
                    column.Set(i, root->GetValue());
                }
            }
            column.Pad(size - 1);
            pass.MarkReady(variable_, &column);
        }
        for (const NodeMap* map : maps_) pass.MarkReady(map, &map->GetRoot()->ComputeColumn(pass));
        const Column& out = OutputColumn(pass);
        for (int i = 0; i < size; ++i) {
            const Complex z = out.At(i);
            re[start + static_cast<std::size_t>(i)] = z.real();
            im[start + static_cast<std::size_t>(i)] = z.imag();
        }
    }
}

}  // namespace Core
