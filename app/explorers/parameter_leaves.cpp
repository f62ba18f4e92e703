#include "app/explorers/parameter_leaves.h"

#include "app/explorers/parameter_panels.h"
#include "app/base/wide_text.h"
#include "foundation/label.h"
#include "winplus/gdip_draw.h"

namespace Core {

namespace {

// The node icons, a list image being its icon's offset from the first.
constexpr int kFirstIcon = IDI_NODE_EMPTY;
constexpr int kIconCount = IDI_NODE_BOOLEAN - IDI_NODE_EMPTY + 1;
constexpr int kRefreshCommand = 1;
constexpr int kBarSize = 22;

// The four node icons at the system's size of that kind; the list view destroys the list.
HIMAGELIST IconList(HINSTANCE instance, int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, kIconCount, 1);
    for (int i = 0; list && i < kIconCount; ++i) {
        auto icon = static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(kFirstIcon + i), IMAGE_ICON, width, height, 0));
        if (!icon) continue;
        ImageList_AddIcon(list, icon);
        DestroyIcon(icon);
    }
    return list;
}

void AddColumn(HWND list, int index, const char* text, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

}  // namespace

ControlNodes::ControlNodes(HWND parent, int id) {
    Create(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER, id);
    AddColumn(Handle(), 0, "Parameter", NodeParameters::kParameterColumnWidth);
    AddColumn(Handle(), 1, "Value", NodeParameters::kValueColumnWidth);
    const HINSTANCE instance = Winplus::InstanceOf(parent);
    SetImageList(IconList(instance, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    SetSmallImageList(
        IconList(instance, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
}

void ControlNodes::SetNodes(std::vector<Node::Ptr> nodes) {
    current_ = nullptr;
    nodes_ = std::move(nodes);
    DeleteAll();
    const std::vector<NodeParameters::Row> rows = NodeParameters::Rows(nodes_);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const NodeParameters::Row& row = rows[static_cast<std::size_t>(i)];
        InsertItem(i, Narrow(row.name), row.icon ? row.icon - kFirstIcon : I_IMAGENONE);
        SetItemText(i, 1, Narrow(row.value));
    }
}

Node::Ptr ControlNodes::PickRow(int row) {
    if (Node::Ptr node = NodeParameters::FindListed(nodes_, Wide(GetItemText(row))))
        current_ = node;
    return row >= 0 ? current_ : Node::Ptr();
}

void ControlNodes::ShowValue() {
    if (!current_) return;
    const int row = FindItem(current_->Name());
    if (row >= 0)
        SetItemText(row, 1, Narrow(NodeParameters::ValueText(current_->GetValue().real())));
}

void ControlNodes::ShowValues() {
    const std::vector<NodeParameters::Row> rows = NodeParameters::Rows(nodes_);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        SetItemText(i, 1, Narrow(rows[static_cast<std::size_t>(i)].value));
}

std::optional<LRESULT> ControlNodes::OnNotify(NMHDR& header) {
    if (header.code != static_cast<UINT>(NM_CLICK) || !clicked) return std::nullopt;
    // The row the click was on, as the list found it then.
    clicked(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    return 0;
}

bool NodesEdit::OnCommand(int code) {
    if (code != EN_CHANGE || !changed_) return false;
    changed_();
    return true;
}

class NodesController::RefreshCmd : public Winplus::Command {
public:
    explicit RefreshCmd(NodesController* owner) : owner_(owner) {}
    bool Execute(const int& code) override {
        if (code != kRefreshCommand) return false;
        owner_->Refresh();
        return true;
    }

private:
    NodesController* owner_;  // owns the bar that holds this command
};

NodesController::NodesController() : LeafController(L"Parameters") {
    SetOrientation(0);
}

bool NodesController::OnCreate() {
    LeafController::OnCreate();
    font_ = Winplus::MakeFont();
    list_ = Safe::MakeX<ControlNodes>(Handle(), 1);
    list_->clicked = [this](int row) { OnRowClicked(row); };
    edit_ = Safe::MakeX<NodesEdit>([this] { OnEditChanged(); });
    edit_->Create(Handle(), "EDIT", WS_BORDER | ES_AUTOHSCROLL, 2);
    edit_->SetDefaultFont();
    Winplus::ButtonBar::SetButtonSize({kBarSize, kBarSize});
    Winplus::ButtonBar::SetParent(Window());
    auto buttons = Safe::MakeX<Winplus::ButtonList>();
    buttons->Add(Winplus::ButtonBar::AddPush(IDB_VALIDATE, kRefreshCommand, "Refresh values", -1));
    auto bar = Safe::MakeX<Winplus::ButtonBar>();
    bar->SetButtons(buttons);
    bar_ = Safe::MakeX<Winplus::ToolBar>(Window());
    bar_->Controller()->SetButtonBar(bar);
    bar_->Controller()->SetCommand(Safe::MakeX<RefreshCmd>(this));
    Observe(BusOf<ModelEvent>(), MakeObserver<ModelEvent>([this](ModelEvent code) {
                if (NodeParameters::RefreshesOn(code))
                    Refresh();
                else if (NodeParameters::ShowsValuesOn(code))
                    list_->ShowValues();
            }));
    Refresh();
    return false;
}

void NodesController::Refresh() {
    list_->SetNodes(NodeParameters::ListedNodes());
    shownName_.clear();
    edit_->SetText("");
    edit_->Show(false);
    InvalidateRect(Handle(), &nameBox_, TRUE);
}

void NodesController::OnRowClicked(int row) {
    const Node::Ptr node = list_->PickRow(row);
    if (!node) return;
    shownName_ = Wide(node->Name());
    edit_->SetText(Narrow(NodeParameters::ValueText(node->GetValue().real())));
    edit_->Show(true);
    InvalidateRect(Handle(), &nameBox_, TRUE);
}

void NodesController::OnEditChanged() {
    if (NodeParameters::ApplyText(list_->Current(), edit_->GetText())) list_->ShowValue();
}

void NodesController::Layout(int x, int y, int width, int height, bool repaint) {
    edit_->Move(x + 61, y + 5, width - 84, 14, repaint);
    bar_->Move(width - kBarSize, y, kBarSize, kBarSize, repaint);
    list_->Move(x + 1, y + kBarSize, width - 1, height - kBarSize - 1, repaint);
    nameBox_ = {x + 2, y + 5, x + 60, y + 19};
}

void NodesController::PaintExtra(Gdiplus::GpGraphics* graphics, const RECT&) {
    const Winplus::Box box{nameBox_.left, nameBox_.top, nameBox_.right - nameBox_.left,
                           nameBox_.bottom - nameBox_.top};
    Winplus::DrawText(graphics, font_.Get(), Winplus::Argb(0xFF000000), shownName_, box, &box);
}

NodesLeaf::NodesLeaf(Winplus::Wnd parent) {
    SetController(Safe::MakeX<NodesController>());
    Winplus::CreatePanelWindow("NodesClass", parent, controller_);
}

NodesController* NodesLeaf::Nodes() const {
    return static_cast<NodesController*>(controller_.Get());
}

namespace {

constexpr int kRootImage = IDB_TREE_ROOT - FitParameters::kFirstBitmap;
constexpr int kDefinitionImage = IDB_NODE_REFERENCE - FitParameters::kFirstBitmap;

std::vector<int> NodeBitmaps() {
    std::vector<int> bitmaps;
    for (int i = 0; i < FitParameters::kImageCount; ++i)
        bitmaps.push_back(FitParameters::kFirstBitmap + i);
    return bitmaps;
}

constexpr int kStateBitmaps[] = {IDB_STATE_NONE, IDB_STATE_UNTICKED, IDB_STATE_TICKED};

}  // namespace

ControlParameters::ControlParameters(HWND parent, int id)
    : ExplorerTree(parent, id, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
    SetImages(NodeBitmaps());
    SetStateImages(kStateBitmaps);
    Observe<FitEvent>([this](FitEvent code) {
        if (FitParameters::RefillsOn(code)) Refill();
    });
    Refill();
}

void ControlParameters::Refill() {
    DeleteAll();
    std::vector<HTREEITEM> parents;  // the last item of each depth
    for (const FitParameters::Item& item : FitParameters::TreeItems()) {
        parents.resize(static_cast<std::size_t>(item.depth));
        const int image = FitParameters::ImageOf(item);
        HTREEITEM inserted =
            InsertItem(Narrow(item.text), parents.empty() ? TVI_ROOT : parents.back(), TVI_LAST,
                       image, image, 0, 0);
        if (item.kind == FitParameters::kNodeItem)
            SetCheck(inserted, item.checked);
        else
            RemoveCheck(inserted);
        parents.push_back(inserted);
    }
    // Every item expanded, as the tree was added.
    std::vector<HTREEITEM> open{GetRoot()};
    while (!open.empty()) {
        HTREEITEM item = open.back();
        open.pop_back();
        if (!item) continue;
        Expand(item);
        for (HTREEITEM child = GetChild(item); child; child = GetNextSibling(child))
            open.push_back(child);
    }
}

void ControlParameters::Toggle(HTREEITEM item) {
    const int image = GetItemImage(item);
    if (!item || image == kRootImage || image == kDefinitionImage) return;
    std::wstring definition;
    for (HTREEITEM up = GetParentItem(item); up; up = GetParentItem(up)) {
        if (GetItemImage(up) != kDefinitionImage) continue;
        definition = Wide(GetItemText(up));
        break;
    }
    const bool mark = !IsChecked(item);
    if (!FitParameters::SetMarks(definition, Wide(GetItemText(item)), mark)) return;
    SetCheck(item, mark);
    SetCheckRecursive(item, mark);
    SelectItem(item);
}

std::optional<LRESULT> ControlParameters::OnNotify(NMHDR& header) {
    if (header.code != static_cast<UINT>(NM_CLICK)) return ExplorerTree::OnNotify(header);
    Toggle(HitTest(Winplus::MessagePoint()));
    return TRUE;
}

ParametersLeaf::ParametersLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("FitParametersClass", parent, L"Parameters",
                   [](HWND window) { return Safe::MakeX<ControlParameters>(window, 0); }) {}

}  // namespace Core
