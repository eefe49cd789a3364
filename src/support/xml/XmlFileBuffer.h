#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// A whole file's bytes in memory. The storage is kept for the next file, so loading one file
// after another reuses pages already mapped instead of faulting in fresh ones.
class XmlFileBuffer {
public:
    // Replaces the content with the file's; a file that cannot be opened or read raises
    // EFOpenError "Cannot open file %s".
    void Read(const std::string& fileName);
    std::string_view Bytes() const { return {bytes_.get(), size_}; }

private:
    void Reserve(std::size_t capacity);
    bool ReadAll(std::FILE* file);

    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};
