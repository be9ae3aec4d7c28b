#pragma once
// An allocator for arrays of millions of entries that are filled right after
// they are made (the log's columns and their index). Made of 4 KiB pages,
// such an array costs one page fault per page on its first write, thousands
// of them, and on a virtual machine each fault is dear; asked for as
// transparent huge pages, it costs one per 2 MiB. The memory still comes
// from malloc, so the heap's figures count it. Small arrays take the plain
// allocator.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <sys/mman.h>

namespace zelmor {

template <class T>
struct LargeArrayAllocator {
    using value_type = T;
    static constexpr std::size_t HugePage = std::size_t(2) << 20;

    LargeArrayAllocator() = default;
    template <class U>
    LargeArrayAllocator(const LargeArrayAllocator<U> &) {}

    T *allocate(std::size_t n) {
        if (n > (std::size_t(-1) - HugePage) / sizeof(T)) throw std::bad_array_new_length();
        if (!large(n)) return std::allocator<T>().allocate(n);
        const std::size_t bytes = (n * sizeof(T) + HugePage - 1) & ~(HugePage - 1);
        void *p = std::aligned_alloc(HugePage, bytes);
        if (!p) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        ::madvise(p, bytes, MADV_HUGEPAGE); // only advice: without it the pages are small
#endif
        return static_cast<T *>(p);
    }
    void deallocate(T *p, std::size_t n) {
        if (!large(n)) std::allocator<T>().deallocate(p, n);
        else std::free(p);
    }
    friend bool operator==(const LargeArrayAllocator &, const LargeArrayAllocator &) { return true; }

private:
    static bool large(std::size_t n) { return n * sizeof(T) >= HugePage; }
};

} // namespace zelmor
