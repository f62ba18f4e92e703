#pragma once
// Helpers of the binary record tests: the message a failing action throws, and bytes in hex.
#include <cstdio>
#include <functional>
#include <string>

#include "foundation/exception.h"

namespace test {

// The message of the exception the action throws; empty when it throws none.
inline std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const Winplus::Exception& e) {
        return e.GetMessage();
    }
    return "";
}

// "75 27 00 00 " for the bytes 0x75 0x27 0 0: two digits and a blank per byte.
inline std::string Hex(const std::string& bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", c);
        out += buffer;
    }
    return out;
}

}  // namespace test
