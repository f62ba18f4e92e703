#pragma once
// The docked panels of the main window, made by id: the top controller lists ids, the factory
// knows which class each id is.
#include "app/base/panel_ids.h"
#include "winplus/panel.h"

namespace Core {

// A new leaf of that id in parent; none for the main panel and its columns.
Safe::XPtr<Winplus::Panel> MakePanel(PanelId id, Winplus::Wnd parent);

}  // namespace Core
