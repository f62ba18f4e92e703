#pragma once
// The OSML vocabulary: every name a markup document may carry (element names, built-in functions
// and constants) with its id, and the table that joins function and constant ids to node types.
// Both tables are built on first use and only read afterwards.
#include <string>

namespace Core::Sml {

// Structural ids the reader and writer treat specially.
enum MarkupIds {
    kCommentId = 2,
    kOsmlId = 10,
    kSecureId = 11,
    kAnnotationId = 12,
    kSemanticsId = 13,
    kSymbolId = 14,
    kArgumentId = 15,
    kMathId = 17,
    kDefinitionId = 18,
    kApplyId = 19,
    kFunctionId = 20,
    kConstantId = 21,
    kSequenceId = 22,
    kElementId = 23,
    kLinkId = 24,
    kNumberId = 25,
    kSepId = 26,
    kFormulaId = 27,
    kStringId = 310,
    kFirstConstantCode = 10000,
};

// The id of a name, -1 when the vocabulary lacks it (case-sensitive).
int MarkupId(const std::string& name);
// The name of an id, empty when it has none.
std::string MarkupName(const int& id);

// The OSML code of a node type and back; -1 when there is none.
int GetCode(const int& typeId);
int GetType(const int& code);

}  // namespace Core::Sml
