#pragma once
// What every explorer panel shares: a docked leaf whose controller makes one content control when
// its window is created and lays it out, and the explorer tree view with its image lists, context
// menus, label edits and selection read as Explorer items.
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/base/explorer_tree.h"
#include "foundation/event_bus.h"
#include "winplus/controls.h"
#include "winplus/panel.h"

namespace Core {

// WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS.
inline constexpr DWORD kExplorerTreeStyle =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
// The control identifier of an explorer leaf's content.
inline constexpr int kExplorerContentId = 1;

// A 16 x 16 image list of bitmap resources, destroyed with its holder.
class ImageList {
public:
    // The bitmaps in order, so that an image's index is its position; throws "ImageList
    // initialisation error" when fewer images were added than bitmaps given. colour 0 takes the
    // system's default depth.
    ImageList(HINSTANCE instance, std::span<const int> bitmapIds, UINT colour = ILC_COLOR8);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    HIMAGELIST Handle() const { return list_; }

private:
    HIMAGELIST list_ = nullptr;
};

// A popup menu built from entries (an entry of id 0 with a text takes the next of subMenus as its
// sub-menu; id 0 without text is a separator); destroyed with its holder, sub-menus included.
class ContextMenu {
public:
    using Entries = std::span<const Explorer::MenuEntry>;
    explicit ContextMenu(Entries entries, std::initializer_list<Entries> subMenus = {});
    ~ContextMenu();
    ContextMenu(const ContextMenu&) = delete;
    ContextMenu& operator=(const ContextMenu&) = delete;
    HMENU Handle() const { return menu_; }
    void Enable(int id, bool enabled);
    // Opens at the cursor (TPM_RIGHTBUTTON); its commands go to owner as WM_COMMAND.
    void PopUp(HWND owner) const;

private:
    HMENU menu_ = nullptr;
};

// An explorer's tree view. Its notices arrive here through the parent's reflection; menu
// commands come through Command from the leaf's controller.
class ExplorerTree : public Winplus::ControlTree {
public:
    ExplorerTree(HWND parent, int id, DWORD style = kExplorerTreeStyle);
    ~ExplorerTree() override;

    // The item images (normal list) and, when given, the check boxes' images (state list).
    void SetImages(std::span<const int> bitmapIds);
    void SetStateImages(std::span<const int> bitmapIds);
    // Replaces every item by the tree of root (each item's image is its kind) and expands the
    // root; the new root item. The items dropped on the way are no change of the selection.
    HTREEITEM Fill(const Explorer::Item& root);
    // Selects the item that item describes (kind, text and parent's text) without reporting a
    // change of the selection, and expands it; false when there is none such.
    bool SelectQuietly(const Explorer::Selected& item);
    // Inserts item and its children as the last child of parent (null: a root).
    HTREEITEM Insert(const Explorer::Item& item, HTREEITEM parent);
    void Expand(HTREEITEM item);
    // The selected item; kind -1 when none is.
    Explorer::Selected GetSelected() const;
    Explorer::Selected Describe(HTREEITEM item) const;
    // The first item of that text and kind below parent (null: among the roots), depth first;
    // with parentText, only one whose parent bears that text.
    HTREEITEM Find(const std::string& text, int kind, HTREEITEM parent = nullptr,
                   const std::string* parentText = nullptr) const;

    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    // A command of one of the context menus.
    virtual void Command(int) {}

    // Keeps an observer of the bus of Code while the tree lives.
    template <class Code>
    void Observe(std::function<void(Code)> heard) {
        registrations_.push_back(BusOf<Code>().Add(MakeObserver<Code>(std::move(heard))));
    }

protected:
    // The menu the right button opens on an item of that kind; null opens none.
    virtual const ContextMenu* MenuOf(int) const { return nullptr; }
    virtual void OnSelectionChanged() {}
    // Whether an item's label may be edited; the default refuses the root and an empty text.
    virtual bool BeginLabelEdit(const Explorer::Selected& item);
    // The end of an accepted edit; true keeps the new label.
    virtual bool EndLabelEdit(const Explorer::Selected&, const std::string&, const std::string&) {
        return false;
    }
    // The right button: the item under the cursor is selected (empty space keeps the selection),
    // then the menu of the selected item's kind opens at the cursor.
    void OpenContextMenu();

    Explorer::LabelEdit labelEdit_;

private:
    std::optional<LRESULT> OnLabelEdit(NMHDR& header, bool begin);

    bool editing_ = false;
    // While items are filled or selected by the program, the selection's notices are not the
    // user's.
    bool quiet_ = false;
    std::unique_ptr<ImageList> images_;
    std::unique_ptr<ImageList> stateImages_;
    std::vector<EventBus::Registration> registrations_;
};

// The controller of an explorer leaf: caption, height-wise resizing, and one content control made
// by make when the window is created, placed one pixel in from the left below the caption. Menu
// commands (WM_COMMAND without a sender) go to the content's Command when it has one.
template <class Content>
class ExplorerController : public Winplus::LeafController {
public:
    using Maker = std::function<Safe::XPtr<Content>(HWND leafWindow)>;

    ExplorerController(const std::wstring& caption, Maker make)
        : LeafController(caption), make_(std::move(make)) {
        SetOrientation(0);
    }
    bool OnCreate() override {
        LeafController::OnCreate();
        content_ = make_(Handle());
        return false;
    }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        if constexpr (requires(Content & c) { c.Command(0); }) {
            if (lParam == 0 && content_) {
                content_->Command(LOWORD(wParam));
                return true;
            }
        }
        return false;
    }
    void Layout(int x, int y, int width, int height, bool repaint) override {
        if (content_) content_->Move(x + 1, y, width - 1, height, repaint);
    }
    const Safe::XPtr<Content>& ContentControl() const { return content_; }

private:
    Maker make_;
    Safe::XPtr<Content> content_;
};

// A docked leaf of an explorer: its window class (registered once) and its controller.
template <class Content>
class ExplorerLeaf : public Winplus::VLeaf {
public:
    ExplorerLeaf(const std::string& className, Winplus::Wnd parent, const std::wstring& caption,
                 typename ExplorerController<Content>::Maker make)
        : explorer_(Safe::MakeX<ExplorerController<Content>>(caption, std::move(make))) {
        SetController(explorer_);
        Winplus::CreatePanelWindow(className, parent, explorer_);
    }
    // The content control; null before the window exists.
    Content* ContentControl() const { return explorer_->ContentControl().Get(); }
    HWND Handle() const { return explorer_->Handle(); }

private:
    Safe::XPtr<ExplorerController<Content>> explorer_;
};

}  // namespace Core
