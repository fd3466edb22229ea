#include "grid/GxCellPool.h"

#include <cassert>
#include <new>

// Under AddressSanitizer a free slot is poisoned, so a use after free or a double free inside
// the pool is reported as it would be for the system allocator.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define GX_POISON(addr, size) ASAN_POISON_MEMORY_REGION(addr, size)
#define GX_UNPOISON(addr, size) ASAN_UNPOISON_MEMORY_REGION(addr, size)
#define GX_CHECK_LIVE(addr) assert(!__asan_address_is_poisoned(addr))
#else
#define GX_POISON(addr, size) ((void)(addr), (void)(size))
#define GX_UNPOISON(addr, size) ((void)(addr), (void)(size))
#define GX_CHECK_LIVE(addr) ((void)(addr))
#endif

TCellPool::~TCellPool() noexcept
{
    assert(m_live == 0 && "objects outlived their pool");
    for (auto& block : m_blocks)
        GX_UNPOISON(block.get(), kBlockSize);
}

std::size_t TCellPool::ClassOf(std::size_t size)
{
    assert(size > 0 && size <= kMaxSlotSize);
    return (size + kAlign - 1) / kAlign - 1;
}

std::byte* TCellPool::NewBlock()
{
    m_blocks.push_back(std::make_unique<std::byte[]>(kBlockSize));
    std::byte* block = m_blocks.back().get();
    GX_POISON(block, kBlockSize);
    return block;
}

void* TCellPool::Allocate(std::size_t size)
{
    const std::size_t sizeClass = ClassOf(size);
    const std::size_t slotSize = (sizeClass + 1) * kAlign;
    SizeClass& slots = m_classes[sizeClass];
    void* slot = nullptr;
    if (slots.free) {
        FreeSlot* freeSlot = slots.free;
        GX_UNPOISON(freeSlot, slotSize);
        slots.free = freeSlot->next;
        slot = freeSlot;
    } else {
        if (slots.bump == slots.bumpEnd) {
            slots.bump = NewBlock();
            slots.bumpEnd = slots.bump + kBlockSize / slotSize * slotSize;
        }
        slot = slots.bump;
        slots.bump += slotSize;
        GX_UNPOISON(slot, slotSize);
    }
    ++m_live;
    return slot;
}

void TCellPool::Free(void* slot, std::size_t size) noexcept
{
    GX_CHECK_LIVE(slot);
    const std::size_t sizeClass = ClassOf(size);
    SizeClass& slots = m_classes[sizeClass];
    slots.free = new (slot) FreeSlot{slots.free};
    GX_POISON(slot, (sizeClass + 1) * kAlign);
    --m_live;
}

void TCellPool::ReleaseIfEmpty() noexcept
{
    if (m_live != 0)
        return;
    for (auto& block : m_blocks)
        GX_UNPOISON(block.get(), kBlockSize);
    m_blocks.clear();
    m_classes = {};
}
