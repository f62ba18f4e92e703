#include "winplus/text_checks.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "foundation/text.h"

namespace Winplus {

bool IsInteger(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return false;
    std::int32_t value = 0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    return result.ec == std::errc() && result.ptr == t.data() + t.size();
}

bool IsNumber(const std::string& text) {
    const std::string t = Trim(text);
    if (!::IsNumber(t)) return false;
    double value = 0.0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    // An underflow reads as zero, as the parser gives it; an overflow is no number.
    if (result.ec == std::errc::result_out_of_range) {
        const auto mark = t.find_first_of("eE");
        return mark != std::string::npos && mark + 1 < t.size() && t[mark + 1] == '-' &&
               result.ptr == t.data() + t.size();
    }
    return result.ec == std::errc() && result.ptr == t.data() + t.size() && std::isfinite(value);
}

}  // namespace Winplus
