#include "platform/ProcessInfo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <dlfcn.h>
#include <unistd.h>
#endif

std::string ExecutablePath() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
#else
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
#endif
}

namespace {
std::string::size_type LastSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of("\\/:");
#else
    return path.rfind('/');
#endif
}
} // namespace

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const auto separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string ExecutableName() {
    const std::string path = ExecutablePath();
    const auto separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::uintptr_t ModuleOffset(const void* address) {
#ifdef _WIN32
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(module);
#else
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fbase)
        return reinterpret_cast<std::uintptr_t>(address);
    return reinterpret_cast<std::uintptr_t>(address) -
           reinterpret_cast<std::uintptr_t>(info.dli_fbase);
#endif
}
