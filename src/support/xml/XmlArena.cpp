#include "support/xml/XmlArena.h"

#include <algorithm>
#include <cstring>

void* XmlArena::AllocateSlow(std::size_t size) {
    if (size > kLargestChunkBytes / 2) return large_.emplace_back(new char[size]).get();
    // A chunk kept from an earlier document may be too small for this block.
    while (chunkInUse_ < chunks_.size() && chunks_[chunkInUse_].size < size)
        ++chunkInUse_;
    if (chunkInUse_ == chunks_.size()) AddChunk(size);
    const Chunk& chunk = chunks_[chunkInUse_++];
    cursor_ = chunk.bytes.get();
    limit_ = cursor_ + chunk.size;
    return Allocate(size);
}

void XmlArena::AddChunk(std::size_t atLeast) {
    const std::size_t doubled = kFirstChunkBytes << std::min<std::size_t>(chunks_.size(), 6);
    const std::size_t size = std::max(std::min(doubled, kLargestChunkBytes), atLeast);
    chunks_.push_back({std::unique_ptr<char[]>(new char[size]), size});
    ASAN_POISON_MEMORY_REGION(chunks_.back().bytes.get(), size);
}

std::string_view XmlArena::Copy(std::string_view text) {
    if (text.empty()) return {};
    auto* bytes = static_cast<char*>(Allocate(text.size()));
    std::memcpy(bytes, text.data(), text.size());
    return {bytes, text.size()};
}

XmlArena::~XmlArena() {
    for (const Chunk& chunk : chunks_)
        ASAN_UNPOISON_MEMORY_REGION(chunk.bytes.get(), chunk.size);
}

void XmlArena::Reset() {
    large_.clear();
    for (std::size_t i = 0; i < chunkInUse_; ++i)
        ASAN_POISON_MEMORY_REGION(chunks_[i].bytes.get(), chunks_[i].size);
    chunkInUse_ = 0;
    cursor_ = limit_ = nullptr;
}
