#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <sanitizer/asan_interface.h>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

// Storage for one document's nodes, lists and texts. A document holds hundreds of thousands of
// small objects: they are carved one after another from chunks and all given back at once by
// Reset, so building a tree costs no allocator calls and releasing it costs no walk. Chunks grow
// from small to large, so a small document takes little memory, and Reset keeps them, so the
// next document reuses pages already mapped.
class XmlArena {
public:
    XmlArena() = default;
    ~XmlArena();
    XmlArena(const XmlArena&) = delete;
    XmlArena& operator=(const XmlArena&) = delete;

    // Memory for `size` bytes aligned for any node, valid until Reset.
    void* Allocate(std::size_t size) {
        size = (size + kAlign - 1) & ~(kAlign - 1);
        if (static_cast<std::size_t>(limit_ - cursor_) < size) return AllocateSlow(size);
        void* block = cursor_;
        cursor_ += size;
        ASAN_UNPOISON_MEMORY_REGION(block, size);
        return block;
    }

    // Objects placed here are never destroyed one by one, so they must not need it.
    template <class T, class... Args> T* New(Args&&... args) {
        static_assert(std::is_trivially_destructible_v<T>);
        return new (Allocate(sizeof(T))) T(std::forward<Args>(args)...);
    }

    template <class T> T* NewArray(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>);
        return static_cast<T*>(Allocate(count * sizeof(T)));
    }

    // A copy of `text` that lives as long as the arena's content.
    std::string_view Copy(std::string_view text);

    // Gives back everything handed out; what was handed out must no longer be used (under
    // AddressSanitizer a later use is reported).
    void Reset();

private:
    static constexpr std::size_t kAlign = alignof(std::max_align_t);
    static constexpr std::size_t kFirstChunkBytes = std::size_t{1} << 14;
    static constexpr std::size_t kLargestChunkBytes = std::size_t{1} << 20;

    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t size;
    };

    void* AllocateSlow(std::size_t size);
    void AddChunk(std::size_t atLeast);

    std::vector<Chunk> chunks_;
    std::size_t chunkInUse_ = 0;                 // index of the chunk after the one being carved
    std::vector<std::unique_ptr<char[]>> large_; // blocks bigger than half the largest chunk
    char* cursor_ = nullptr;
    char* limit_ = nullptr;
};

// A growing array of pointers whose storage comes from an arena; growth leaves the old storage
// to the arena, which is at most as much again as the final array.
template <class T> class XmlArenaList {
public:
    std::size_t Size() const { return size_; }
    T* operator[](std::size_t index) const { return items_[index]; }
    // Also lets go of the storage, which may belong to an arena since reset.
    void Clear() {
        items_ = nullptr;
        size_ = capacity_ = 0;
    }

    void Push(XmlArena& arena, T* item) {
        if (size_ == capacity_) Grow(arena);
        items_[size_++] = item;
    }

private:
    void Grow(XmlArena& arena) {
        const std::size_t capacity = capacity_ ? capacity_ * 2 : 4;
        T** grown = arena.NewArray<T*>(capacity);
        std::copy_n(items_, size_, grown);
        items_ = grown;
        capacity_ = capacity;
    }

    T** items_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
