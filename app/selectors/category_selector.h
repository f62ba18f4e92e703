#pragma once
// What the function catalogue and the user function selector share: the current category's
// stickers on the first row, the category tabs with their up-down and the stickers' scroll bar on
// the second, and every pick sent to one target command (the selection panel's).
#include <string>
#include <vector>

#include "app/selectors/function_catalogue_table.h"
#include "foundation/object_set.h"
#include "winplus/panel.h"
#include "winplus/sticker_bar.h"

namespace Core {

using StickerBarSet = ObjectSet<Safe::XPtr<Winplus::StickerBar>>;

class CategoryController : public Winplus::AreaController {
public:
    // The command ids the bars send with WM_COMMAND.
    static constexpr int kStickerClicked = 0;
    static constexpr int kTabClicked = 1;

    bool OnPaint() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnHScroll(WPARAM wParam, LPARAM lParam) override;
    void Layout(int x, int y, int width, int height, bool repaint) override;

    void SetTarget(const Safe::XPtr<Winplus::Command>& target) { target_ = target; }
    const StickerBarSet& Categories() const { return *categories_; }
    // None when there are no categories.
    const Safe::XPtr<Winplus::StickerBar>& CurrentCategory() const { return current_; }
    const Safe::XPtr<Winplus::StickerBar>& Tabs() const { return tabs_; }
    const Safe::XPtr<Winplus::StickerScrollBar>& ScrollBar() const { return scroll_; }
    const Safe::XPtr<Winplus::StickerUpDown>& TabUpDown() const { return upDown_; }

protected:
    // The tab bar, the scroll bar and the up-down; called once the window exists.
    void CreateBars();
    // A category of this window: its stickers under unique names, command id 0.
    Safe::XPtr<Winplus::StickerBar> MakeCategory(const std::wstring& name,
                                                 const Winplus::StickerList& stickers) const;
    // A category of the compiled-in tables: one sticker per entry, sending the entry's code.
    Safe::XPtr<Winplus::StickerBar> MakeCategory(const CatalogueCategory& category) const;
    // Replaces the categories: one tab per bar (named as the bar, which the set may rename), the
    // first tab selected and its category current; then lays out and repaints.
    void SetCategories(const std::vector<Safe::XPtr<Winplus::StickerBar>>& bars);
    // The category of the selected tab becomes current, and its selected sticker is picked.
    void SelectCategory();
    // Sends the sticker's code to the target; index is its place in the current category.
    virtual void Pick(int index, const Winplus::Sticker& sticker);

private:
    void Repaint(bool background);

    Safe::XPtr<Winplus::Command> target_;
    Safe::XPtr<Winplus::Sticker> selected_;
    Safe::XPtr<Winplus::StickerBar> current_;
    Safe::XPtr<StickerBarSet> categories_ = Safe::MakeX<StickerBarSet>();
    Safe::XPtr<Winplus::StickerBar> tabs_;
    Safe::XPtr<Winplus::StickerScrollBar> scroll_;
    Safe::XPtr<Winplus::StickerUpDown> upDown_;
};

// A tab of a category bar or of the selection panel's bars, opening upward or downward.
Safe::XPtr<Winplus::Sticker> MakeTab(const std::wstring& name, bool downward);
// Names made unique as a set makes them, in order.
Winplus::StickerList UniquelyNamed(const Winplus::StickerList& stickers);

}  // namespace Core
