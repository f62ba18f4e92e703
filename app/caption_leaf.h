#pragma once
// A docked panel that shows only its caption: the place of an explorer or selector that is not
// built yet.
#include <string>

#include "winplus/panel.h"

namespace Core {

class CaptionLeaf : public Winplus::VLeaf {
public:
    CaptionLeaf(Winplus::Wnd parent, const std::wstring& caption) {
        SetController(Safe::MakeX<Winplus::LeafController>(caption));
        Winplus::CreatePanelWindow("CaptionLeafClass", parent, controller_);
    }
};

}  // namespace Core
