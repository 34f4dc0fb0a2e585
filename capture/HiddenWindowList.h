// The windows that Hide All Windows took off the screen, in the order they
// were hidden, so that they can be shown again last-hidden first. The list
// holds at most 99 handles; a window that does not fit must stay visible,
// because nothing would show it again.
#pragma once

#include "../framework/kernel.h"

class HiddenWindowList {
public:
    static const int kCapacity = 99;

    // False when the list is full; the caller then leaves the window alone.
    bool Append(HWND hwnd)
    {
        if (m_nCount >= kCapacity) return false;
        m_windows[m_nCount++] = hwnd;
        return true;
    }
    bool IsFull() const { return m_nCount >= kCapacity; }
    int Count() const { return m_nCount; }
    HWND At(int index) const { return m_windows[index]; }
    void Clear() { m_nCount = 0; }

private:
    HWND m_windows[kCapacity] = {};
    int m_nCount = 0;
};
