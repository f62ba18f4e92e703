#pragma once
// The "Function Selector" panel: the built-in catalogue as eight categories of stickers; a click
// on a sticker sends its node type id to the target command.
#include "app/selectors/category_selector.h"
#include "app/selectors/selector_leaf.h"

namespace Core {

class FunctionController : public CategoryController {
public:
    FunctionController();
    bool OnCreate() override;
};

class FunctionSelector : public SelectorLeaf<FunctionController> {
public:
    explicit FunctionSelector(Winplus::Wnd parent) : SelectorLeaf(parent, "FunctionClass") {}
};

}  // namespace Core
