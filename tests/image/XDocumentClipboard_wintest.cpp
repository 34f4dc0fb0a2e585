// Copy Image and Paste Image against the real clipboard: the formats put
// there for each kind of image, and a copy pasted back as a new image.
#include "image/XDocumentClipboard.h"

#include "framework/GlobalBlock.h"
#include "framework/WinApp.h"
#include "image/XDocument.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
class Clipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!WinApp::Instance()) WinApp::SetInstance(GetModuleHandleA(nullptr));
        m_savedFrame = WinApp::MainWnd();
        // The clipboard is opened for the main frame; any window will do.
        m_owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        WinApp::SetMainWnd(m_owner);
    }
    void TearDown() override
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        WinApp::SetMainWnd(m_savedFrame);
        DestroyWindow(m_owner);
    }

    static void Fill(XImage* image, int width, int height, int bitCount)
    {
        image->m_nWidth = width;
        image->m_nHeight = height;
        image->m_nBitCount = uint16_t(bitCount);
        ASSERT_TRUE(image->AllocateBlocks());
        LockedBlock<BYTE> bits(image->m_hBits);
        for (size_t i = 0; i < image->BitsSize(); ++i) bits.get()[i] = BYTE(i * 37 + 5);
    }

    HWND m_owner = nullptr;
    HWND m_savedFrame = nullptr;
};

int BitmapRowBytes()
{
    OpenClipboard(WinApp::MainWnd());
    BITMAP facts = {};
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (bitmap) GetObjectA(bitmap, sizeof facts, &facts);
    CloseClipboard();
    return bitmap ? facts.bmWidthBytes : -1;
}
}

TEST_F(Clipboard, OneBitImagesBecomeMonochromeBitmaps)
{
    XImage narrow;
    Fill(&narrow, 16, 3, 1);
    CopyImageToClipboard(narrow);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(BitmapRowBytes(), 2);
    XImage wide;
    Fill(&wide, 17, 3, 1);
    CopyImageToClipboard(wide);
    EXPECT_EQ(BitmapRowBytes(), 4);
}

TEST_F(Clipboard, TrueColourImageRoundTripsThroughCopyAndPaste)
{
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    if (depth < 24) GTEST_SKIP() << "needs a true-colour display";
    XImage source;
    Fill(&source, 7, 5, 24);
    source.PrepareForShow();
    CopyImageToClipboard(source);
    ASSERT_TRUE(ClipboardHasImage());

    std::unique_ptr<XImage> pasted = PasteImageFromClipboard();
    ASSERT_NE(pasted, nullptr);
    ASSERT_NE(pasted->m_hBits, nullptr);
    EXPECT_EQ(pasted->m_nOriginId, unsigned(IDS_ORIGIN_CLIPBOARD));
    EXPECT_EQ(pasted->m_nWidth, 7);
    EXPECT_EQ(pasted->m_nHeight, 5);
    EXPECT_EQ(pasted->m_nBitCount, 24);
    EXPECT_EQ(pasted->m_bitmap, nullptr);  // the clipboard's bitmap was only borrowed
    LockedBlock<BYTE> want(source.m_hBits), got(pasted->m_hBits);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(0, std::memcmp(want.get() + y * 24, got.get() + y * 24, 21)) << "row " << y;
    // The clipboard still owns a usable bitmap.
    EXPECT_GT(BitmapRowBytes(), 0);
}

TEST_F(Clipboard, PastingAPackedDibPrefersItOverTheBitmap)
{
    // A 2 x 1 8-bit DIB with a two-entry table, put there by hand.
    const BYTE dib[] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                        0, 255, 0, 0, 255, 0, 0, 0, 1, 0, 0, 0};
    HGLOBAL block = GlobalAlloc(GHND, sizeof dib);
    std::memcpy(GlobalLock(block), dib, sizeof dib);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(WinApp::MainWnd()));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_DIB, block), nullptr);
    CloseClipboard();

    std::unique_ptr<XImage> pasted = PasteImageFromClipboard();
    ASSERT_NE(pasted, nullptr);
    ASSERT_NE(pasted->m_hBits, nullptr);
    EXPECT_EQ(pasted->m_nBitCount, 8);
    EXPECT_EQ(pasted->m_nWidth, 2);
    LockedBlock<BYTE> info(pasted->m_hInfo), bits(pasted->m_hBits);
    EXPECT_EQ(info.get()[41], 255);  // entry 0 green
    EXPECT_EQ(info.get()[44], 255);  // entry 1 blue
    EXPECT_EQ(bits.get()[0], 1);
    EXPECT_EQ(bits.get()[1], 0);
}
