#include "app/selectors/capsule_selector.h"

#include "app/base/project_state.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "model/current.h"
#include "model/selection.h"

namespace Core {

namespace {

constexpr int kCapsuleSelectorHeight = 42;
constexpr int kLibrarySticker = 2;  // the first integer of a library function's sticker
constexpr int kLibraryPick = -1;    // the code that tells the target a library node is stored
constexpr Winplus::Argb kLibraryFill = 0xFFBED2FF;
constexpr Winplus::Argb kLibraryOutline = 0xFF141EC0;

Winplus::StickerList FunctionStickers(const LibraryCategory& library) {
    Winplus::StickerList stickers;
    for (const Node::Ptr& node : library.GetFunctions()) {
        std::wstring name;
        ToWide(node->Name(), name);
        stickers.push_back(Winplus::Sticker::CreateBasic(name, kLibrarySticker, kLibraryPick,
                                                         kLibraryFill, kLibraryOutline,
                                                         kCatalogueText, true));
    }
    return stickers;
}

// Reads the list again when the library bus says that the list or the category changed.
struct LibraryObserver : Winplus::EventObserver<LibraryEvent> {
    explicit LibraryObserver(CapsuleController* owner) : owner(owner) {}
    bool Notify(const LibraryEvent& code) override {
        if (code != LibraryEvent::kLibraryChanged) return false;
        owner->Rebuild();
        return true;
    }
    CapsuleController* owner;  // the window's controller, which holds this observer
};

}  // namespace

CapsuleController::CapsuleController() {
    SetHeaderSize(true, kCapsuleSelectorHeight);
}

bool CapsuleController::OnCreate() {
    CreateBars();
    LoadLibraryList(GetDefaultLibraryList());
    Observe(BusOf<LibraryEvent>(), Safe::MakeX<LibraryObserver>(this));
    return true;
}

void CapsuleController::LoadLibraryList(const std::string& listPath) {
    const LibraryListResult read = libraries_.ReadList(listPath);
    if (!read.opened) return;
    showsLibraries_ = true;
    std::vector<Safe::XPtr<Winplus::StickerBar>> bars;
    for (const auto& library : libraries_.GetSet())
        bars.push_back(MakeCategory(library->Name(), FunctionStickers(*library)));
    SetCategories(bars);
    if (const std::string report = read.Report(); !report.empty())
        Platform::ShowMessageBox({report, "Message", Platform::BoxIcon::Warning});
}

void CapsuleController::ShowCategory(int index) {
    showsLibraries_ = false;
    std::vector<Safe::XPtr<Winplus::StickerBar>> bars;
    if (index == 0) bars.push_back(MakeCategory(EffectiveMediumCategory()));
    SetCategories(bars);
}

void CapsuleController::Rebuild() {
    const HCURSOR old = ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (MenuCore::GetLibraryCategory() < 0)
        LoadLibraryList(MenuCore::GetLibraryListPath());
    else
        ShowCategory(MenuCore::GetLibraryCategory());
    ::SetCursor(old ? old : LoadCursorA(nullptr, IDC_ARROW));
}

void CapsuleController::Pick(int index, const Winplus::Sticker& sticker) {
    if (sticker.second == kLibraryPick) {
        const Safe::XPtr<LibraryCategory> library =
            showsLibraries_ ? libraries_.GetSet().At(Tabs()->Selected()) : nullptr;
        if (!library || index < 0 || index >= static_cast<int>(library->GetFunctions().size()))
            return;
        Selection::SetNode(library->GetFunctions()[static_cast<std::size_t>(index)]);
    }
    CategoryController::Pick(index, sticker);
}

}  // namespace Core
