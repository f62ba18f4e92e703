#pragma once
// The imaging factory that the bitmap button painters use for their Direct2D pictures. The
// rendering layer hands it over when it creates or releases it; without one, buttons paint
// through GDI+ only.
struct IWICImagingFactory;

namespace Winplus {

void SetImagingFactory(IWICImagingFactory* factory);
IWICImagingFactory* GetImagingFactory();

}  // namespace Winplus
