#pragma once

#include <cstddef>

// Storage for the reader's nodes and lists. A document holds hundreds of thousands of small
// objects; blocks of one size are handed out from large slabs and reused once released, so
// building and clearing a tree costs no general-purpose allocator calls. Slabs are kept for
// the life of the process; released blocks wait in per-thread lists.
namespace XmlBlocks {
void* Allocate(std::size_t size);
void Release(void* block, std::size_t size) noexcept;
} // namespace XmlBlocks

// Gives a class its objects from XmlBlocks.
#define SKEDORA_XML_BLOCKS                                                                         \
    static void* operator new(std::size_t size) {                                                  \
        return XmlBlocks::Allocate(size);                                                          \
    }                                                                                              \
    static void operator delete(void* block, std::size_t size) noexcept {                          \
        XmlBlocks::Release(block, size);                                                           \
    }

// A standard allocator over XmlBlocks, for the reader's small vectors.
template <class T> struct XmlBlockAllocator {
    using value_type = T;
    XmlBlockAllocator() = default;
    template <class U> XmlBlockAllocator(const XmlBlockAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(XmlBlocks::Allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { XmlBlocks::Release(p, n * sizeof(T)); }
    friend bool operator==(const XmlBlockAllocator&, const XmlBlockAllocator&) { return true; }
};
