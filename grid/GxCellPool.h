#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

// Fixed-size slots carved from large blocks, one free list per slot size. A grid of a million
// rows holds millions of small cells and row records; a heap allocation for each would cost a
// header per object and a trip to the allocator. Freed slots are reused; the blocks go back to
// the system when nothing is left alive in them. Single-threaded, like the grid.
class TCellPool
{
public:
    static constexpr std::size_t kMaxSlotSize = 64;

    TCellPool() = default;
    TCellPool(const TCellPool&) = delete;
    TCellPool& operator=(const TCellPool&) = delete;
    ~TCellPool() noexcept;

    // Memory for an object of the size (at most kMaxSlotSize), aligned for pointers and doubles.
    void* Allocate(std::size_t size);
    void Free(void* slot, std::size_t size) noexcept;

    // Objects allocated and not yet freed.
    std::size_t LiveCount() const { return m_live; }
    // Gives every block back to the system when no object is alive.
    void ReleaseIfEmpty() noexcept;

private:
    static constexpr std::size_t kAlign = 8;
    static constexpr std::size_t kBlockSize = 64 * 1024;

    struct FreeSlot
    {
        FreeSlot* next;
    };
    struct SizeClass
    {
        FreeSlot* free = nullptr;
        std::byte* bump = nullptr;
        std::byte* bumpEnd = nullptr;
    };

    static std::size_t ClassOf(std::size_t size);
    std::byte* NewBlock();

    std::array<SizeClass, kMaxSlotSize / kAlign> m_classes{};
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::size_t m_live = 0;
};
