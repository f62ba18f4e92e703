#pragma once
// The "Function Selector" panel: the built-in catalogue as eight categories of stickers; a click
// on a sticker sends its node type id to the target command.
#include "app/category_selector.h"

namespace Core {

class FunctionController : public CategoryController {
public:
    FunctionController();
    bool OnCreate() override;
};

class FunctionSelector : public Winplus::VLeaf {
public:
    explicit FunctionSelector(Winplus::Wnd parent);
    void SetTarget(const Safe::XPtr<Winplus::Command>& target);
    FunctionController& Selector() const;
};

}  // namespace Core
