// White canvas with copied parts of the display.
#include "CompositeGrab.h"

#include "CaptureGeometry.h"

#include "../framework/Display.h"

#include <cstdint>

CompositeGrab::CompositeGrab(const RECT& area) : m_area(area)
{
    int32_t width, height;
    if (!m_display || !CaptureExtent(area, &width, &height)) return;
    m_bitmap = CreateCompatibleBitmap(m_display.get(), width, height);
    if (!m_bitmap) return;
    m_memory = CreateCompatibleDC(m_display.get());
    m_old = m_memory ? SelectObject(m_memory, m_bitmap) : nullptr;
    if (!m_old) {
        if (m_memory) DeleteDC(m_memory);
        m_memory = nullptr;
        DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        return;
    }
    PatBlt(m_memory, 0, 0, width, height, WHITENESS);
}

CompositeGrab::~CompositeGrab()
{
    if (m_memory) {
        SelectObject(m_memory, m_old);
        DeleteDC(m_memory);
    }
    if (m_bitmap) DeleteObject(m_bitmap);
}

bool CompositeGrab::ToPicture(const RECT& part, RECT* picture) const
{
    RECT onScreen = ClipToScreen(part, ScreenWidth(), ScreenHeight());
    RECT inArea;
    if (!IntersectRect(&inArea, &onScreen, &m_area)) return false;
    *picture = inArea;
    OffsetRect(picture, -m_area.left, -m_area.top);
    return true;
}

void CompositeGrab::CopyFromDisplay(const RECT& part)
{
    RECT picture;
    if (!m_memory || !ToPicture(part, &picture)) return;
    BitBlt(m_memory, picture.left, picture.top, picture.right - picture.left, picture.bottom - picture.top,
           m_display.get(), picture.left + m_area.left, picture.top + m_area.top, SRCCOPY);
}

void CompositeGrab::Whiten(const RECT& part)
{
    RECT picture;
    if (!m_memory || !ToPicture(part, &picture)) return;
    FillRect(m_memory, &picture, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

CapturedBitmap CompositeGrab::Finish()
{
    if (m_memory) {
        SelectObject(m_memory, m_old);
        DeleteDC(m_memory);
        m_memory = nullptr;
    }
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return GrabbedArea(bitmap, m_area);
}
