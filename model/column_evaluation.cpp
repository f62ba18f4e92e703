#include "model/column_evaluation.h"

#include <algorithm>
#include <cstring>

#include "model/column.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
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
        if (fillVariable_) FillVariable(pass, x + start, size);
        for (const NodeMap* map : maps_) pass.MarkReady(map, &map->GetRoot()->ComputeColumn(pass));
        const Column& out = OutputColumn(pass);
        for (int i = 0; i < size; ++i) {
            const Complex z = out.At(i);
            re[start + static_cast<std::size_t>(i)] = z.real();
            im[start + static_cast<std::size_t>(i)] = z.imag();
        }
    }
}

void ColumnEvaluation::FillVariable(ColumnPass& pass, const double* x, int size) {
    // The abscissas as the variable stores them: a free parameter as they are, a typed root
    // rounded or restricted.
    Node* root = variable_->GetRoot().Get();
    Column& column = root->OwnColumn();
    if (root->GetTypeId() == kBasicId) {
        for (int i = 0; i < size; ++i) column.Set(i, Complex(x[i], 0.0));
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

bool ColumnEvaluation::CollectShiftNodes(Node& node) {
    shiftNodes_.insert(&node);
    const bool constant = node.OwnColumn().IsConstant();
    if (constant) constants_.push_back(&node);
    if (node.GetSourceKind() == kDefinitionReference) {
        auto* reference = dynamic_cast<MapCapsule*>(&node);
        if (!reference) return false;
        references_.emplace_back(&node, reference->GetMap().Get());
        return true;
    }
    // A varying node evaluated point by point reads its children's values, not their columns.
    if (!constant && node.GetColumnKind() != kColumnOwn) return false;
    // A formula keeps its groups' columns for one node: two nodes sharing it would mix them.
    if (auto* capsule = dynamic_cast<FormulaCapsule*>(&node))
        if (!constant && !formulas_.insert(capsule->GetFormula().Get()).second) return false;
    for (int i = 0; i < node.ChildCount(); ++i)
        if (!CollectShiftNodes(*node.Child(i))) return false;
    return true;
}

bool ColumnEvaluation::PrepareShifts(const std::vector<Node*>& parameters,
                                     const std::vector<Complex>& base,
                                     const std::vector<Complex>& shifted) {
    shifts_.clear();
    constants_.clear();
    references_.clear();
    shiftNodes_.clear();
    formulas_.clear();
    if (!outputLive_ || recorder_ || !readable_ || parameters.size() != base.size() ||
        parameters.size() != shifted.size())
        return false;
    for (const NodeMap* map : maps_)
        if (!CollectShiftNodes(*map->GetRoot())) return false;
    std::vector<Complex> baseConstants;
    for (Node* node : constants_) baseConstants.push_back(node->OwnColumn().Value());
    auto computeConstants = [this] {
        for (const NodeMap* map : maps_) ComputeConstants(*map->GetRoot());
    };
    auto same = [](const Complex& a, const Complex& b) {
        return std::memcmp(&a, &b, sizeof(Complex)) == 0;
    };
    shifts_.resize(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        Node* parameter = parameters[i];
        Shift& shift = shifts_[i];
        if (!parameter || parameter->ChildCount() != 0 || !shiftNodes_.count(parameter) ||
            !parameter->OwnColumn().IsConstant())
            continue;
        for (Node* node = parameter; node; node = node->ParentNode()) shift.path.insert(node);
        // Every reference to a definition whose root the shift reaches is reached in turn.
        for (bool grown = true; grown;) {
            grown = false;
            for (const auto& [node, map] : references_) {
                if (shift.path.count(node) || !map || !map->GetRoot() ||
                    !shift.path.count(map->GetRoot().Get()))
                    continue;
                for (Node* up = node; up; up = up->ParentNode()) shift.path.insert(up);
                grown = true;
            }
        }
        parameter->SetValue(shifted[i], 0);
        computeConstants();
        parameter->SetValue(base[i], 0);
        shift.usable = true;
        for (std::size_t c = 0; c < constants_.size(); ++c) {
            const Complex value = constants_[c]->OwnColumn().Value();
            if (same(value, baseConstants[c])) continue;
            if (!shift.path.count(constants_[c])) shift.usable = false;
            shift.constants.push_back({constants_[c], {value, baseConstants[c]}});
        }
    }
    computeConstants();
    for (std::size_t c = 0; c < constants_.size(); ++c)
        if (!same(constants_[c]->OwnColumn().Value(), baseConstants[c])) return false;
    shiftPass_ = std::make_unique<ColumnPass>(variable_);
    return true;
}

const Column& ColumnEvaluation::BaseColumn(const ColumnPass& pass, Node& node) {
    if (node.OwnColumn().IsConstant()) return node.OwnColumn();
    const Column* kept = pass.Kept(&node);
    return kept ? *kept : node.OwnColumn();
}

void ColumnEvaluation::RunShiftedBlock(const double* x, std::size_t start, int size,
                                       const std::function<void(std::size_t, const Column&)>& out) {
    ColumnPass& pass = *shiftPass_;
    pass.BeginBlock(x + start, size);
    if (fillVariable_) FillVariable(pass, x + start, size);
    pass.SetMode(ColumnPass::kKeeping);
    for (const NodeMap* map : maps_) pass.MarkReady(map, &map->GetRoot()->ComputeColumn(pass));
    pass.SetMode(ColumnPass::kReplaying);
    for (std::size_t i = 0; i < shifts_.size(); ++i) {
        const Shift& shift = shifts_[i];
        if (!shift.usable) continue;
        for (const auto& [node, values] : shift.constants) node->OwnColumn().SetConstant(values.first);
        pass.BeginReplay(&shift.path);
        if (fillVariable_) pass.MarkReady(variable_, &variable_->GetRoot()->OwnColumn());
        for (const NodeMap* map : maps_) {
            Node& root = *map->GetRoot();
            pass.MarkReady(map, pass.OnPath(&root) ? &root.ComputeColumn(pass)
                                                   : &BaseColumn(pass, root));
        }
        out(i, pass.OnPath(output_) ? OutputColumn(pass) : BaseColumn(pass, *output_));
        for (const auto& [node, values] : shift.constants)
            node->OwnColumn().SetConstant(values.second);
    }
    pass.SetMode(ColumnPass::kOrdinary);
    pass.BeginReplay(nullptr);
}

}  // namespace Core
