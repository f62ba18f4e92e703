#pragma once
// Names between the wide form of labels and the ANSI form of tree and list items, as values.
#include <string>

#include "foundation/label.h"

namespace Core {

inline std::wstring Wide(const std::string& text) {
    std::wstring wide;
    ToWide(text, wide);
    return wide;
}

inline std::string Narrow(const std::wstring& text) {
    std::string narrow;
    ToNarrow(text, narrow);
    return narrow;
}

}  // namespace Core
