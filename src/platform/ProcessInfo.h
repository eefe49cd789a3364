#pragma once

#include <cstdint>
#include <string>

// Full path of the running executable.
std::string ExecutablePath();
// The executable's folder, with its trailing path separator.
std::string ExecutableFolder();
// The executable's file name without its folder.
std::string ExecutableName();
// The address the current function will return to.
#ifdef _MSC_VER
#include <intrin.h>
#define RETURN_ADDRESS() _ReturnAddress()
#else
#define RETURN_ADDRESS() __builtin_extract_return_addr(__builtin_return_address(0))
#endif

// A code address as an offset into the module that holds it.
std::uintptr_t ModuleOffset(const void* address);
