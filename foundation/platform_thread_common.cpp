#include "foundation/platform_thread_internal.h"

#include <mutex>

namespace Platform {

namespace {
std::mutex refusalMutex;
CreationRefusal& Refusal() {
    static CreationRefusal refusal;
    return refusal;
}
}  // namespace

void SetCreationRefusal(CreationRefusal refuse) {
    std::lock_guard<std::mutex> lock(refusalMutex);
    Refusal() = std::move(refuse);
}

bool CreationRefused(Resource resource) {
    std::lock_guard<std::mutex> lock(refusalMutex);
    return Refusal() && Refusal()(resource);
}

}  // namespace Platform
