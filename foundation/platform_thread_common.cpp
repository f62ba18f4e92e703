#include "foundation/platform_thread_internal.h"

#include <mutex>

#include "foundation/event_bus.h"

namespace Platform {

namespace {
std::mutex refusalMutex;
CreationRefusal& Refusal() {
    static CreationRefusal refusal;
    return refusal;
}
void ResetRefusal() {
    std::lock_guard<std::mutex> lock(refusalMutex);
    Refusal() = CreationRefusal();
}
[[maybe_unused]] const bool kRefusalReset = RegisterProcessReset(&ResetRefusal);
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
