#include "fuzz/round_trip.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "app/project/project_io.h"
#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "model/current.h"

namespace fuzz {

namespace {

using Core::Complex;
using Core::MathMap;
using Core::NodeMap;

constexpr double kAbscissae[] = {-2.5, 0.7, 41.0};

bool SameNumber(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

bool SameValue(const Complex& a, const Complex& b) {
    return SameNumber(a.real(), b.real()) && SameNumber(a.imag(), b.imag());
}

// The value of each definition at each abscissa, given to every variable (inactive definition)
// as the program gives it, from the second of two evaluations; stable tells whether the first
// gave the same.
struct Values {
    std::vector<std::vector<Complex>> at;
    std::vector<std::vector<bool>> stable;
};

Values Evaluate(const MathMap::Ptr& model) {
    const std::vector<NodeMap::Ptr> maps = model->GetMaps();
    Values values;
    for (double abscissa : kAbscissae) {
        for (const NodeMap::Ptr& map : maps)
            if (!map->IsActive()) map->SetValue(Complex(abscissa, 0.0), 0);
        model->EvaluateAll();
        std::vector<Complex> first;
        for (const NodeMap::Ptr& map : maps) first.push_back(map->Value());
        model->EvaluateAll();
        values.at.emplace_back();
        values.stable.emplace_back();
        for (std::size_t i = 0; i < maps.size(); ++i) {
            const Complex value = maps[i]->Value();
            values.at.back().push_back(value);
            values.stable.back().push_back(SameValue(first[i], value));
        }
    }
    return values;
}

// A form: writes the model and reads it back, throwing Winplus::Exception with the reason.
struct Form {
    const char* name;
    std::function<MathMap::Ptr(const MathMap::Ptr&)> saveAndRead;
};

MathMap::Ptr ThroughModelFile(const MathMap::Ptr& model) {
    BinaryWriter writer;
    Core::NodeMapIo(std::vector<std::string>()).WriteMathMap(model, writer);
    BinaryReader reader = BinaryReader::FromBytes(writer.Bytes());
    if (!Core::IsTag(TagMathMap, reader.ReadInt())) throw Winplus::Exception("no model record");
    return Core::NodeMapIo(std::vector<std::string>()).ReadMathMap(reader);
}

MathMap::Ptr ThroughOsml(const MathMap::Ptr& model) {
    const std::string text = Core::Sml::WriteText(Core::Sml::ModelDocument(model));
    const Core::Sml::Document document = Core::Sml::ReadText(text);
    if (!document.ok) throw Winplus::Exception(document.Report());
    Core::Sml::ReadOptions options;
    options.libraryFolder.clear();
    MathMap::Ptr read = Core::Sml::OsmlReader(options).ReadModel(document);
    if (!read) throw Winplus::Exception("no model in the document");
    return read;
}

MathMap::Ptr ThroughProject(const MathMap::Ptr& model) {
    Core::ModelSet models;
    models.Add(model);
    Core::MenuCore::InstallProjectMaps(models);
    const std::string bytes = Core::ProjectIo::Bytes();
    Core::ProjectIo::ReadOptions options;
    options.libraryFolders.clear();
    const Core::ProjectIo::Result result = Core::ProjectIo::ReadBytes(bytes, options);
    if (!result.ok) throw Winplus::Exception(result.message);
    if (Core::Models().Count() != 1) throw Winplus::Exception("not one model in the project");
    return Core::Models().At(0);
}

// What a form's writer refuses on purpose: content that OSML documents cannot hold.
bool RefusedOnPurpose(const char* form, const std::string& message) {
    return std::strcmp(form, "OSML") == 0 && message.find("OSML documents") != std::string::npos;
}

}  // namespace

RoundTrip SaveAndReadBack(const MathMap::Ptr& model) {
    const Form forms[] = {{"model file", ThroughModelFile},
                          {"OSML", ThroughOsml},
                          {"project", ThroughProject}};
    RoundTrip trip;
    trip.written = true;
    // Every form is written before any model is evaluated: evaluation may change parameters.
    std::vector<std::pair<const char*, MathMap::Ptr>> reads;
    for (const Form& form : forms) {
        try {
            reads.emplace_back(form.name, form.saveAndRead(model));
        } catch (const Winplus::Exception& e) {
            trip.written = false;
            (RefusedOnPurpose(form.name, e.GetMessage()) ? trip.refusal : trip.fault) =
                std::string(form.name) + ": " + e.GetMessage();
            if (!trip.fault.empty()) return trip;
        }
    }
    // Every form keeps the definitions in their order; a document names those without a name.
    // The values of inactive definitions are not the model's: a document does not keep them.
    const std::vector<NodeMap::Ptr> maps = model->GetMaps();
    const Values expected = Evaluate(model);
    for (const auto& [form, read] : reads) {
        if (read->MapCount() != model->MapCount()) {
            trip.fault = std::string(form) + ": " + std::to_string(read->MapCount()) +
                         " definitions for " + std::to_string(model->MapCount());
            return trip;
        }
        const Values values = Evaluate(read);
        for (std::size_t a = 0; a < expected.at.size(); ++a)
            for (std::size_t i = 0; i < maps.size(); ++i) {
                if (!maps[i]->IsActive() || !expected.stable[a][i]) continue;
                if (!SameValue(expected.at[a][i], values.at[a][i])) {
                    trip.fault = std::string(form) + ": \"" + maps[i]->Name() + "\" at x = " +
                                 std::to_string(kAbscissae[a]) + " differs";
                    return trip;
                }
            }
    }
    return trip;
}

void RequireRoundTrip(const MathMap::Ptr& model, bool everyForm) {
    const RoundTrip trip = SaveAndReadBack(model);
    if (trip.fault.empty() && (trip.written || !everyForm)) return;
    std::fprintf(stderr, "round trip: %s\n",
                 trip.fault.empty() ? trip.refusal.c_str() : trip.fault.c_str());
    std::abort();
}

}  // namespace fuzz
