#pragma once

#include <cstdint>
#include <string>

// Full path of the running executable.
std::string ExecutablePath();
// The executable's folder, with its trailing path separator.
std::string ExecutableFolder();
// The executable's file name without its folder.
std::string ExecutableName();
// A code address as an offset into the module that holds it.
std::uintptr_t ModuleOffset(const void* address);
