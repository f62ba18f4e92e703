#pragma once
// A sticker bar inside its owner window: the owner forwards clicks and paints it; a click on a
// sticker selects it and sends the owner WM_COMMAND with the bar's id and the sticker's index.
// A scroll bar or an up-down control shifts the first visible sticker when they do not fit.
#include <windows.h>

#include "winplus/controls.h"
#include "winplus/gdip_draw.h"
#include "winplus/sticker.h"

namespace Winplus {

void PaintSticker(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Sticker& sticker);

class StickerBar : public Label, public StickerStrip {
public:
    StickerBar(HWND owner, const std::wstring& name);

    void SetStickers(const StickerList& stickers);
    void SetRect(int x, int y, int width, int height);
    void SetCommandId(int id) { commandId_ = id; }
    // Owned by the owner; entry 0 is enabled only when more than one sticker is, entry 1 only
    // when the selected sticker's flag is set.
    void SetContextMenu(HMENU menu) { menu_ = menu; }

    void PaintBackground(Gdiplus::GpGraphics* g) const;
    void Draw(Gdiplus::GpGraphics* g) const;
    // Paints background and stickers on the owner window now.
    void Redraw() const;
    // Points in the owner's client coordinates. True when a sticker was selected.
    bool OnLeftClick(const POINT& p);
    void OnRightClick(const POINT& p);

private:
    NameMeasure Measure() const;
    bool SelectAt(const POINT& p);

    HWND owner_;
    int commandId_ = 0;
    GdipFont font_;
    HMENU menu_ = nullptr;
};

class StickerScrollBar : public ControlScroll {
public:
    // A horizontal scroll bar of 80 by 20 pixels, disabled until the stickers overflow.
    StickerScrollBar(HWND parent, int id, StickerBar* bar);
    // Scrolls another bar from now on (none: nothing to scroll).
    void Bind(StickerBar* bar) { bar_ = bar; }
    void Update();
    // A WM_HSCROLL request.
    void Scroll(WPARAM request);

private:
    StickerBar* bar_;  // not owned
    int overflow_ = 0;
};

class StickerUpDown : public ControlUpDown {
public:
    StickerUpDown(HWND parent, int id, StickerBar* bar);
    void Update();
    // UDN_DELTAPOS: a delta below 1 shows the stickers further right.
    void OnDelta(int delta);

private:
    StickerBar* bar_;  // not owned
    int overflow_ = 0;
};

}  // namespace Winplus
