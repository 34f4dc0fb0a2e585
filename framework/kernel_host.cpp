// Host stand-in for movable global memory: a block is a header followed by
// its bytes, so a handle and its locked pointer are both cheap to derive.
// Locks are counted only to catch unbalanced use in tests.
#include "kernel.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
struct Block {
    size_t size;
    unsigned locks;
    alignas(16) unsigned char data[1];
};

Block* FromHandle(HGLOBAL h) { return reinterpret_cast<Block*>(h); }
}

HGLOBAL GlobalAlloc(UINT flags, size_t bytes)
{
    size_t total = offsetof(Block, data) + (bytes ? bytes : 1);
    if (total < bytes) return nullptr;
    void* p = (flags & GMEM_ZEROINIT) ? std::calloc(1, total) : std::malloc(total);
    if (!p) return nullptr;
    Block* b = static_cast<Block*>(p);
    b->size = bytes;
    b->locks = 0;
    return reinterpret_cast<HGLOBAL>(b);
}

HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags)
{
    Block* old = FromHandle(h);
    if (!old) return nullptr;
    HGLOBAL fresh = GlobalAlloc(flags, bytes);
    if (!fresh) return nullptr;
    std::memcpy(FromHandle(fresh)->data, old->data, old->size < bytes ? old->size : bytes);
    std::free(old);
    return fresh;
}

void* GlobalLock(HGLOBAL h)
{
    Block* b = FromHandle(h);
    if (!b) return nullptr;
    ++b->locks;
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL h)
{
    Block* b = FromHandle(h);
    if (b && b->locks) --b->locks;
    return b && b->locks;
}

HGLOBAL GlobalFree(HGLOBAL h)
{
    std::free(FromHandle(h));
    return nullptr;
}

size_t GlobalSize(HGLOBAL h)
{
    Block* b = FromHandle(h);
    return b ? b->size : 0;
}

BOOL DeleteObject(HGDIOBJ) { return TRUE; }
