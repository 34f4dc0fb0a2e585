// Owner of one GDI object created by us (pen, brush, font, bitmap,
// palette): deleted with its owner unless released, for example to the
// clipboard. Portable, so that the image object can hold its device
// bitmap and palette in the core that also builds on other hosts. Like
// OwnedBlock it lends its handle where a plain one is asked for; taking
// one over goes through reset and release.
#pragma once

#include "kernel.h"

template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : m_h(h) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_h(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        reset(other.release());
        return *this;
    }

    H get() const { return m_h; }
    operator H() const { return m_h; }
    H release()
    {
        H h = m_h;
        m_h = nullptr;
        return h;
    }
    void reset(H h = nullptr)
    {
        // Deleting a stock object (the default palette stands in for a
        // palette that could not be made) is allowed and does nothing.
        if (m_h && m_h != h) DeleteObject(reinterpret_cast<HGDIOBJ>(m_h));
        m_h = h;
    }

private:
    H m_h = nullptr;
};
