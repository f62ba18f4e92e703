#include <windows.h>

#include "foundation/module.h"

namespace Platform {

void* LoadModule(const std::string& path) {
    // A bare name would make the system search its own folders: only real paths load.
    if (path.find_first_of("\\/") == std::string::npos) return nullptr;
    // No error box of the system for a library that is missing or broken: the caller reports.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    SetErrorMode(previous);
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(void* module) {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
}

const char* ModuleExtension() {
    return "dll";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

}  // namespace Platform
