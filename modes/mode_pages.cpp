#include "modes/mode_pages.h"

#include "foundation/event_bus.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/associations.h"
#include "modes/builder_core.h"

namespace Core {

namespace {

using Winplus::Property;

// What a page with association rows edits: its core's flags and move settings, and the node
// whose associations it shows with the core's setters.
struct PageSubject {
    ToolCore& (*tool)();
    MoveSettings& (*moves)();
    Node* (*node)();
    std::vector<std::string> (*names)();
    void (*bind)(int slot, const std::string& name);
    void (*partner)(int slot, const std::string& name);
    void (*force)(int slot, int mode);
};

// Row indices of the association pages, counted after the builder's "Function" row.
enum Row {
    kUpdateView = 1,
    kAutoUser = 2,
    kXHeader = 3,
    kYHeader = 10,
    kMoveHeader = 17,
    kXType = 18,
    kXValue = 19,
    kXPercent = 20,
    kYType = 21,
    kYValue = 22,
    kYPercent = 23,
    kRowCount = 24
};

// An association row: the slot it edits and which of node (0), partner (1) or force (2).
struct Association {
    int slot = -1;
    int part = -1;
};
Association AssociationOf(int row) {
    if (row <= kXHeader || row >= kMoveHeader || row == kYHeader) return {};
    const int axis = row < kYHeader ? 0 : 1;
    const int k = row - (axis == 0 ? kXHeader : kYHeader) - 1;  // 0 to 5: hit, then move
    return {k < 3 ? axis : axis + 2, k % 3};
}

Safe::XPtr<Property> NewRow(int kind, const wchar_t* name, std::vector<std::string> choices = {}) {
    Safe::XPtr<Property> row = Property::Create(kind, name);
    row->choices = std::move(choices);
    return row;
}

class Page {
public:
    Page(const wchar_t* title, bool function, const PageSubject* subject)
        : title_(title), offset_(function ? 1 : 0), subject_(subject) {}

    PropertyRows& Rows() { return rows_; }
    void Refresh();
    bool Apply(int row);
    void Forget() { rows_.clear(); }

private:
    void Create();
    void RefreshAssociations();
    Property& At(int row) { return *rows_[static_cast<std::size_t>(row + offset_)]; }

