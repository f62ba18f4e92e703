#pragma once
// The help texts the status bar shows for a node picked in the selectors: a catalogue label and
// a one-line description, by node type id.
#include <span>
#include <string>

#include "model/node.h"

namespace Core {

struct NodeHelpRow {
    int typeId;
    const wchar_t* label;  // null: the row has a description only
    const wchar_t* description;
};

// Every row, in increasing type id.
std::span<const NodeHelpRow> NodeHelpRows();

// A null node changes nothing. Otherwise the row of the node's type id gives the label (where the
// row has one) and the description; a type id without a row leaves both as they were.
void NodeHelp(const Node* node, std::wstring& label, std::wstring& description);

}  // namespace Core
