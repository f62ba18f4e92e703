#pragma once
// The one exception type of the system.
#include <cstdint>
#include <exception>
#include <string>

namespace Winplus {

// Thrown and caught by value; what() gives the message shown to the user. A code of 0 takes the
// system's last error; the system's last error is cleared in every case.
class Exception : public std::exception {
public:
    Exception(const std::string& message, const std::string& detail = std::string(),
              std::uint32_t code = 0);

    const char* what() const noexcept override { return message_.c_str(); }
    std::uint32_t GetCode() const { return code_; }
    const std::string& GetMessage() const { return message_; }
#if defined(_WIN32) && !defined(GetMessage)
    // windows.h, when read after this header, renames GetMessage in the code that follows it to
    // one of these: the accessor answers under every name, whatever the order of the includes.
    const std::string& GetMessageA() const {
        return message_;
    }
    const std::string& GetMessageW() const {
        return message_;
    }
#endif
    const std::string& GetDetail() const { return detail_; }

private:
    std::uint32_t code_;
    std::string message_;
    std::string detail_;
};

}  // namespace Winplus
