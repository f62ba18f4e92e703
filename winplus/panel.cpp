#include "winplus/panel.h"

#include <algorithm>

#include "winplus/gdip_draw.h"
#include "winplus/panel_layout.h"
#include "winplus/resource_ids.h"

namespace Winplus {

namespace {
constexpr int kCollapseId = 1;
}  // namespace

void CreatePanelWindow(const std::string& className, Wnd parent,
                       const Safe::XPtr<Controller>& controller) {
    RegisterClassOnce(className, InstanceOf(parent.Handle()), {false, IDC_ARROW});
    WindowMaker maker(className, parent, 0);
    maker.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    maker.Create(controller);
}

PanelContainer::PanelContainer(Wnd parent, unsigned char orientation) {
    orientation_ = orientation;
    controller_ = Safe::MakeX<PanelController>();
    CreatePanelWindow("PanelClass", parent, controller_);
    ownCommand_ = Safe::MakeX<Cmd>(this);
}

void PanelContainer::Add(Safe::XPtr<Panel> child) {
    if (!child) return;
    PanelController& added = *child->Controller();
    added.containerCommand = ownCommand_;
    added.ownCommand = Safe::MakeX<Cmd>(child.Get());
    if (!children_.empty()) children_.back()->Controller()->next = child->Controller();
    children_.push_back(child);
}

void PanelContainer::Move(int x, int y, int width, int height, bool repaint) {
    controller_->Move(x, y, width, height, repaint);
    Layout();
}

bool PanelContainer::Layout() {
    RECT client{};
    GetClientRect(controller_->Handle(), &client);
    const int extent = controller_->GetMinExtent();
    const int header = controller_->headerSize;
    int x = 0, y = 0;
    int width = client.right, height = client.bottom;
    if (orientation_ == 1) {
        x = header;
        width = std::max<int>(client.right - extent, 0);
    } else {
        y = header;
        height = std::max<int>(client.bottom - extent, 0);
    }
    std::vector<PanelShare> shares;
    for (const auto& child : children_) {
        PanelController& c = *child->Controller();
        shares.push_back({c.visible, c.stretchable, c.weight, c.GetMinExtent()});
    }
    const std::vector<int> extents = ShareLength(shares, orientation_ == 1 ? height : width);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (!shares[i].visible) continue;
        if (orientation_ == 1) {
            children_[i]->Move(x, y, width, extents[i], true);
            y += extents[i];
        } else {
            children_[i]->Move(x, y, extents[i], height, true);
            x += extents[i];
        }
    }
    return true;
}

void PanelLeaf::Move(int x, int y, int width, int height, bool repaint) {
    controller_->Move(x, y, width, height, repaint);
}

void PanelDesigner::Paint(Gdiplus::GpGraphics* graphics) {
    const int right = caption.right, bottom = caption.bottom;
    // Wine makes a new family at every request of the generic one: the process keeps one.
    const GdipFont font = MakeFont();
    DrawText(graphics, font.Get(), 0xFF000000, text, textBox, nullptr);

    // Lines fading from dark grey at the left edge to white at the right.
    GdipBrush gradient;
    const Gdiplus::Point from(0, 0), to(std::max<int>(right, 1), 0);
    Gdip::GdipCreateLineBrushI(&from, &to, 0xFF404040, 0xFFFFFFFF, Gdiplus::WrapModeTile,
                               reinterpret_cast<Gdiplus::GpLineGradient**>(gradient.Put()));
    GdipPen fading;
    if (gradient.Get())
        Gdip::GdipCreatePen2(gradient.Get(), 1.0f, Gdiplus::UnitPixel, fading.Put());
    if (fading.Get()) {
        Gdip::GdipDrawLineI(graphics, fading.Get(), 0, 0, right, 0);
        if (!noBottomLine)
            Gdip::GdipDrawLineI(graphics, fading.Get(), 0, bottom - 1, right, bottom - 1);
    }
    GdipPen dark;
    Gdip::GdipCreatePen1(0xFF404040, 1.0f, Gdiplus::UnitPixel, dark.Put());
    if (dark.Get()) Gdip::GdipDrawLineI(graphics, dark.Get(), 0, 0, 0, bottom);
}

int PanelController::GetMinExtent() {
    return headerSize + (stretchable ? splitterSize : 0);
}

void PanelController::SetHeaderSize(const bool& on, const int& pixels) {
    headerOn = on;
    headerSize = on ? pixels : 0;
}

void PanelController::SetSplitterSize(const bool& on, const int& pixels) {
    splitterOn = on;
    splitterSize = on ? pixels : 0;
}

void PanelController::SetOrientation(const int& mode) {
    if (mode == 0) resizeInHeight = true;
    if (mode == 1) resizeInHeight = false;
}

void PanelController::Show(const bool& show) {
    visible = show;
    if (Handle()) ShowWindow(Handle(), show ? SW_SHOW : SW_HIDE);
}

bool PanelController::NearSplitter(POINT screen) const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int distance = resizeInHeight ? r.bottom - screen.y : r.right - screen.x;
    return distance <= splitterSize;
}

POINT PanelController::OnScreen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(Handle(), &point);
    return point;
}

