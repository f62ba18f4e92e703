#pragma once
// The built-in node families.

namespace Capsule {

// Registers every built-in family with the node factory, in the factory's fixed order. Called
// once at start-up (and by tests); calling it again changes nothing.
void RegisterFamilies();

}  // namespace Capsule
