#include "app/selectors/category_selector.h"

#include <commctrl.h>

#include "winplus/gdip_draw.h"

namespace Core {

namespace {
constexpr int kScrollId = 3;
constexpr int kUpDownId = 4;
constexpr Winplus::Argb kWhite = 0xFFFFFFFF;
constexpr Winplus::Argb kBlack = 0xFF000000;
}  // namespace

Safe::XPtr<Winplus::Sticker> MakeTab(const std::wstring& name, bool downward) {
    return Winplus::Sticker::CreateIntercalary(name, downward, kWhite, kBlack, kBlack, true);
}

Winplus::StickerList UniquelyNamed(const Winplus::StickerList& stickers) {
    ObjectSet<Safe::XPtr<Winplus::Sticker>> set;
    for (const auto& sticker : stickers) set.Add(sticker);
    return Winplus::StickerList(set.begin(), set.end());
}

void CategoryController::CreateBars() {
    tabs_ = Safe::MakeX<Winplus::StickerBar>(Handle(), L"Intercalary");
    tabs_->SetCommandId(kTabClicked);
    scroll_ = Safe::MakeX<Winplus::StickerScrollBar>(Handle(), kScrollId, nullptr);
    upDown_ = Safe::MakeX<Winplus::StickerUpDown>(Handle(), kUpDownId, tabs_.Get());
}

Safe::XPtr<Winplus::StickerBar> CategoryController::MakeCategory(
    const std::wstring& name, const Winplus::StickerList& stickers) const {
    auto bar = Safe::MakeX<Winplus::StickerBar>(Handle(), name);
    bar->SetCommandId(kStickerClicked);
    bar->SetStickers(UniquelyNamed(stickers));
    return bar;
}

Safe::XPtr<Winplus::StickerBar> CategoryController::MakeCategory(
    const CatalogueCategory& category) const {
    Winplus::StickerList stickers;
    for (const CatalogueEntry& entry : category.entries)
        stickers.push_back(Winplus::Sticker::CreateBasic(
            entry.caption, 0, entry.code, category.fill, category.outline, kCatalogueText, true));
    return MakeCategory(category.name, stickers);
}

void CategoryController::SetCategories(const std::vector<Safe::XPtr<Winplus::StickerBar>>& bars) {
    categories_->Clear();
    Winplus::StickerList tabs;
    for (const auto& bar : bars) {
        categories_->Add(bar);
        tabs.push_back(MakeTab(bar->Name(), false));
    }
    tabs_->SetStickers(tabs);
    tabs_->SetFirstVisible(0);
    tabs_->Select(0);
    current_ = categories_->At(0);
    selected_ = current_ ? current_->GetSelected() : nullptr;
    scroll_->Bind(current_.Get());
    RECT client{};
    GetClientRect(Handle(), &client);
    Layout(0, 0, client.right, client.bottom, true);
    Repaint(true);
}

void CategoryController::Layout(int, int, int width, int, bool repaint) {
    if (!tabs_) return;
    for (const auto& bar : *categories_) bar->SetRect(3, 3, width - 6, 18);
    tabs_->SetRect(40, 22, width - 143, 18);
    scroll_->Move(width - 103, 22, 100, 18, repaint);
    scroll_->Update();
    upDown_->Move(3, 22, 36, 18, repaint);
    upDown_->Update();
}

void CategoryController::Repaint(bool background) {
    Winplus::Graphics graphics(Handle());
    for (const auto* bar : {tabs_.Get(), current_.Get()}) {
        if (!bar) continue;
        if (background) bar->PaintBackground(graphics.Get());
        bar->Draw(graphics.Get());
    }
}

bool CategoryController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    Winplus::PaintScope paint(Handle());
    DrawEdge(paint.DC(), &client, EDGE_SUNKEN, BF_RECT);
    Winplus::Graphics graphics(paint.DC());
    if (current_) current_->Draw(graphics.Get());
    if (tabs_) tabs_->Draw(graphics.Get());
    Winplus::DrawLine(graphics.Get(), kBlack, 39, 22, 42, 22);
    return false;
}

bool CategoryController::OnLButtonDown(int x, int y, unsigned) {
    if (!current_) return true;
    const POINT point{x, y};
    // Held: a tab click replaces the current category while its bar answers.
    const Safe::XPtr<Winplus::StickerBar> tabs = tabs_;
    tabs->OnLeftClick(point);
    const Safe::XPtr<Winplus::StickerBar> current = current_;
    if (current) current->OnLeftClick(point);
    Repaint(false);
    return true;
}

bool CategoryController::OnHScroll(WPARAM wParam, LPARAM) {
    if (scroll_) scroll_->Scroll(wParam);
    return true;
}

bool CategoryController::OnNotify(WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (upDown_ && header->hwndFrom == upDown_->Handle() &&
        header->code == static_cast<UINT>(UDN_DELTAPOS))
        upDown_->OnDelta(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
    return false;
}

bool CategoryController::OnCommand(WPARAM wParam, LPARAM) {
    if (wParam == kTabClicked) {
        SelectCategory();
    } else if (wParam == kStickerClicked && current_) {
        selected_ = current_->GetSelected();
        if (selected_) Pick(current_->Selected(), *selected_);
    }
    return true;
}

void CategoryController::SelectCategory() {
    current_ = categories_->At(tabs_->Selected());
    scroll_->Bind(current_.Get());
    scroll_->Update();
    selected_ = current_ ? current_->GetSelected() : nullptr;
    if (!current_) return;
    Repaint(true);
    if (selected_) Pick(current_->Selected(), *selected_);
}

void CategoryController::Pick(int, const Winplus::Sticker& sticker) {
    // Held: the target may be replaced while it runs.
    if (const Safe::XPtr<Winplus::Command> target = target_) target->Execute(sticker.second);
}

}  // namespace Core
