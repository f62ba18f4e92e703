#include "winplus/sticker_bar.h"

#include <commctrl.h>

namespace Winplus {

namespace {
constexpr Argb kBlack = 0xFF000000;

void PaintTab(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Sticker& s) {
    const StickerLook& look = s.look;
    FillBox(g, s.background, {s.x, s.y, s.width + 1, s.height + 1});
    // The open side: the bottom row of downward tabs, the top row of upward ones.
    const int open = look.downward ? s.y + s.height : s.y;
    const int closed = look.downward ? s.y : s.y + s.height;
    const int right = s.x + s.width;
    if (s.selected) {
        FillBox(g, look.fill, {s.x, s.y, s.width, s.height});
        DrawLine(g, look.outline, s.x, closed, right, closed);
        DrawLine(g, look.outline, right, s.y, right, s.y + s.height);
        DrawLine(g, look.outline, right, open, right + s.margin, open);
    } else {
        DrawLine(g, look.outline, s.x, open, right + s.margin, open);
    }
    DrawText(g, font, s.selected ? kBlack : look.text, s.Name(),
             {s.x, s.y + 1, s.width + 4, s.height});
}

void PaintBasic(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Sticker& s) {
    const StickerLook& look = s.look;
    FillBox(g, s.background, {s.x, s.y, s.width, s.height});
    if (s.selected) {
        FillBox(g, look.fill, {s.x, s.y, s.width, s.height});
        OutlineBox(g, look.outline, {s.x, s.y, s.width - 1, s.height - 1});
    }
    DrawText(g, font, look.text, s.Name(), {s.x, s.y + 1, s.width + 4, s.height});
}
}  // namespace

void PaintSticker(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Sticker& sticker) {
    if (!sticker.enabled) return;
    if (sticker.look.tab)
        PaintTab(g, font, sticker);
    else
        PaintBasic(g, font, sticker);
}

StickerBar::StickerBar(HWND owner, const std::wstring& name)
    : Label(name), owner_(owner), font_(MakeFont()) {
    background = ButtonFace();
}

NameMeasure StickerBar::Measure() const {
    return [this](const std::wstring& name) {
        Graphics graphics(owner_);
        const Box size = MeasureText(graphics.Get(), font_.Get(), name);
        return Point{size.width, size.height};
    };
}

void StickerBar::SetStickers(const StickerList& stickers) {
    StickerStrip::SetStickers(stickers, Measure());
}

void StickerBar::SetRect(int x, int y, int width, int height) {
    StickerStrip::SetRect(x, y, width, height, Measure());
}

void StickerBar::PaintBackground(Gdiplus::GpGraphics* g) const {
    FillBox(g, background, {X(), Y(), Width(), Height()});
}

void StickerBar::Draw(Gdiplus::GpGraphics* g) const {
    if (Stickers().empty()) return;
    Gdip::GdipSetClipRectI(g, X(), Y(), Width(), Height(), Gdiplus::CombineModeReplace);
    const int barRight = X() + Width();
    for (int i = FirstVisible(); i < Count(); ++i) {
        PaintSticker(g, font_.Get(), *Stickers()[i]);
        if (Stickers()[i]->GetRightEdge().x >= barRight) break;
    }
    const Sticker& first = *Stickers()[0];
    if (first.look.tab) {
        // The base line under the tabs, from the selected tab on.
        const int row = first.look.downward ? Y() + Height() - 1 : Y();
        int from = X();
        if (const auto selected = GetSelected(); selected && Selected() >= FirstVisible())
            from = selected->GetRightEdge().x;
        DrawLine(g, first.look.outline, from, row, barRight, row);
    }
    Gdip::GdipResetClip(g);
}

void StickerBar::Redraw() const {
    Graphics graphics(owner_);
    PaintBackground(graphics.Get());
    Draw(graphics.Get());
}

bool StickerBar::SelectAt(const POINT& p) {
    const int index = StickerAt({p.x, p.y});
    if (index < 0) return false;
    Select(index);
    Redraw();
    return true;
}

bool StickerBar::OnLeftClick(const POINT& p) {
    if (!SelectAt(p)) return false;
    SendMessageA(owner_, WM_COMMAND, commandId_, Selected());
    return true;
}

void StickerBar::OnRightClick(const POINT& p) {
    if (!menu_ || !SelectAt(p)) return;
    const auto selected = GetSelected();
    EnableMenuItem(menu_, 0, MF_BYPOSITION | (EnabledCount() > 1 ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu_, 1, MF_BYPOSITION | (selected && selected->flag ? MF_ENABLED : MF_GRAYED));
    POINT screen = p;
    ClientToScreen(owner_, &screen);
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner_, nullptr);
}

StickerScrollBar::StickerScrollBar(HWND parent, int id, StickerBar* bar) : bar_(bar) {
    Create(parent, "SCROLLBAR", SBS_HORZ | WS_DISABLED, id);
    Move(0, 0, 80, 20, false);
}

void StickerScrollBar::Update() {
    overflow_ = bar_ ? bar_->UpdateOverflow() : 0;
    SetRange(overflow_, bar_ ? bar_->FirstVisible() : 0);
}

void StickerScrollBar::Scroll(WPARAM request) {
    if (!bar_) return;
    const int position = bar_->FirstVisible();
    const int target = ScrollTarget(LOWORD(request), position, overflow_, HIWORD(request));
    if (target == position) return;
    bar_->SetFirstVisible(target);
    SetThumb(bar_->FirstVisible());
    bar_->Redraw();
}

StickerUpDown::StickerUpDown(HWND parent, int id, StickerBar* bar) : bar_(bar) {
    CreateUpDown(parent, id);
    EnableWindow(Handle(), FALSE);
}

void StickerUpDown::Update() {
    overflow_ = bar_->UpdateOverflow();
    Send(UDM_SETRANGE, 0, MAKELPARAM(0, overflow_));
    EnableWindow(Handle(), overflow_ >= 1);
}

void StickerUpDown::OnDelta(int delta) {
    const int first = bar_->FirstVisible();
    if (delta < 1 && first < overflow_) bar_->SetFirstVisible(first + 1);
    if (delta >= 1 && first > 0) bar_->SetFirstVisible(first - 1);
    bar_->Redraw();
}

}  // namespace Winplus
