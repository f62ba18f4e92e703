#include "plot/cursor_readout_window.h"

#include "plot/axis_tools.h"
#include "winplus/gdip_draw.h"

namespace Winplus {

namespace {
constexpr Argb kGrey = 0xFF808080;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kOutline = 0xFF404040;
constexpr float kFontPoints = 10.0f;

Box ToBox(const PixelRect& r) {
    return {r.x, r.y, r.width, r.height};
}

GdipFont ReadoutFont() {
    GdipFont font;
    GdipFontFamily arial;
    Gdiplus::GpFontFamily* family = SansSerifFamily();
    if (Gdip::GdipCreateFontFamilyFromName(L"Arial", nullptr, arial.Put()) == Gdiplus::Ok)
        family = arial.Get();
    if (family)
        Gdip::GdipCreateFont(family, kFontPoints, Gdiplus::FontStyleBold, Gdiplus::UnitPoint,
                             font.Put());
    return font;
}
}  // namespace

bool XYController::XYCommand::Execute(const int& state) {
    if (owner_->readout_.Execute(state)) owner_->DrawNow();
    return true;
}

Safe::XPtr<XYController> XYController::Create(Wnd parent) {
    RegisterClassOnce("XYWndClass", InstanceOf(parent.Handle()), {true, IDC_ARROW});
    auto controller = Safe::MakeX<XYController>();
    WindowMaker maker("XYWndClass", parent, 0);
    maker.Create(controller);
    return controller;
}

bool XYController::OnCreate() {
    cursorObserver_ = AxisBar::AddObserver(MakeObserver<AxisEvent>([this](AxisEvent code) {
        if (code == AxisEvent::kCursorMoved && readout_.OnCursorMoved()) DrawNow();
    }));
    command_ = Safe::MakeX<XYCommand>(this);
    return false;
}

void XYController::Draw(HDC dc, bool fullForm) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const ReadoutCells cells =
        LayOutReadout(client.right, client.bottom, fullForm, AxisBar::CursorInside());
    Graphics graphics(dc);
    Gdiplus::GpGraphics* g = graphics.Get();
    if (cells.blank) {
        FillBox(g, kWhite, ToBox(cells.whole));
        FillBox(g, kGrey, ToBox(cells.left));
        OutlineBox(g, kOutline, ToBox(cells.outline));
        return;
    }
    const GdipFont font = ReadoutFont();
    FillBox(g, kGrey, ToBox(cells.left));
    DrawTextCentred(g, font.Get(), kWhite, readout_.XText(), ToBox(cells.leftText), false);
    FillBox(g, kWhite, ToBox(cells.right));
    DrawTextCentred(g, font.Get(), kBlack, readout_.YText(), ToBox(cells.rightText), false);
    if (cells.outlined) OutlineBox(g, kOutline, ToBox(cells.outline));
}

void XYController::DrawNow() const {
    if (!Handle()) return;
    const WindowDC dc(Handle());
    Draw(dc.Get(), false);
}

bool XYController::OnPaint() {
    PaintScope paint(Handle());
    Draw(paint.DC(), true);
    return true;
}

}  // namespace Winplus
