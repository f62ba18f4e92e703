#pragma once
// Models for the record tests: one holding a node of every type the factory makes, with the
// parameters given values of their own and the first argument of each function tied to "x".
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "formula/formula.h"
#include "functions/file_table.h"
#include "io/dll_file.h"
#include "model/constant_capsule.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/math_map.h"
#include "model/versatile_capsule.h"

namespace test {

using Core::Complex;
using Core::MathMap;
using Core::Node;
using Core::NodeMap;

// Every type id the factory makes a node for (the libraries' type 14 is made by its library).
inline std::vector<int> KnownTypeIds() {
    std::vector<int> ids;
    for (int id = 1; id < 100000; ++id)
        if (Node::Create(id)) ids.push_back(id);
    return ids;
}

inline Node::Ptr Reference(const NodeMap::Ptr& map, const std::string& name) {
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetName(name);
    reference->SetMap(map);
    return reference;
}

// Distinct values in the plain parameters, and the first replaceable argument tied to x.
inline void Animate(const Node::Ptr& node, const NodeMap::Ptr& x) {
    int k = 0;
    for (const Node::Ptr& below : node->GetDescendants())
        if (below->GetTypeId() == Core::kBasicId) below->SetValue(Complex(0.25 + 0.5 * ++k, 0), 0);
    if (node->ChildCount() > 0 && node->GetChild(0)->GetTypeId() == Core::kBasicId)
        node->ReplaceChildAt(0, Reference(x, node->GetChild(0)->Name()));
    if (node->IsVariadic()) {
        Node::Ptr item = Node::CreateListItem(node->GetTypeId());
        node->AddChild(item ? item : Node::Create(Core::kBasicId));
        node->AddChild(Reference(x, "xx"));
    }
}

inline Node::Ptr FormulaNode(const std::string& text) {
    auto formula = Safe::MakeX<Formula>();
    formula->Define(text, true);
    auto capsule = Safe::MakeX<Core::FormulaCapsule>();
    capsule->SetFormula(formula);
    return capsule;
}

// A private model "inner": f = a * 3 + g(a, 2), with a a parameter definition.
inline Node::Ptr VersatileNode() {
    MathMap::Ptr inner = MathMap::CreateModel("inner");
    NodeMap::Ptr a = NodeMap::CreateFunction("a");
    a->GetRoot()->SetValue(Complex(2.0, 0), 0);
    inner->AddMap(a);
    NodeMap::Ptr f = NodeMap::CreateFunction("f");
    Node::Ptr plus = Node::Create(200);
    Node::Ptr times = Node::Create(202);
    times->ReplaceChildAt(0, Reference(a, "t0"));
    times->GetChild(1)->SetValue(Complex(3.0, 0), 0);
    plus->ReplaceChildAt(0, times);
    Node::Ptr g = FormulaNode("g(u,v)=u*v+1");
    g->ReplaceChildAt(0, Reference(a, "u"));
    plus->ReplaceChildAt(1, g);
    f->SetRoot(plus);
    inner->AddMap(f);
    auto capsule = Safe::MakeX<Core::VersatileCapsule>();
    capsule->SelectDefinition(inner, "f");
    capsule->SetSource("library");
    return capsule;
}

// The special nodes: references, user capsules, a table and library functions.
inline std::vector<Node::Ptr> SpecialNodes(const MathMap::Ptr& model, const std::string& dll) {
    NodeMap::Ptr x = model->FindMap("x");
    std::vector<Node::Ptr> nodes;
    nodes.push_back(Reference(x, "xr"));
    nodes.push_back(VersatileNode());
    Node::Ptr formula = FormulaNode("h(p,q)=p*p-q/2");
    formula->ReplaceChildAt(0, Reference(x, "p"));
    nodes.push_back(formula);
    auto constant = Safe::MakeX<Core::ConstantCapsule>();
    constant->SetName("k");
    constant->SetSymbolName("k");
    constant->SetValue(Complex(1.75, 0), 0);
    nodes.push_back(constant);
    auto table = Safe::DynamicCast<Capsule::File2C>(Node::Create(230));
    table->SetData({0.0, 1.0, 2.5}, {1.0, -3.0, 2.0});
    table->ReplaceChildAt(0, Reference(x, "x"));
    nodes.push_back(table);
    if (!dll.empty())
        for (const auto& capsule : Core::DllFile::CreateAllCapsules(dll)) {
            Animate(capsule, x);
            nodes.push_back(capsule);
        }
    return nodes;
}

// "x", "model", one definition per known type id, the special nodes, and an inactive one.
inline MathMap::Ptr EveryNodeModel(const std::string& dll) {
    MathMap::Ptr model = MathMap::CreateModel("every node \xE9");
    NodeMap::Ptr x = model->FindMap("x");
    auto add = [&](const std::string& name, const Node::Ptr& root, bool active = true) {
        auto map = Safe::MakeX<NodeMap>();
        map->SetName(name);
        map->SetRoot(root);
        map->SetActive(active);
        model->AddMap(map);
    };
    for (int id : KnownTypeIds()) {
        if (id >= Core::kMapCapsuleId && id <= Core::kDllCapsuleId) continue;
        Node::Ptr node = Node::Create(id);
        Animate(node, x);
        add("t" + std::to_string(id), node);
    }
    int k = 0;
    for (const Node::Ptr& node : SpecialNodes(model, dll)) add("s" + std::to_string(k++), node);
    add("off", Node::Create(Core::kBasicId), false);
    return model;
}

// Same value, NaN equal to NaN.
inline bool SameValue(const Complex& a, const Complex& b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (a != a && b != b);
}

}  // namespace test
