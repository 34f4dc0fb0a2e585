// The image document without windows: adopting a handed-over image, titles
// from origin ids, placement and canvas, Delete Image and the counter.
#include "image/XDocument.h"

#include "framework/WinApp.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {
std::unique_ptr<XImage> FilledImage(int width, int height, int bitCount, UINT originId)
{
    std::unique_ptr<XImage> image(new XImage);
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
        if (!WinApp::Instance()) WinApp::SetInstance(GetModuleHandleA(nullptr));
    }
    void TearDown() override
    {
        if (g_hPendingNote) GlobalFree(g_hPendingNote);
        g_hPendingNote = nullptr;
    }
};
}

TEST_F(PendingImage, NewDocumentAdoptsTheHandedImage)
{
    int before = g_nDocuments;
    std::unique_ptr<XImage> handed = FilledImage(100, 80, 24, IDS_ORIGIN_SCREEN);
    handed->m_bSelected = TRUE;
    XImage* capture = handed.get();
    {
        XDocument document;
        EXPECT_EQ(g_nDocuments, before + 1);
        // The framework's plain New has no image to show.
        EXPECT_FALSE(document.OnNewDocument());
        ASSERT_TRUE(document.AdoptImage(std::move(handed)));
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
    }
    EXPECT_EQ(g_nDocuments, before);
}

TEST_F(PendingImage, FilePathTitleIsKeptAndNoteIsTakenOver)
{
    std::unique_ptr<XImage> saved = FilledImage(8, 8, 8, ID_FILE_SAVE_AS);
    saved->m_strTitle = "C:\\shots\\SHOT0001.BMP";
    HGLOBAL note = GlobalAlloc(GHND, 4);
    g_hPendingNote = note;
    XDocument document;
    ASSERT_TRUE(document.AdoptImage(std::move(saved)));
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
    std::unique_ptr<XImage> failed(new XImage);
    failed->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
    XDocument document;
    EXPECT_FALSE(document.AdoptImage(std::move(failed)));
    EXPECT_FALSE(document.AdoptImage(nullptr));
    EXPECT_EQ(document.ImageCount(), 0u);
}

TEST_F(PendingImage, DeleteImageTitlesTheMergeWindowAndKeepsTheLastImage)
{
    XDocument document;
    ASSERT_TRUE(document.AdoptImage(FilledImage(100, 80, 24, IDS_ORIGIN_WINDOW)));
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
    XDocument document;
    ASSERT_TRUE(document.AdoptImage(FilledImage(20, 10, 24, IDS_ORIGIN_REGION)));
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

TEST_F(PendingImage, OpenedFileKeepsItsPathStampAndNote)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string image = std::string(folder) + "kestrel_open_test.bmp";
    std::string note = std::string(folder) + "kestrel_open_test.txt";
    // A 2 x 2 24-bit BMP written byte by byte: rows of 6 pixel bytes padded to 8.
    const unsigned char bmp[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,      // info header
        16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 0, 255, 0, 0, 0,                                         // bottom row: red, green
        255, 0, 0, 255, 255, 255, 0, 0,                                     // top row: blue, white
    };
    FILE* out = std::fopen(image.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(bmp, 1, sizeof bmp, out);
    std::fclose(out);
    out = std::fopen(note.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("seen at dawn", out);
    std::fclose(out);

    {
        XDocument document;
        ASSERT_TRUE(document.OnOpenDocument(image));
        ASSERT_EQ(document.ImageCount(), 1u);
        const XImage* opened = document.TopImage();
        EXPECT_EQ(opened->m_nWidth, 2);
        EXPECT_EQ(opened->m_nBitCount, 24);
        EXPECT_EQ(opened->m_strTitle, image);
        EXPECT_GT(opened->m_tStamp, 1600000000);
        EXPECT_EQ(document.m_cxExtent, 12);
        ASSERT_NE(document.m_hNote, nullptr);
        const char* text = static_cast<const char*>(GlobalLock(document.m_hNote));
        EXPECT_STREQ(text, "seen at dawn");
        GlobalUnlock(document.m_hNote);
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
    DeleteFileA(image.c_str());
    DeleteFileA(note.c_str());

    XDocument missing;
    EXPECT_FALSE(missing.OnOpenDocument(std::string(folder) + "kestrel_no_such_file.xyz"));
}
