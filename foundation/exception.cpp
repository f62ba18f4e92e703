#include "foundation/exception.h"

#include "foundation/platform.h"

namespace Winplus {

Exception::Exception(const std::string& message, const std::string& detail, std::uint32_t code)
    : code_(code == 0 ? Platform::GetLastErrorCode() : code), message_(message), detail_(detail) {
    Platform::SetLastErrorCode(0);
}

}  // namespace Winplus
