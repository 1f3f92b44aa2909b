#pragma once
// A page heap for chosen objects: while a GuardedAllocations scope lives, every allocation gets
// pages of its own. Freeing such a block decommits its pages and keeps them reserved, so the
// address is never handed out again and any later read or write faults at once.
// Link guarded_heap.cpp only into a test that wants it: it replaces the global operator new.

namespace wintest {

class GuardedAllocations {
public:
    GuardedAllocations();
    ~GuardedAllocations();
    GuardedAllocations(const GuardedAllocations&) = delete;
    GuardedAllocations& operator=(const GuardedAllocations&) = delete;
};

// Whether `p` is a live guarded block; whether it was one and has been freed.
bool IsGuardedBlock(const void* p);
bool IsFreedGuardedBlock(const void* p);

} // namespace wintest
