#pragma once
// Formula files (.fun): one tagged record holding the text of a user function. Readers and
// writers answer what happened; the commands that call them show the messages.
#include <string>

#include "io/binary_stream.h"
#include "model/node.h"

namespace Core {

// What a formula-file operation did. message is empty exactly when it succeeded.
struct FormulaFileResult {
    // Reader: the new formula node; null unless the file was read and its formula compiled.
    Node::Ptr node;
    // Reader: the formula text the file holds, also when it no longer compiles, so that the
    // editor can show it to be mended.
    std::string text;
    std::string message;
    // The text was read but is not a valid formula: message is the formula's own reason.
    bool formulaError = false;

    bool Succeeded() const { return message.empty(); }
};

class FormulaIo {
public:
    // The record: tag 10410, the text, tag -10410.
    static void WriteRecord(BinaryWriter& writer, const std::string& text);
    // Reads the opening tag ("Invalid formula file." when it is another value) and the text.
    // The closing tag is left unread: a file that lacks it still yields its formula.
    static std::string ReadRecord(BinaryReader& reader);

    // Writes a formula node's definition beside the file and then replaces the file, so a
    // failed write keeps the old one. "Internal error." for a node that is not a formula node
    // holding a formula; stream failures with their messages.
    static FormulaFileResult WriteFormulaFile(const Node::Ptr& node, const std::string& path);
    // Reads the file into a new formula node. Stream failures and a wrong tag give no text; a
    // text that does not compile gives the text, no node and the formula's message.
    static FormulaFileResult ReadFormulaFile(const std::string& path);
};

}  // namespace Core
