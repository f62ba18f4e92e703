#pragma once
// The checks of typed numbers: a text passes exactly when the number parser reads all of it
// as a finite value.
#include <string>

namespace Winplus {

// Decimal digits only after trimming, within the 32-bit signed range.
bool IsInteger(const std::string& text);
// The edit fields' number syntax (foundation's IsNumber), read completely and finite: "1e999",
// ".", "e", "-", "1e" and blanks are refused.
bool IsNumber(const std::string& text);

}  // namespace Winplus
