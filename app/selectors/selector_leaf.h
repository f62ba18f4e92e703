#pragma once
// A docked leaf whose controller takes the selection panel's command: the function catalogue,
// the user function selector and the formula editor bar.
#include "winplus/panel.h"

namespace Core {

template <class Content>
class SelectorLeaf : public Winplus::VLeaf {
public:
    SelectorLeaf(Winplus::Wnd parent, const char* className) {
        SetController(Safe::MakeX<Content>());
        Winplus::CreatePanelWindow(className, parent, controller_);
    }
    // Every pick goes to the target.
    void SetTarget(const Safe::XPtr<Winplus::Command>& target) { Control().SetTarget(target); }
    Content& Control() const { return static_cast<Content&>(*controller_); }
};

}  // namespace Core
