#include "io/formula_io.h"

#include "foundation/exception.h"
#include "model/factory.h"
#include "model/formula_capsule.h"

namespace Core {

void FormulaIo::WriteRecord(BinaryWriter& writer, const std::string& text) {
    writer.WriteInt(TagFormulaFile);
    writer.WriteString(text);
    writer.WriteInt(-TagFormulaFile);
}

std::string FormulaIo::ReadRecord(BinaryReader& reader) {
    if (!IsTag(TagFormulaFile, reader.ReadInt())) throw Winplus::Exception("Invalid formula file.");
    return reader.ReadString();
}

FormulaFileResult FormulaIo::WriteFormulaFile(const Node::Ptr& node, const std::string& path) {
    FormulaFileResult result;
    try {
        auto capsule = Safe::DynamicCast<FormulaCapsule>(node);
        // Checked before the file is touched: an empty node never replaces a saved formula.
        if (!capsule || capsule->GetTypeId() != kFormulaCapsuleId || !capsule->GetFormula())
            throw Winplus::Exception("Internal error.");
        result.text = capsule->GetFormulaText();
        BinaryWriter writer(path);
        WriteRecord(writer, result.text);
        writer.Commit();
    } catch (const Winplus::Exception& e) {
        result.message = e.GetMessage();
    }
    return result;
}

FormulaFileResult FormulaIo::ReadFormulaFile(const std::string& path) {
    FormulaFileResult result;
    try {
        BinaryReader reader(path);
        result.text = ReadRecord(reader);
    } catch (const Winplus::Exception& e) {
        result.message = e.GetMessage();
        return result;
    }
    auto formula = Safe::MakeX<Formula>();
    if (!formula->Define(result.text, false)) {
        // The text stays with the caller rather than a placeholder formula that evaluates to 0.
        result.message =
            formula->GetMessage().empty() ? "Invalid formula file." : formula->GetMessage();
        result.formulaError = true;
        return result;
    }
    auto capsule = Safe::DynamicCast<FormulaCapsule>(Node::Create(kFormulaCapsuleId));
    capsule->SetFormula(formula);
    result.node = capsule;
    return result;
}

}  // namespace Core
