#pragma once
// The "User Function Selector" panel: the functions of the libraries that a function library list
// names, one category tab per library file. A click on a function stores its node as the
// selection store's node and tells the target (code -1).
#include "app/selectors/category_selector.h"
#include "app/selectors/selector_leaf.h"
#include "io/library_list.h"

namespace Core {

class CapsuleController : public CategoryController {
public:
    CapsuleController();
    bool OnCreate() override;

    // Reads a list: an unreadable one changes nothing; the libraries that fail are skipped and
    // named in one message box, and the list's first category becomes current.
    void LoadLibraryList(const std::string& listPath);
    // 0: the built-in "Effective-Medium-Theories" category; other indexes leave no category.
    void ShowCategory(int index);
    // LibraryEvent::kLibraryChanged: the project state's list, or its category when one is set.
    void Rebuild();

protected:
    void Pick(int index, const Winplus::Sticker& sticker) override;

private:
    LibraryCategories libraries_;
    bool showsLibraries_ = false;  // the categories are libraries_'s, not a built-in one
};

class CapsuleSelector : public SelectorLeaf<CapsuleController> {
public:
    explicit CapsuleSelector(Winplus::Wnd parent) : SelectorLeaf(parent, "CapsuleClass") {}
};

}  // namespace Core
