#include "support/xml/XmlBlocks.h"

#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 16; // blocks of up to 256 bytes
constexpr std::size_t kSlabBytes = std::size_t{1} << 16;

struct FreeBlock {
    FreeBlock* next;
};

struct ThreadCache {
    FreeBlock* free[kClasses] = {};
    char* cursor = nullptr;
    char* limit = nullptr;
};
thread_local ThreadCache cache;

char* NewSlab() {
    static std::mutex mutex;
    static std::vector<std::unique_ptr<char[]>> slabs;
    const std::lock_guard lock(mutex);
    slabs.emplace_back(new char[kSlabBytes]);
    return slabs.back().get();
}

std::size_t ClassOf(std::size_t size) {
    return (size + kGranule - 1) / kGranule - 1;
}

} // namespace

void* XmlBlocks::Allocate(std::size_t size) {
    if (size == 0 || size > kClasses * kGranule) return ::operator new(size);
    const std::size_t sizeClass = ClassOf(size);
    if (FreeBlock* block = cache.free[sizeClass]) {
        cache.free[sizeClass] = block->next;
        return block;
    }
    const std::size_t bytes = (sizeClass + 1) * kGranule;
    if (static_cast<std::size_t>(cache.limit - cache.cursor) < bytes) {
        cache.cursor = NewSlab();
        cache.limit = cache.cursor + kSlabBytes;
    }
    void* block = cache.cursor;
    cache.cursor += bytes;
    return block;
}

void XmlBlocks::Release(void* block, std::size_t size) noexcept {
    if (!block) return;
    if (size == 0 || size > kClasses * kGranule) return ::operator delete(block);
    const std::size_t sizeClass = ClassOf(size);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = cache.free[sizeClass];
    cache.free[sizeClass] = freed;
}
