#pragma once
// Models and function libraries written as OSML documents: which element each definition and
// node becomes, and which user capsules travel inside the document as symbols.
#include <string>
#include <vector>

#include "io/sml_markup.h"
#include "model/math_map.h"

namespace Core::Sml {

// With embedSymbols every user capsule is written as defined in the document (source
// "document", its definition among the symbols); without, each keeps the source it carries.
// Both throw Winplus::Exception naming what a document cannot hold (a node without a markup
// form, a number that is not finite).
std::vector<Element::Ptr> ModelDocument(const MathMap::Ptr& model, bool embedSymbols = true);
// Each model is one function symbol whose output is its definition of the model's own name.
std::vector<Element::Ptr> LibraryDocument(const std::vector<MathMap::Ptr>& models);

// Saves a document; a failure is shown in a message box, leaves an existing file as it was and
// gives false.
bool WriteModel(const std::string& path, const MathMap::Ptr& model, bool embedSymbols = true);
bool WriteLibrary(const std::string& path, const std::vector<MathMap::Ptr>& models);

// Numbers as documents carry them: the shortest text that reads back as the same double, and
// integers in decimal digits. Both throw for NaN and infinities, naming the node.
std::string NumberText(double value, const std::string& nodeName);
std::string IntegerText(double value, const std::string& nodeName);

}  // namespace Core::Sml
