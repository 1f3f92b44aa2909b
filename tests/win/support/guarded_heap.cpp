#include "guarded_heap.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace wintest {
namespace {

struct Block {
    void* Address;
    bool Freed;
};

constexpr int kMaxBlocks = 4096;
Block g_blocks[kMaxBlocks];
int g_blockCount = 0;
int g_guardDepth = 0;

Block* FindBlock(const void* p) {
    for (int i = 0; i < g_blockCount; ++i)
        if (g_blocks[i].Address == p) return &g_blocks[i];
    return nullptr;
}

void* Allocate(std::size_t size) {
    if (size == 0) size = 1;
    if (g_guardDepth > 0 && g_blockCount < kMaxBlocks) {
        void* p = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (p) {
            g_blocks[g_blockCount++] = {p, false};
            return p;
        }
    }
    if (void* p = std::malloc(size)) return p;
    throw std::bad_alloc();
}

void Free(void* p) noexcept {
    if (!p) return;
    if (Block* block = FindBlock(p)) {
        // A second free of a guarded block faults here, as a use after free would.
        if (block->Freed) *static_cast<volatile char*>(p) = 0;
        VirtualFree(p, 0, MEM_DECOMMIT);
        block->Freed = true;
        return;
    }
    std::free(p);
}

} // namespace

GuardedAllocations::GuardedAllocations() {
    ++g_guardDepth;
}
GuardedAllocations::~GuardedAllocations() {
    --g_guardDepth;
}

bool IsGuardedBlock(const void* p) {
    const Block* block = FindBlock(p);
    return block && !block->Freed;
}

bool IsFreedGuardedBlock(const void* p) {
    const Block* block = FindBlock(p);
    return block && block->Freed;
}

} // namespace wintest

void* operator new(std::size_t size) {
    return wintest::Allocate(size);
}
void* operator new[](std::size_t size) {
    return wintest::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return wintest::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return wintest::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    wintest::Free(p);
}
void operator delete[](void* p) noexcept {
    wintest::Free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    wintest::Free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    wintest::Free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    wintest::Free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    wintest::Free(p);
}
