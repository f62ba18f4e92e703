#pragma once
// Loading code libraries at run time (DLLs on Windows, shared objects elsewhere), behind the
// same seam as the other system services: no system type leaks out of here.
#include <string>

namespace Platform {

// The loaded library, or null when it cannot be loaded.
void* LoadModule(const std::string& path);
// The address of an exported name; null when the library lacks it.
void* FindSymbol(void* module, const char* name);
void UnloadModule(void* module);

// The extension of the system's code libraries, without the dot: "dll" or "so".
const char* ModuleExtension();

// The folder and the file name joined with the system's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace Platform
