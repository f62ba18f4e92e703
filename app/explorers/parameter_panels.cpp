#include "app/explorers/parameter_panels.h"

#include <sstream>

#include "app/base/wide_text.h"
#include "foundation/label.h"
#include "foundation/text.h"
#include "model/current.h"
#include "modes/fit_core.h"
#include "modes/fit_page.h"

namespace Core {

namespace {

constexpr int kDefinitionReferenceType = 10;

}  // namespace

namespace NodeParameters {

std::wstring ValueText(double value) {
    std::wostringstream out;
    out.precision(16);
    out << value;
    return out.str();
}

int IconOfType(int typeId) {
    switch (typeId) {
        case 100: return IDI_NODE_EMPTY;
        case 600: return IDI_NODE_INTEGER;
        case 602: return IDI_NODE_REAL;
        case 604: return IDI_NODE_BOOLEAN;
        default: return 0;
    }
}

bool RefreshesOn(ModelEvent code) {
    return code == ModelEvent::kModelsReset || code == ModelEvent::kDefinitionEdited ||
           code == ModelEvent::kCurrentNodeChanged;
}

bool ShowsValuesOn(ModelEvent code) {
    return code == ModelEvent::kParametersChanged && !FitCore::IsRunning();
}

std::vector<Node::Ptr> ListedNodes() {
    std::vector<Node::Ptr> listed;
    if (Node::Ptr current = MenuCore::GetCurrentNode()) {
        std::vector<Node*> active;
        current->CollectActive(active);
        for (Node* node : active) listed.push_back(Node::Ptr(node));
    }
    return listed;
}

std::vector<Row> Rows(const std::vector<Node::Ptr>& nodes) {
    std::vector<Row> rows;
    for (const Node::Ptr& node : nodes)
        rows.push_back({Wide(node->Name()), ValueText(node->GetValue().real()),
                        IconOfType(node->GetTypeId())});
    return rows;
}

Node::Ptr FindListed(const std::vector<Node::Ptr>& nodes, const std::wstring& name) {
    for (const Node::Ptr& node : nodes)
        if (Wide(node->Name()) == name) return node;
    return Node::Ptr();
}

bool ApplyText(const Node::Ptr& node, const std::string& text) {
    double value = 0.0;
    if (!node || !IsNumber(text) || !ToDouble(text, &value) || value == node->GetValue().real())
        return false;
    node->SetValue(Complex(value, 0.0), 0);
    MenuCore::Notify(ModelEvent::kParametersChanged);
    return true;
}

}  // namespace NodeParameters

namespace FitParameters {

namespace {

void AddSubtree(std::vector<Item>& items, const Node::Ptr& node, int depth) {
    if (!node || node->GetTypeId() == kDefinitionReferenceType) return;
    items.push_back({depth, kNodeItem, Wide(node->Name()), node->GetTypeId(), node->IsMarked()});
    for (const Node::Ptr& child : node->GetChildren()) AddSubtree(items, child, depth + 1);
}

}  // namespace

namespace {

// The bitmap of a node type's family.
int BitmapOfType(int type) {
    const auto in = [type](int first, int last) { return type >= first && type <= last; };
    if (type == 604) return IDB_NODE_BOOLEAN;
    if (type == 600) return IDB_NODE_INTEGER;
    if (type == 601) return IDB_NODE_RATIONAL;
    if (type == 602) return IDB_NODE_REAL;
    if (type == 603) return IDB_NODE_COMPLEX;
    if (in(500, 501)) return IDB_NODE_RANDOM;
    if (in(400, 409) || type == 13) return IDB_NODE_CONSTANT;
    if (type == 100) return IDB_NODE_EMPTY;
    if (type == 207) return IDB_NODE_PRODUCT;
    if (type == 208) return IDB_NODE_SUM;
    if (type == 209) return IDB_NODE_MEAN;
    if (in(101, 214) || in(4000, 4002)) return IDB_NODE_OPERATOR;  // operators, integrators
    if (in(300, 337) || in(700, 799) || in(900, 926) || in(1100, 1103) || in(1200, 1205) ||
        in(5000, 5003))
        return IDB_NODE_FUNCTION;
    if (in(800, 805)) return IDB_NODE_INTERPOLATION;
    if (type == 11) return IDB_NODE_VERSATILE;
    if (type == 12) return IDB_NODE_FORMULA;
    if (type == 899 || type == 2001) return IDB_NODE_POINT;  // points and pairs
    if (type == 2101 || type == 2102) return IDB_NODE_POINT_LIST;
    if (type == 14) return IDB_NODE_DLL;
    return IDB_NODE_SPARE;
}

}  // namespace

int ImageOf(const Item& item) {
    switch (item.kind) {
        case kRootItem: return IDB_TREE_ROOT - kFirstBitmap;
        case kDefinitionItem: return IDB_NODE_REFERENCE - kFirstBitmap;
        default: return BitmapOfType(item.typeId) - kFirstBitmap;
    }
}

bool RefillsOn(FitEvent code) {
    return code == FitEvent::kMathPathChanged;
}

std::vector<Item> TreeItems() {
    std::vector<Item> items{{0, kRootItem, L"Parameters"}};
    AddSubtree(items, FitCore::GetTargetNode(), 1);
    for (const NodeMap::Ptr& definition : FitCore::GetReferencedMaps()) {
        if (!definition || !definition->IsActive()) continue;
        items.push_back({1, kDefinitionItem, Wide(definition->GetName())});
        AddSubtree(items, definition->GetRoot(), 2);
    }
    return items;
}

bool SetMarks(const std::wstring& definition, const std::wstring& node, bool mark) {
    // The working model's nodes (their counts too) are the worker's while a fit runs.
    if (FitController::RefusedDuringFit()) return false;
    const MathMap::Ptr model = FitCore::GetWorkingModel();
    if (!model) return false;
    NodeMap::Ptr map = FitCore::GetDefinition();
    if (!definition.empty()) {
        map = nullptr;
        for (const NodeMap::Ptr& candidate : model->GetMaps())
            if (Wide(candidate->GetName()) == definition) map = candidate;
    }
    if (!map || !map->GetRoot()) return false;
    std::vector<Node::Ptr> nodes{map->GetRoot()};
    for (const Node::Ptr& below : map->GetRoot()->GetDescendants()) nodes.push_back(below);
    for (const Node::Ptr& candidate : nodes) {
        if (Wide(candidate->Name()) != node) continue;
        candidate->SetMarkRecursive(mark);
        return true;
    }
    return false;
}

}  // namespace FitParameters

}  // namespace Core
