#pragma once
// Shared by the two implementations of the thread seam.
#include "foundation/platform_thread.h"

namespace Platform {

// True when a test has asked that creating this resource fail.
bool CreationRefused(Resource resource);

}  // namespace Platform