// The press, the moves and the release each take their position from their message: when they
// queue up behind a long repaint, the pointer has long moved on by the time they are handled.
bool PanelController::OnLButtonDown(int x, int y, unsigned) {
    last_ = OnScreen(x, y);
    if (!NearSplitter(last_)) return false;
    dragging_ = true;
    SetCapture(Handle());
    return false;
}

// The cursor's shape follows the pointer where it is now.
bool PanelController::OnSetCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool edge = stretchable && NearSplitter(cursor);
    ::SetCursor(LoadCursorA(nullptr, !edge ? IDC_ARROW : resizeInHeight ? IDC_SIZENS : IDC_SIZEWE));
    return true;
}

void PanelController::DragTo(POINT screen) {
    const int delta = resizeInHeight ? screen.y - last_.y : screen.x - last_.x;
    last_ = screen;
    Resize(delta, true);
}

bool PanelController::OnMouseMove(int x, int y, unsigned) {
    if (dragging_) DragTo(OnScreen(x, y));
    return false;
}

// The release ends the drag where it happened, should its last move have gone elsewhere.
bool PanelController::OnLButtonUp(int x, int y, unsigned) {
    if (!dragging_) return false;
    DragTo(OnScreen(x, y));
    dragging_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    return false;
}

int PanelController::Resize(const int& requested, const bool& propagate) {
    if (!visible || requested == 0 || !stretchable) return 0;
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    const int size = resizeInHeight ? r.bottom - r.top : r.right - r.left;
    int delta = LimitDelta(size, requested, GetMinExtent());
    // Held: the neighbour's re-layout must not free it while it answers.
    Safe::XPtr<PanelController> neighbour = next;
    if (neighbour && propagate) delta = neighbour->Resize(-delta, false);
    if (delta == 0) return 0;
    weight = WeightAfterResize(weight, size, delta);
    int x = r.left, y = r.top, width = r.right - r.left, height = r.bottom - r.top;
    if (resizeInHeight) {
        if (!propagate) y -= delta;
        height += delta;
    } else {
        if (!propagate) x -= delta;
        width += delta;
    }
    Move(x, y, width, height, true);
    if (Safe::XPtr<Command> command = ownCommand) command->Execute(0);
    return -delta;
}

AreaController::AreaController() {
    SetHeaderSize(true, 20);
    stretchable = false;
}

bool AreaController::Move(int x, int y, int width, int height, bool repaint) {
    Window().Move(x, y, width, height, repaint);
    Layout(0, 0, width, height, repaint);
    return true;
}

LeafController::LeafController(const std::wstring& caption) {
    SetHeaderSize(true, 20);
    SetSplitterSize(true, 4);
    designer = Safe::MakeX<PanelDesigner>();
    designer->text = caption;
    collapse_ = Safe::MakeX<ButtonToggle>();
    collapse_->SetSize({15, 15});
    collapse_->commandId = kCollapseId;
}

bool LeafController::OnCreate() {
    collapse_->SetDesigner(Safe::XPtr<ButtonDesigner>(
        new ToggleDesigner(collapse_.Get(), InstanceOf(Handle()), IDB_COLLAPSE)));
    return false;
}

CaptionLayout LeafController::Caption(const RECT& client) const {
    return LayOutCaption(client.right, headerSize, collapse_->width,
                         resizeInHeight ? 0 : splitterSize);
}

void LeafController::PlaceCollapseButton(const RECT& client) {
    const Box button = Caption(client).button;
    collapse_->SetPosition({button.x, button.y});
}

bool LeafController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    PaintScope paint(Handle());
    Graphics graphics(paint.DC());
    if (!splitterOn) designer->noBottomLine = stretchable;
    designer->caption = client;
    designer->textBox = Caption(client).text;
    designer->Paint(graphics.Get());
    PlaceCollapseButton(client);
    collapse_->Paint(graphics.Get());
    PaintExtra(graphics.Get(), client);
    return false;
}

bool LeafController::OnLButtonDown(int x, int y, unsigned keys) {
    PanelController::OnLButtonDown(x, y, keys);
    collapse_->OnButtonDown(Handle(), x, y, keys);
    return false;
}

bool LeafController::OnMouseMove(int x, int y, unsigned keys) {
    PanelController::OnMouseMove(x, y, keys);
    collapse_->OnMouseMove(Handle(), x, y, keys);
    return false;
}

bool LeafController::OnLButtonUp(int x, int y, unsigned keys) {
    PanelController::OnLButtonUp(x, y, keys);
    if (collapse_->OnButtonUp(Handle(), x, y, keys) >= 1) {
        stretchable = !collapse_->machine.toggled;
        if (Safe::XPtr<Command> command = containerCommand) command->Execute(0);
    }
    return false;
}

bool LeafController::Move(int x, int y, int width, int height, bool repaint) {
    Window().Move(x, y, width, height, repaint);
    RECT client{0, 0, width, height};
    PlaceCollapseButton(client);
    if (resizeInHeight)
        Layout(0, headerSize, width, height - splitterSize - headerSize, repaint);
    else
        Layout(0, headerSize, width - splitterSize, height - headerSize, repaint);
    return true;
}

}  // namespace Winplus
