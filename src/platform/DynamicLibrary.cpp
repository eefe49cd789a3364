#include "platform/DynamicLibrary.h"

#include "platform/Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {
#ifdef _WIN32
// ERROR_PROC_NOT_FOUND, with the system's own text.
[[noreturn]] void RaiseMissingEntryPoint() {
    const DWORD code = GetLastError();
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, sizeof text, nullptr);
    throw EOSError(static_cast<int>(code), text);
}
#else
constexpr int kProcNotFound = 127; // the code Windows reports for a missing entry point
[[noreturn]] void RaiseMissingEntryPoint() {
    const char* text = dlerror();
    throw EOSError(kProcNotFound, text ? text : "The specified procedure could not be found");
}
#endif
} // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& fileName) {
#ifdef _WIN32
    void* handle = LoadLibraryA(fileName.c_str());
#else
    void* handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (!handle) return nullptr;
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() {
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

void* DynamicLibrary::Find(const char* name) const {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    dlerror();
    return dlsym(handle_, name);
#endif
}

void* DynamicLibrary::Require(const char* name) const {
    void* entry = Find(name);
    if (!entry) RaiseMissingEntryPoint();
    return entry;
}
