// Small owners for GDI objects and device contexts, so that every early
// return frees what it must. Borrowed handles are never wrapped.
#pragma once

#include <windows.h>

#include "GdiObject.h"

// GetDC/ReleaseDC pair; a null window gives the screen.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~WindowDC() { if (m_dc) ReleaseDC(m_hwnd, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// CreateCompatibleDC/DeleteDC pair.
class MemoryDC {
public:
    explicit MemoryDC(HDC reference) : m_dc(CreateCompatibleDC(reference)) {}
    ~MemoryDC() { if (m_dc) DeleteDC(m_dc); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { if (m_old) SelectObject(m_dc, m_old); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Selects and realizes a palette for a scope.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette, BOOL background)
        : m_dc(dc), m_old(palette ? SelectPalette(dc, palette, background) : nullptr)
    {
        if (palette) RealizePalette(dc);
    }
    ~SelectedPalette() { if (m_old) SelectPalette(m_dc, m_old, TRUE); }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old;
};
