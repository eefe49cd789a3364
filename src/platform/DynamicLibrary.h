#pragma once

#include <memory>
#include <string>

// A shared library loaded by file name through the platform's search order.
class DynamicLibrary {
public:
    // Empty when the library cannot be loaded.
    static std::unique_ptr<DynamicLibrary> Load(const std::string& fileName);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // nullptr when the library has no such entry point.
    void* Find(const char* name) const;
    // As Find, but a missing entry point raises EOSError.
    void* Require(const char* name) const;

private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};
