#pragma once
// Helpers of the fit tests: models written as formulas, target spectra and the NIST StRD
// nonlinear regression problems.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../io/reader_support.h"
#include "fit/least_squares.h"
#include "functions/families.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"

namespace test {

// A model "m" whose definition "model" is the formula text, e.g. "f(x,a)=a*x"; the argument x
// becomes a reference to the variable "x", the others parameters holding values.
struct FormulaModel {
    Core::MathMap::Ptr model;
    Core::NodeMap::Ptr definition;
    Core::NodeMap::Ptr variable;

    FormulaModel(const std::string& text,
                 const std::vector<std::pair<std::string, double>>& values) {
        Capsule::RegisterFamilies();
        model = Safe::MakeX<Core::MathMap>();
        model->Label::SetName("m");
        variable = model->AddMap(Core::NodeMap::CreateVariable("x"));
        definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
        auto formula = Safe::MakeX<Formula>();
        EXPECT_TRUE(formula->Define(text, false)) << formula->GetMessage();
        auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Core::Node::Create(12));
        capsule->SetFormula(formula);
        definition->ReplaceNode("m", capsule);  // the root of a new function
        auto reference = Safe::MakeX<Core::MapCapsule>();
        reference->SetName("x");
        reference->SetMap(variable);
        definition->ReplaceNode("x", reference);
        model->RebuildOrder();
        for (const auto& [name, value] : values) Set(name, value);
    }

    Core::Node::Ptr Parameter(const std::string& name) const {
        Core::Node::Ptr node = definition->FindNode(name);
        EXPECT_TRUE(node) << name;
        return node;
    }
    std::vector<Core::Node::Ptr> Parameters(const std::vector<std::string>& names) const {
        std::vector<Core::Node::Ptr> nodes;
        for (const std::string& name : names) nodes.push_back(Parameter(name));
        return nodes;
    }
    void Set(const std::string& name, double value) const {
        Parameter(name)->SetValue(Core::Complex(value, 0.0), 0);
    }
    double Value(const std::string& name) const { return Parameter(name)->GetValue().real(); }

    // The model's values at xs, as a spectrum.
    Spectrum::Ptr Sample(const std::vector<double>& xs) const {
        auto spectrum = Safe::MakeX<Core::MathSpectrum>();
        spectrum->Resize(static_cast<int>(xs.size()));
        spectrum->X()->Values() = xs;
        spectrum->GetUnit()->Bind(model, definition, definition->GetRoot(), variable);
        spectrum->GetUnit()->enabled = false;
        spectrum->Refresh();
        return spectrum;
    }

    // The method bound to this model, the target and the parameters, initialised.
    Safe::XPtr<Optimize::LevMarqMethod> Method(const Spectrum::Ptr& target,
                                               const std::vector<std::string>& names,
                                               int part = Optimize::kFitReal) const {
        auto method = Safe::MakeX<Optimize::LevMarqMethod>();
        method->SetData(model, definition, definition->GetRoot());
        method->SetVariableMap(variable);
        method->SetTarget(target);
        method->SetParameters(Parameters(names));
        method->fittedPart = part;
        method->Initialize();
        return method;
    }
};

inline Spectrum::Ptr MakeSpectrum(const std::vector<double>& x, const std::vector<double>& re,
                                  const std::vector<double>& im = {}) {
    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->Resize(static_cast<int>(x.size()));
    spectrum->X()->Values() = x;
    spectrum->Re()->Values() = re;
    if (!im.empty()) spectrum->Im()->Values() = im;
    return spectrum;
}

// A NIST StRD nonlinear regression problem: starting values, certified values and data.
struct NistProblem {
    std::vector<double> start1;
    std::vector<double> start2;
    std::vector<double> certified;
    double certifiedRss = 0.0;
    std::vector<double> x;
    std::vector<double> y;
};

// Parameter lines read "b1 = start1 start2 certified deviation"; data follow the "Data:" line
// with y before x.
inline NistProblem ReadNist(const std::string& name) {
    NistProblem problem;
    std::ifstream file(TestData("nist/" + name + ".dat"));
    EXPECT_TRUE(file) << name;
    std::string line;
    bool data = false;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (data) {
            double x = 0.0;
            double y = 0.0;
            std::istringstream values(line);
            if (values >> y >> x) {
                problem.x.push_back(x);
                problem.y.push_back(y);
            }
        } else if (first.size() >= 2 && first[0] == 'b' && std::isdigit(first[1])) {
            std::string equals;
            double s1 = 0, s2 = 0, certified = 0;
            words >> equals >> s1 >> s2 >> certified;
            problem.start1.push_back(s1);
            problem.start2.push_back(s2);
            problem.certified.push_back(certified);
        } else if (line.find("Residual Sum of Squares:") != std::string::npos) {
            problem.certifiedRss = std::stod(line.substr(line.find(':') + 1));
        } else if (first == "Data:") {
            std::string column;
            data = (words >> column) && column == "y";  // not the "Data: 1 Response" line
        }
    }
    return problem;
}

// Correct significant digits of an estimate (the log relative error), at most 11.
inline double Digits(double estimate, double certified) {
    if (!std::isfinite(estimate)) return 0.0;
    const double error = std::fabs(estimate - certified) / std::fabs(certified);
    if (error == 0.0) return 11.0;
    return std::min(11.0, std::max(0.0, -std::log10(error)));
}

}  // namespace test
