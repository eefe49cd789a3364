#include "support/xml/XmlFileBuffer.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

void XmlFileBuffer::Reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    std::unique_ptr<char[]> grown(new char[capacity]);
    std::copy_n(bytes_.get(), size_, grown.get());
    bytes_ = std::move(grown);
    capacity_ = capacity;
}

// Reads until the end of the file, growing as needed; false on a read error.
bool XmlFileBuffer::ReadAll(std::FILE* file) {
    for (;;) {
        if (size_ == capacity_) Reserve(std::max<std::size_t>(capacity_ * 2, 1 << 16));
        size_ += std::fread(bytes_.get() + size_, 1, capacity_ - size_, file);
        if (std::ferror(file)) return false;
        if (std::feof(file)) return true;
    }
}

void XmlFileBuffer::Read(const std::string& fileName) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) throw EFOpenError("Cannot open file " + fileName);
    size_ = 0;
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    // One byte more than the size, so one read meets the end of the file.
    if (!error) Reserve(static_cast<std::size_t>(size) + 1);
    if (!ReadAll(file.get())) throw EFOpenError("Cannot open file " + fileName);
}
