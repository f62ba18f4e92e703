#include "app/selectors/function_selector.h"

namespace Core {

namespace {
constexpr int kFunctionSelectorHeight = 42;
}  // namespace

FunctionController::FunctionController() {
    SetHeaderSize(true, kFunctionSelectorHeight);
}

bool FunctionController::OnCreate() {
    CreateBars();
    std::vector<Safe::XPtr<Winplus::StickerBar>> bars;
    for (const CatalogueCategory& category : FunctionCatalogue())
        bars.push_back(MakeCategory(category));
    SetCategories(bars);
    return true;
}

}  // namespace Core
