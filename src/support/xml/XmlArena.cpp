#include "support/xml/XmlArena.h"

#include <algorithm>
#include <cstring>

void* XmlArena::AllocateSlow(std::size_t size) {
    if (size > kChunkBytes / 2) {
        large_.emplace_back(new char[size]);
        return large_.back().get();
    }
    if (chunkInUse_ == chunks_.size()) {
        chunks_.emplace_back(new char[kChunkBytes]);
        ASAN_POISON_MEMORY_REGION(chunks_.back().get(), kChunkBytes);
    }
    cursor_ = chunks_[chunkInUse_++].get();
    limit_ = cursor_ + kChunkBytes;
    return Allocate(size);
}

std::string_view XmlArena::Copy(std::string_view text) {
    if (text.empty()) return {};
    auto* bytes = static_cast<char*>(Allocate(text.size()));
    std::memcpy(bytes, text.data(), text.size());
    return {bytes, text.size()};
}

XmlArena::~XmlArena() {
    for (const auto& chunk : chunks_)
        ASAN_UNPOISON_MEMORY_REGION(chunk.get(), kChunkBytes);
}

void XmlArena::Reset() {
    large_.clear();
    for (std::size_t i = 0; i < chunkInUse_; ++i)
        ASAN_POISON_MEMORY_REGION(chunks_[i].get(), kChunkBytes);
    chunkInUse_ = 0;
    cursor_ = limit_ = nullptr;
}
