// RAII for movable global memory: LockedBlock locks a block for the life of
// a scope; OwnedBlock frees a block unless ownership is released to the
// clipboard or another owner. An OwnedBlock passes its handle on where a
// plain HGLOBAL is asked for (lent, not given: the block stays its own);
// taking a block over always goes through reset and release.
#pragma once

#include "kernel.h"

template <typename T = BYTE>
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL h) : m_h(h), m_p(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~LockedBlock() { if (m_p) GlobalUnlock(m_h); }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    HGLOBAL m_h;
    T* m_p;
};

class OwnedBlock {
public:
    OwnedBlock() = default;
    explicit OwnedBlock(HGLOBAL h) : m_h(h) {}
    ~OwnedBlock() { if (m_h) GlobalFree(m_h); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;

    // Movable block, zero-filled unless the flags leave GMEM_ZEROINIT out
    // (for a caller that writes every byte); false when memory is short.
    bool Allocate(size_t bytes, UINT flags = GHND)
    {
        reset(GlobalAlloc(flags, bytes));
        return m_h != nullptr;
    }
    HGLOBAL get() const { return m_h; }
    operator HGLOBAL() const { return m_h; }
    HGLOBAL release() { HGLOBAL h = m_h; m_h = nullptr; return h; }
    void reset(HGLOBAL h = nullptr)
    {
        if (m_h && m_h != h) GlobalFree(m_h);
        m_h = h;
    }

private:
    HGLOBAL m_h = nullptr;
};
