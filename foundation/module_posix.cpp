#include <dlfcn.h>

#include "foundation/module.h"

namespace Platform {

void* LoadModule(const std::string& path) {
    // A bare name would make dlopen search the system's folders: only real paths load.
    if (path.find('/') == std::string::npos) return nullptr;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindSymbol(void* module, const char* name) {
    return module ? dlsym(module, name) : nullptr;
}

void UnloadModule(void* module) {
    if (module) dlclose(module);
}

const char* ModuleExtension() {
    return "so";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace Platform