    const wchar_t* title_;
    int offset_;
    // None for the anchor page: its rows end at AutoUser.
    const PageSubject* subject_;
    PropertyRows rows_;
};

void Page::Create() {
    rows_.push_back(NewRow(Winplus::kHeaderRow, title_));
    if (offset_) rows_.push_back(NewRow(Winplus::kStringRow, L"Function"));
    rows_.push_back(NewRow(Winplus::kBooleanRow, L"UpdateView"));
    rows_.push_back(NewRow(Winplus::kBooleanRow, L"AutoUser"));
    if (!subject_) return;
    const std::vector<std::string> forces{"NONE", "EQUAL", "GAP", "RATIO"};
    for (const wchar_t* header : {L"X Event associations", L"Y Event associations"}) {
        rows_.push_back(NewRow(Winplus::kHeaderRow, header));
        for (const wchar_t* use : {L"Hit", L"Move"}) {
            const std::wstring name(use);
            rows_.push_back(NewRow(Winplus::kListRow, name.c_str()));
            rows_.push_back(NewRow(Winplus::kListRow, (name + L"-Partner").c_str()));
            rows_.push_back(NewRow(Winplus::kListRow, (name + L"-Force").c_str(), forces));
        }
    }
    rows_.push_back(NewRow(Winplus::kHeaderRow, L"Move type and speed"));
    const std::vector<std::string> types{"ABSOLUTE", "VALUE", "PERCENT"};
    for (const wchar_t* axis : {L"X", L"Y"}) {
        const std::wstring name(axis);
        rows_.push_back(NewRow(Winplus::kListRow, (name + L"-Type").c_str(), types));
        rows_.push_back(NewRow(Winplus::kDoubleRow, (name + L"-Value").c_str()));
        rows_.push_back(NewRow(Winplus::kDoubleRow, (name + L"-Percent").c_str()));
    }
}

void Page::Refresh() {
    if (rows_.empty()) Create();
    if (!subject_) {
        At(kUpdateView).SetBoolean(AnchorCore::Tool().updateView);
        At(kAutoUser).SetBoolean(AnchorCore::Tool().autoUser);
        return;
    }
    if (offset_) rows_[1]->SetText(BuilderCore::GetPrototypeName());
    At(kUpdateView).SetBoolean(subject_->tool().updateView);
    At(kAutoUser).SetBoolean(subject_->tool().autoUser);
    RefreshAssociations();
    const MoveSettings& moves = subject_->moves();
    for (int axis : {0, 1}) {
        const int type = axis == 0 ? kXType : kYType;
        At(type).SetText(MoveTypeText(moves.GetMoveType(axis)));
        At(type + 1).SetDouble(moves.GetValue(axis));
        At(type + 2).SetDouble(moves.GetPercent(axis));
    }
}

void Page::RefreshAssociations() {
    Node* node = subject_->node();
    const std::vector<std::string> names = subject_->names();
    for (int row = kXHeader + 1; row < kMoveHeader; ++row) {
        const Association a = AssociationOf(row);
        if (a.part < 0) continue;
        Property& property = At(row);
        if (a.part == 2) {
            property.SetText(ForceText(Associations::Mode(node, a.slot)));
            continue;
        }
        property.choices = names;
        property.SetText(a.part == 0 ? Associations::BoundName(node, a.slot)
                                     : Associations::PartnerName(node, a.slot));
    }
}

bool Page::Apply(int row) {
    row -= offset_;
    if (rows_.empty() || row < kUpdateView || row + offset_ >= static_cast<int>(rows_.size()))
        return false;
    ToolCore& tool = subject_ ? subject_->tool() : AnchorCore::Tool();
    if (row == kUpdateView || row == kAutoUser) {
        (row == kUpdateView ? tool.updateView : tool.autoUser) = At(row).booleanValue;
        return true;
    }
    const Property& property = At(row);
    if (const Association a = AssociationOf(row); a.part >= 0) {
        if (a.part == 0) subject_->bind(a.slot, property.GetText());
        if (a.part == 1) subject_->partner(a.slot, property.GetText());
        if (a.part == 2) subject_->force(a.slot, ForceOfText(property.GetText()));
        return true;
    }
    MoveSettings& moves = subject_->moves();
    const int axis = row >= kYType ? 1 : 0;
    switch (row - (axis == 0 ? kXType : kYType)) {
        case 0: moves.SetMoveType(axis, MoveTypeOfText(property.GetText())); return true;
        case 1: moves.SetValue(axis, property.doubleValue); return true;
        case 2: moves.SetPercent(axis, property.doubleValue); return true;
        default: return false;  // the headers
    }
}

Node* AdjustedNode() {
    return AdjustCore::GetAssociationNode();
}

const PageSubject kAdjustSubject{&AdjustCore::Tool,
                                 &AdjustCore::Moves,
                                 &AdjustedNode,
                                 &AdjustCore::GetNodeNames,
                                 &AdjustCore::SetAnchorChildByName,
                                 &AdjustCore::SetAnchorChild,
                                 &AdjustCore::SetAnchorMode};
const PageSubject kBuilderSubject{&BuilderCore::Tool,
                                  &BuilderCore::Moves,
                                  &BuilderCore::GetAssociationNode,
                                  &BuilderCore::GetNodeNames,
                                  &BuilderCore::SetAnchorChildByName,
                                  &BuilderCore::SetAnchorChild,
                                  &BuilderCore::SetAnchorMode};

Page& AdjustPage() {
    static Page page(L"Adjustment Properties", false, &kAdjustSubject);
    return page;
}
Page& AnchorPage() {
    static Page page(L"Anchor Properties", false, nullptr);
    return page;
}
Page& BuilderPage() {
    static Page page(L"Builder Properties", true, &kBuilderSubject);
    return page;
}

void ForgetPages() {
    AdjustPage().Forget();
    AnchorPage().Forget();
    BuilderPage().Forget();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ForgetPages);

}  // namespace

std::string ForceText(int force) {
    switch (force) {
        case 0: return "EQUAL";
        case 1: return "RATIO";
        case 2: return "GAP";
        default: return "NONE";
    }
}

int ForceOfText(const std::string& text) {
    if (text == "EQUAL") return 0;
    if (text == "RATIO") return 1;
    if (text == "GAP") return 2;
    return -1;
}

std::string MoveTypeText(int type) {
    return type == kMoveValue ? "VALUE" : type == kMovePercent ? "PERCENT" : "ABSOLUTE";
}

int MoveTypeOfText(const std::string& text) {
    return text == "VALUE" ? kMoveValue : text == "PERCENT" ? kMovePercent : kMoveAbsolute;
}

PropertyRows AdjustmentController::GetProperties() {
    return AdjustPage().Rows();
}
void AdjustmentController::RefreshProperties() {
    AdjustPage().Refresh();
}
bool AdjustmentController::ApplyProperty(const int& row) {
    return AdjustPage().Apply(row);
}

PropertyRows AnchorsController::GetProperties() {
    return AnchorPage().Rows();
}
void AnchorsController::RefreshProperties() {
    AnchorPage().Refresh();
}
bool AnchorsController::ApplyProperty(const int& row) {
    return AnchorPage().Apply(row);
}

PropertyRows BuilderController::GetProperties() {
    return BuilderPage().Rows();
}
void BuilderController::RefreshProperties() {
    BuilderPage().Refresh();
}
bool BuilderController::ApplyProperty(const int& row) {
    return BuilderPage().Apply(row);
}

}  // namespace Core
