// Flashes leave the screen as they found it after their pause, an empty
// capture rectangle ends at once, and the size readout inverts only its
// glyphs and removes itself when drawn twice.
#include "CaptureTestSupport.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureGeometry.h"

#include <gtest/gtest.h>

TEST(Flash, EachFlashRestoresTheScreenAfterItsPause)
{
    HWND window = CreateColourWindow(RECT{50, 60, 250, 200}, RGB(10, 200, 30));
    PumpMessages(150);
    RECT area = {40, 50, 261, 211};  // odd sizes: the extra line is restored too
    RECT wider = {30, 40, 280, 230};
    Pixels before = ReadScreen(wider);
    for (void (*flash)(const RECT&) : {FlashCenterIn, FlashInsideOut, FlashUpDown}) {
        DWORD start = GetTickCount();
        flash(area);
        EXPECT_GT(GetTickCount() - start, 350u);
        EXPECT_TRUE(ReadScreen(wider) == before);
    }
    DestroyWindow(window);
}

TEST(Flash, EmptyOrReversedRectangleReturnsWithoutDrawing)
{
    HWND window = CreateColourWindow(RECT{400, 300, 700, 600}, RGB(90, 90, 200));
    PumpMessages(200);
    RECT wider = {400, 300, 700, 600};
    Pixels before = ReadScreen(wider);
    for (RECT rc : {RECT{500, 400, 500, 400}, RECT{600, 500, 500, 400}, RECT{500, 500, 550, 400}}) {
        DWORD start = GetTickCount();
        FlashCenterIn(rc);
        FlashInsideOut(rc);
        FlashUpDown(rc);
        EXPECT_LT(GetTickCount() - start, 350u);  // no pause: nothing was inverted
    }
    EXPECT_TRUE(ReadScreen(wider) == before);
    DestroyWindow(window);
}

TEST(SizeReadout, InvertsGlyphsInTheMiddleAndUndoesItself)
{
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 200;
    bi.bmiHeader.biHeight = -100;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(canvas, nullptr);
    HGDIOBJ old = SelectObject(target, canvas);
    RECT all = {0, 0, 200, 100};
    FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<uint32_t*>(bits)[y * 200 + x] & 0xFFFFFF; };

    const RECT area = {0, 0, 200, 100};
    SIZE text;
    HDC measure = CreateCompatibleDC(target);
    GetTextExtentPoint32A(measure, "200x100", 7, &text);
    DeleteDC(measure);
    int left = (200 - text.cx) / 2, top = (100 - text.cy) / 2;

    DrawSizeReadout(target, area);
    GdiFlush();
    int black = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            uint32_t v = pixel(x, y);
            EXPECT_TRUE(v == 0xFFFFFF || v == 0) << x << "," << y;
            if (v == 0) {
                ++black;
                EXPECT_TRUE(x >= left && x < left + text.cx && y >= top && y < top + text.cy) << x << "," << y;
            }
        }
    EXPECT_GT(black, 20);
    EXPECT_LT(black, text.cx * text.cy / 2);  // glyphs, not the whole box

    DrawSizeReadout(target, area);
    GdiFlush();
    int changed = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) changed += pixel(x, y) != 0xFFFFFF;
    EXPECT_EQ(changed, 0);

    SelectObject(target, old);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}
