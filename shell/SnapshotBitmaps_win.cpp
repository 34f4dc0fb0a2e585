// Device bitmaps of the snapshot buttons. Each picture goes through a
// top-down 32-bit DIB into a bitmap compatible with the screen, so that
// the title-bar painters copy it with one block transfer.
#include "SnapshotBitmaps_win.h"

#include "SnapshotGlyphs.h"

#include "../capture/CaptureGdi.h"

namespace {

HBITMAP MakeBitmap(HDC screen, const ButtonImage& image, const ButtonColors& colors)
{
    if (image.width <= 0 || image.height <= 0) return nullptr;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, image.width, image.height));
    if (!bitmap) return nullptr;
    const std::vector<uint32_t> pixels = ButtonImageToDib32(image, colors);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (!SetDIBits(screen, bitmap.get(), 0, UINT(image.height), pixels.data(), &info, DIB_RGB_COLORS))
        return nullptr;
    return bitmap.release();
}

}  // namespace

void SnapshotBitmaps::Build(const SnapshotStrip& strip, COLORREF face)
{
    Delete();
    WindowDC screen(nullptr);
    if (!screen) return;
    const ButtonColors colors = {face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    for (int button = 0; button < kSnapButtonCount; ++button) {
        m_up[button].reset(MakeBitmap(
            screen.get(), BuildButtonImage(button, false, strip.buttonWidth, strip.buttonHeight), colors));
        m_down[button].reset(MakeBitmap(
            screen.get(), BuildButtonImage(button, true, strip.buttonWidth, strip.buttonHeight), colors));
    }
    m_strip.reset(MakeBitmap(screen.get(), BuildStripImage(strip), colors));
}

void SnapshotBitmaps::Delete()
{
    for (int button = 0; button < kSnapButtonCount; ++button) {
        m_up[button].reset();
        m_down[button].reset();
    }
    m_strip.reset();
}

HBITMAP SnapshotBitmaps::Button(int button, bool down) const
{
    if (button < 0 || button >= kSnapButtonCount) return nullptr;
    return down ? m_down[button].get() : m_up[button].get();
}

void CopyBitmapToScreen(HBITMAP bitmap, int x, int y, int width, int height)
{
    if (!bitmap) return;
    DisplayDC screen;
    if (!screen) return;
    MemoryDC memory(screen.get());
    if (!memory) return;
    SelectedObject selected(memory.get(), bitmap);
    BitBlt(screen.get(), x, y, width, height, memory.get(), 0, 0, SRCCOPY);
}
