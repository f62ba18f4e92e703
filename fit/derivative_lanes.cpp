// The derivative columns of the Levenberg-Marquardt method on several threads: each thread
// evaluates the shifted grids of the parameters it takes on a model of its own (the working
// model, or a copy of it), so the columns, and with them the fit, are those of one thread.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <thread>

#include "fit/least_squares.h"
#include "model/column_evaluation.h"

namespace Optimize {

namespace {

// The node of the copy that stands where node stands in the model: in the definition of the
// same index, under the same name (a definition's names are its nodes' keys) and of the same
// type.
Core::Node::Ptr Counterpart(const std::vector<Core::NodeMap::Ptr>& maps,
                            const std::vector<Core::NodeMap::Ptr>& copies,
                            const Core::Node::Ptr& node) {
    for (std::size_t i = 0; node && i < maps.size() && i < copies.size(); ++i) {
        if (maps[i]->FindNode(node->Name()) != node) continue;
        const Core::Node::Ptr copy = copies[i]->FindNode(node->Name());
        return copy && copy->GetTypeId() == node->GetTypeId() ? copy : nullptr;
    }
    return nullptr;
}

// True when every reference of the copy leads to a definition of the copy: a definition shared
// with the working model would be evaluated by two threads at once.
bool IsSelfContained(const std::vector<Core::NodeMap::Ptr>& copies) {
    for (const Core::NodeMap::Ptr& map : copies)
        for (const Core::NodeMap::Ptr& target : Core::NodeMap::MapsOf(map->GetReferences()))
            if (std::find(copies.begin(), copies.end(), target) == copies.end()) return false;
    return true;
}

// The relative step of the method's forward differences; a parameter at exactly 0 (or too small
// to move) is not shifted and gets no derivative.
double Shifted(double p) {
    return p * 1.000001;
}
bool Moves(double p) {
    return Shifted(p) != p;
}

}  // namespace

void LevMarqMethod::PrepareLanes() {
    helpers_.reset();
    lanes_.clear();
    Lane own;
    own.model = model_;
    own.unit = spectrum_->GetUnit();
    own.parameters = parameters_;
    own.check = Lane::kSame;
    lanes_.push_back(std::move(own));
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const int limit = threadLimit_ > 0 ? std::min(threadLimit_, cores) : cores;
    const int threads = std::min(limit, static_cast<int>(parameters_.size()));
    // Left to itself, the fit takes threads only for work that outweighs starting them three
    // times a step: residuals times parameters (a spectrum of 10^4 points and 20 parameters).
    const std::size_t points =
        targetSpectrum_ ? static_cast<std::size_t>(targetSpectrum_->Size()) : 0;
    const std::size_t work = points * (fittedPart == kFitComplex ? 2 : 1) * parameters_.size();
    if (threadLimit_ == 0 && work < kParallelWork) return;
    // A model whose values depend on the order or state of its evaluation stays on one thread.
    if (threads < 2 || !model_ || !spectrum_->GetUnit()->EvaluatesPointsIndependently()) return;
    while (static_cast<int>(lanes_.size()) < threads && AddCopyLane()) {
    }
    if (lanes_.size() > 1) helpers_ = std::make_unique<HelperThreads>(lanes_.size() - 1);
}

bool LevMarqMethod::AddCopyLane() {
    Lane lane;
    lane.model = Core::MathMap::Clone(model_);
    const std::vector<Core::NodeMap::Ptr> maps = model_->GetMaps();
    const std::vector<Core::NodeMap::Ptr> copies = lane.model->GetMaps();
    if (copies.size() != maps.size() || !IsSelfContained(copies)) return false;
    auto copyOf = [&](const Core::NodeMap::Ptr& map) -> Core::NodeMap::Ptr {
        const auto at = std::find(maps.begin(), maps.end(), map);
        return at == maps.end() ? nullptr : copies[static_cast<std::size_t>(at - maps.begin())];
    };
    const Core::NodeMap::Ptr definition = copyOf(definition_);
    const Core::NodeMap::Ptr variable = copyOf(variable_);
    const Core::Node::Ptr target = Counterpart(maps, copies, target_);
    if (!definition || !variable || !target) return false;
    for (const Core::Node::Ptr& parameter : parameters_) {
        lane.parameters.push_back(Counterpart(maps, copies, parameter));
        if (!lane.parameters.back()) return false;
    }
    lane.unit = Safe::MakeX<Core::MathUnit>();
    lane.unit->Bind(lane.model, definition, target, variable);
    lane.unit->enabled = false;
    lanes_.push_back(std::move(lane));
    return true;
}

bool LevMarqMethod::ChecksOut(Lane& lane) {
    lane.unit->EvaluateAll(spectrum_->X(), lane.re, lane.im);
    FittedValues(*lane.re, *lane.im, lane.values);
    const bool same = lane.values.size() == modelValues_.size() &&
                      std::memcmp(lane.values.data(), modelValues_.data(),
                                  modelValues_.size() * sizeof(double)) == 0;
    lane.check = same ? Lane::kSame : Lane::kDifferent;
    return same;
}

void LevMarqMethod::EvaluateDerivativeRow(Lane& lane, const std::vector<double>& p, std::size_t i) {
    const std::size_t m = residuals_.size();
    std::vector<double>& derivative = jacobian_[i];
    derivative.resize(m);  // every value is written below
    // The relative step of the method: a parameter at exactly 0 gets no derivative, its row of
    // alpha stays 0 and the next solve fails.
    const double shifted = Shifted(p[i]);
    const double h = shifted - p[i];
    if (h == 0.0) {
        std::fill(derivative.begin(), derivative.end(), 0.0);
        return;
    }
    lane.parameters[i]->SetValue(Core::Complex(shifted, 0.0), 0);
    lane.unit->EvaluateAll(spectrum_->X(), lane.re, lane.im);
    lane.parameters[i]->SetValue(Core::Complex(p[i], 0.0), 0);
    FittedValues(*lane.re, *lane.im, lane.values);
    for (std::size_t k = 0; k < m; ++k) derivative[k] = (lane.values[k] - modelValues_[k]) / h;
}

void LevMarqMethod::OnLanes(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (helpers_ && count > 1)
        helpers_->Run(count, work);
    else
        work(0);
}

bool LevMarqMethod::PlanPaths(Lane& lane, const std::vector<double>& p, std::size_t n,
                              Core::ColumnEvaluation& columns) const {
    std::vector<Core::Node*> parameters;
    std::vector<Core::Complex> base, shifted;
    for (std::size_t i = 0; i < n; ++i) {
        parameters.push_back(lane.parameters[i].Get());
        base.emplace_back(p[i], 0.0);
        shifted.emplace_back(Shifted(p[i]), 0.0);
    }
    return lane.unit->PlanShifts(columns, parameters, base, shifted);
}

void LevMarqMethod::StoreDerivatives(std::size_t i, double h, std::size_t from, std::size_t count,
                                     const Column& values) {
    // The fitted values' layout (FittedValues): the real parts, then the imaginary parts.
    const std::size_t points = static_cast<std::size_t>(spectrum_->X()->Size());
    double* __restrict derivative = jacobian_[i].data() + from;
    const double* __restrict model = modelValues_.data() + from;
    WithReaders(values, [&](auto v) {
        if (fittedPart == kFitReal || fittedPart == kFitComplex)
            for (std::size_t k = 0; k < count; ++k)
                derivative[k] = (v.Re(static_cast<int>(k)) - model[k]) / h;
        const std::size_t imag = fittedPart == kFitComplex ? points : 0;
        if (fittedPart == kFitImag || fittedPart == kFitComplex)
            for (std::size_t k = 0; k < count; ++k)
                derivative[imag + k] = (v.Im(static_cast<int>(k)) - model[imag + k]) / h;
    });
}

void LevMarqMethod::EvaluateDerivativesByPaths(Lane& lane, Core::ColumnEvaluation& columns,
                                               const std::vector<double>& p, std::size_t n,
                                               std::atomic<std::size_t>& nextBlock) {
    const Data& x = *spectrum_->X();
    const std::size_t last = static_cast<std::size_t>(x.Size()) - 1;  // by columns before it
    const std::size_t blocks = (last + kColumnBlock - 1) / kColumnBlock;
    for (std::size_t b = nextBlock.fetch_add(1); b <= blocks; b = nextBlock.fetch_add(1)) {
        if (b < blocks) {
            const std::size_t from = b * kColumnBlock;
            const std::size_t count = std::min<std::size_t>(kColumnBlock, last - from);
            columns.RunShiftedBlock(x.Values().data(), from, static_cast<int>(count),
                                    [&](std::size_t i, const Column& values) {
                                        StoreDerivatives(i, Shifted(p[i]) - p[i], from, count,
                                                         values);
                                    });
            continue;
        }
        // The last point, as EvaluateAll computes it: by the model's per-point path.
        for (std::size_t i = 0; i < n; ++i) {
            if (!columns.Shifts(i)) continue;
            lane.parameters[i]->SetValue(Core::Complex(Shifted(p[i]), 0.0), 0);
            Column value;
            value.SetConstant(lane.unit->EvaluateAt(x[last]));
            lane.parameters[i]->SetValue(Core::Complex(p[i], 0.0), 0);
            StoreDerivatives(i, Shifted(p[i]) - p[i], last, 1, value);
        }
    }
}

void LevMarqMethod::EvaluateDerivativeRows(const std::vector<double>& p, std::size_t n) {
    std::vector<int> before;
    for (const Lane& lane : lanes_) before.push_back(lane.check);
    // The rows of the parameters whose paths the columns can follow are computed block by
    // block: each block once as the model stands, then once per parameter along its path. The
    // others are computed grid by grid, a whole evaluation each.
    const std::size_t points = static_cast<std::size_t>(spectrum_->X()->Size());
    const std::size_t parts = fittedPart == kFitComplex                          ? 2
                              : fittedPart == kFitReal || fittedPart == kFitImag ? 1
                                                                                 : 0;
    Core::ColumnEvaluation ownColumns;
    std::vector<char> byPath(n, 0);
    if (byPaths_ && points >= 2 && parts > 0 && residuals_.size() == parts * points &&
        modelValues_.size() == parts * points && PlanPaths(lanes_[0], p, n, ownColumns))
        for (std::size_t i = 0; i < n; ++i) byPath[i] = ownColumns.Shifts(i) && Moves(p[i]) ? 1 : 0;
    const bool anyByPath = std::find(byPath.begin(), byPath.end(), 1) != byPath.end();
    for (std::size_t i = 0; i < n; ++i) jacobian_[i].resize(residuals_.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> nextBlock{0};
    try {
        OnLanes(lanes_.size(), [&](std::size_t l) {
            Lane& lane = lanes_[l];
            if (l > 0) {
                for (std::size_t i = 0; i < n; ++i)
                    lane.parameters[i]->SetValue(Core::Complex(p[i], 0.0), 0);
                if (lane.check == Lane::kUnchecked && !ChecksOut(lane)) return;
            }
            if (anyByPath) {
                Core::ColumnEvaluation copyColumns;
                Core::ColumnEvaluation& columns = l == 0 ? ownColumns : copyColumns;
                bool same = l == 0 || PlanPaths(lane, p, n, copyColumns);
                for (std::size_t i = 0; same && i < n; ++i)
                    same = (columns.Shifts(i) && Moves(p[i])) == (byPath[i] != 0);
                if (same) EvaluateDerivativesByPaths(lane, columns, p, n, nextBlock);
            }
            for (std::size_t i = next.fetch_add(1); i < n; i = next.fetch_add(1))
                if (!byPath[i]) EvaluateDerivativeRow(lane, p, i);
        });
    } catch (...) {
        lanes_.resize(1);  // the copies may be half way through a grid: never used again
        throw;
    }
    for (std::size_t i = 0; i < n; ++i) gridEvaluations_ += Moves(p[i]) ? 1 : 0;
    for (std::size_t l = 0; l < lanes_.size(); ++l)
        gridEvaluations_ += before[l] == Lane::kUnchecked && lanes_[l].check != Lane::kUnchecked;
    std::erase_if(lanes_, [](const Lane& lane) { return lane.check == Lane::kDifferent; });
}

void LevMarqMethod::BuildNormalEquations(std::size_t n) {
    // The products are summed over blocks of points whose rows stay in the second-level cache
    // while all their products are formed, the blocks spread over the threads; the blocks' sums
    // are then added in order, so the result does not depend on the threads. A block's sums:
    // alpha's lower triangle row by row, then beta.
    constexpr std::size_t kPoints = 1024;
    const std::size_t m = residuals_.size();
    const std::size_t blocks = (m + kPoints - 1) / kPoints;
    const std::size_t triangle = n * (n + 1) / 2, sums = triangle + n;
    blockSums_.assign(blocks * sums, 0.0);
    std::atomic<std::size_t> next{0};
    OnLanes(std::min(lanes_.size(), blocks), [&](std::size_t) {
        for (std::size_t b = next.fetch_add(1); b < blocks; b = next.fetch_add(1)) {
            const std::size_t from = b * kPoints, count = std::min(kPoints, m - from);
            double* out = blockSums_.data() + b * sums;
            for (std::size_t i = 0; i < n; ++i) {
                const double* di = jacobian_[i].data() + from;
                for (std::size_t j = 0; j <= i; ++j)
                    out[i * (i + 1) / 2 + j] = Dot(di, jacobian_[j].data() + from, count);
                out[triangle + i] = Dot(di, residuals_.data() + from, count);
            }
        }
    });
    auto total = [&](std::size_t k) {
        double sum = 0.0;
        for (std::size_t b = 0; b < blocks; ++b) sum += blockSums_[b * sums + k];
        return sum;
    };
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            const double sum = total(i * (i + 1) / 2 + j);
            alpha_.Row(static_cast<int>(i))[j] = sum;
            alpha_.Row(static_cast<int>(j))[i] = sum;
        }
        beta_[i] = total(triangle + i);
    }
}

void LevMarqMethod::EvaluateTrials(double& chi1, double& chi2) {
    // The second trial goes to lane 1 when its thread is there in time, else after the first:
    // lane 1 gives lane 0's values.
    const bool beside = lanes_.size() > 1 && lanes_[1].check == Lane::kSame;
    std::atomic<bool> secondTaken{false};
    OnLanes(beside ? 2 : 1, [&](std::size_t l) {
        if (l == 0) chi1 = EvaluateTrial(lanes_[0], trial1_, trial1Re_, trial1Im_);
        if (!secondTaken.exchange(true))
            chi2 = EvaluateTrial(lanes_[l], trial2_, trial2Re_, trial2Im_);
    });
    gridEvaluations_ += 2;
}

}  // namespace Optimize
