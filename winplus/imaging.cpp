#include "winplus/imaging.h"

namespace Winplus {

namespace {
IWICImagingFactory* imagingFactory = nullptr;
}

void SetImagingFactory(IWICImagingFactory* factory) {
    imagingFactory = factory;
}

IWICImagingFactory* GetImagingFactory() {
    return imagingFactory;
}

}  // namespace Winplus
