// The image document without windows: adopting the pending image, titles
// from origin ids, placement and canvas, Delete Image and the counter.
#include "image/XDocument.h"

#include "resources/resource.h"
#include "shell/AppState.h"

#include <gtest/gtest.h>

namespace {
XImage* FilledImage(int width, int height, int bitCount, UINT originId)
{
    auto* image = new XImage;
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    image->AllocateBlocks();
    image->m_nOriginId = originId;
    return image;
}

class PendingImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_hInstance) g_hInstance = GetModuleHandleA(nullptr);
        m_saved = g_pPendingImage;
        g_pPendingImage = nullptr;
    }
    void TearDown() override
    {
        delete g_pPendingImage;
        g_pPendingImage = m_saved;
        if (g_hPendingNote) GlobalFree(g_hPendingNote);
        g_hPendingNote = nullptr;
    }
    XImage* m_saved = nullptr;
};
}

TEST_F(PendingImage, NewDocumentAdoptsThePendingImageAndRenewsIt)
{
    int before = g_nDocuments;
    XImage* capture = FilledImage(100, 80, 24, IDS_ORIGIN_SCREEN);
    capture->m_bSelected = TRUE;
    g_pPendingImage = capture;
    {
        XDocument document;
        EXPECT_EQ(g_nDocuments, before + 1);
        ASSERT_TRUE(document.OnNewDocument());
        EXPECT_EQ(document.GetTitle(), "Screen Capture");
        EXPECT_EQ(capture->m_strTitle, "Screen Capture");
        ASSERT_EQ(document.ImageCount(), 1u);
        EXPECT_EQ(document.TopImage(), capture);
        EXPECT_FALSE(capture->m_bSelected);
        EXPECT_EQ(capture->m_rcCrop.right, 100);
        EXPECT_EQ(capture->m_rcPlace.right, 100);
        EXPECT_EQ(capture->m_rcPlace.bottom, 80);
        // The canvas of a single 100 x 80 image with the default margins.
        EXPECT_EQ(document.m_cxExtent, 110);
        EXPECT_EQ(document.m_cyExtent, 90);
        ASSERT_NE(g_pPendingImage, nullptr);
        EXPECT_NE(g_pPendingImage, capture);
        EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
    }
    EXPECT_EQ(g_nDocuments, before);
}

TEST_F(PendingImage, FilePathTitleIsKeptAndNoteIsTakenOver)
{
    g_pPendingImage = FilledImage(8, 8, 8, ID_FILE_SAVE_AS);
    g_pPendingImage->m_strTitle = "C:\\shots\\SHOT0001.BMP";
    HGLOBAL note = GlobalAlloc(GHND, 4);
    g_hPendingNote = note;
    XDocument document;
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.GetTitle(), "C:\\shots\\SHOT0001.BMP");
    EXPECT_EQ(document.m_hNote, note);
    EXPECT_EQ(g_hPendingNote, nullptr);
    // Drop the Notepad command posted for the main frame (none in this test).
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
}

TEST_F(PendingImage, NoPixelsNoDocument)
{
    XImage* failed = new XImage;
    failed->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
    g_pPendingImage = failed;
    XDocument document;
    EXPECT_FALSE(document.OnNewDocument());
    EXPECT_EQ(g_pPendingImage, failed);
    EXPECT_EQ(document.ImageCount(), 0u);
}

TEST_F(PendingImage, DeleteImageTitlesTheMergeWindowAndKeepsTheLastImage)
{
    g_pPendingImage = FilledImage(100, 80, 24, IDS_ORIGIN_WINDOW);
    XDocument document;
    ASSERT_TRUE(document.OnNewDocument());
    document.AddImage(FilledImage(40, 30, 8, 0));
    document.AddImage(FilledImage(10, 10, 4, 0));
    // Slot 2 lies at (100, 100): the canvas reaches 110 + margins.
    EXPECT_EQ(document.GetImage(2)->m_rcPlace.left, 100);
    EXPECT_EQ(document.m_cxExtent, 110 + 10);
    EXPECT_EQ(document.m_cyExtent, 110 + 10);

    CmdUI ui(ID_EDIT_DELETE_IMAGE);
    ASSERT_TRUE(document.OnCmdMsg(ID_EDIT_DELETE_IMAGE, &ui));
    EXPECT_TRUE(ui.m_bEnabled);
    ASSERT_TRUE(document.OnCmdMsg(ID_EDIT_DELETE_IMAGE, nullptr));
    EXPECT_EQ(document.ImageCount(), 2u);
    EXPECT_EQ(document.GetTitle(), "Merging - 2");
    EXPECT_EQ(document.m_cxExtent, 100 + 10);

    document.DeleteTopImage();
    EXPECT_EQ(document.ImageCount(), 1u);
    EXPECT_EQ(document.GetTitle(), "Merging - 1");
    EXPECT_EQ(document.m_cxExtent, 110);
    CmdUI last(ID_EDIT_DELETE_IMAGE);
    document.OnCmdMsg(ID_EDIT_DELETE_IMAGE, &last);
    EXPECT_FALSE(last.m_bEnabled);
    document.DeleteTopImage();
    EXPECT_EQ(document.ImageCount(), 1u);
}

TEST_F(PendingImage, SelectImageAndResetCroppingLines)
{
    g_pPendingImage = FilledImage(20, 10, 24, IDS_ORIGIN_REGION);
    XDocument document;
    ASSERT_TRUE(document.OnNewDocument());
    XImage* image = document.TopImage();

    CmdUI reset(ID_TOOL_RESET_CROP);
    document.OnCmdMsg(ID_TOOL_RESET_CROP, &reset);
    EXPECT_FALSE(reset.m_bEnabled);  // not selected

    document.OnCmdMsg(ID_TOOL_SELECT_IMAGE, nullptr);
    CmdUI select(ID_TOOL_SELECT_IMAGE);
    document.OnCmdMsg(ID_TOOL_SELECT_IMAGE, &select);
    EXPECT_TRUE(select.m_bChecked);

    CmdUI whole(ID_TOOL_RESET_CROP);
    document.OnCmdMsg(ID_TOOL_RESET_CROP, &whole);
    EXPECT_FALSE(whole.m_bEnabled);  // the lines are on the edges already
    image->m_rcCrop = RECT{2, 0, 20, 10};
    CmdUI moved(ID_TOOL_RESET_CROP);
    document.OnCmdMsg(ID_TOOL_RESET_CROP, &moved);
    EXPECT_TRUE(moved.m_bEnabled);
    document.OnCmdMsg(ID_TOOL_RESET_CROP, nullptr);
    EXPECT_EQ(image->m_rcCrop.left, 0);
    EXPECT_EQ(image->m_rcCrop.right, 20);
}
