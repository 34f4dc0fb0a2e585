// The document's side of the open dialog's preview: a file opened while the
// preloaded mark names it adopts the pending image the preview read; any
// other file is read from disk and the stale preview is dropped. Either way
// the mark is gone and a fresh pending image takes the old one's place.
#include "dialogs/FilePreview.h"

#include "formats/ImageFile.h"
#include "framework/WinApp.h"
#include "image/XDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
// A 2 x 1 24-bit BMP: rows of 6 pixel bytes padded to 8.
void WriteBmp(const std::string& path, unsigned char blue)
{
    const unsigned char bmp[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
        8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        blue, 0, 0, 0, 0, 0, 0, 0,
    };
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(bmp, 1, sizeof bmp, out);
    std::fclose(out);
}

class Preload : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!WinApp::Instance()) WinApp::SetInstance(GetModuleHandleA(nullptr));
        m_saved = g_pPendingImage;
        g_pPendingImage = new XImage;
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        m_previewed = std::string(folder) + "kestrel_preview_a.bmp";
        m_typed = std::string(folder) + "kestrel_preview_b.bmp";
        WriteBmp(m_previewed, 0x11);
        WriteBmp(m_typed, 0x22);
    }
    void TearDown() override
    {
        g_preloadMark.Clear();
        delete g_pPendingImage;
        g_pPendingImage = m_saved;
        DeleteFileA(m_previewed.c_str());
        DeleteFileA(m_typed.c_str());
    }
    // What the preview does: read into the pending image and set the mark.
    XImage* Preview()
    {
        ReadImageFile(g_pPendingImage, m_previewed.c_str());
        g_preloadMark.Set(m_previewed);
        return g_pPendingImage;
    }
    static BYTE FirstBlue(const XDocument& document)
    {
        const BYTE* bits = static_cast<const BYTE*>(GlobalLock(document.TopImage()->m_hBits));
        BYTE blue = bits ? bits[0] : 0;
        GlobalUnlock(document.TopImage()->m_hBits);
        return blue;
    }
    XImage* m_saved = nullptr;
    std::string m_previewed;
    std::string m_typed;
};
}

TEST_F(Preload, ThePreviewedFileAdoptsThePendingImage)
{
    XImage* previewed = Preview();
    ASSERT_NE(previewed->m_hBits, nullptr);
    XDocument document;
    ASSERT_TRUE(document.OnOpenDocument(m_previewed));
    EXPECT_EQ(document.TopImage(), previewed);
    EXPECT_EQ(FirstBlue(document), 0x11);
    EXPECT_NE(g_pPendingImage, previewed);
    ASSERT_NE(g_pPendingImage, nullptr);
    EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
    EXPECT_FALSE(g_preloadMark.IsSet());
}

TEST_F(Preload, AnotherNameTypedAfterThePreviewOpensThatFile)
{
    ASSERT_NE(Preview()->m_hBits, nullptr);
    XDocument document;
    ASSERT_TRUE(document.OnOpenDocument(m_typed));
    EXPECT_EQ(FirstBlue(document), 0x22);
    EXPECT_EQ(document.TopImage()->m_strTitle, m_typed);
    // The stale preview is not left in the pending image for the next window.
    ASSERT_NE(g_pPendingImage, nullptr);
    EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
    EXPECT_FALSE(g_preloadMark.IsSet());
}

TEST_F(Preload, WithoutTheMarkTheFileIsReadAndThePendingImageLeftAlone)
{
    XImage* pending = g_pPendingImage;
    XDocument document;
    ASSERT_TRUE(document.OnOpenDocument(m_previewed));
    EXPECT_EQ(g_pPendingImage, pending);
    EXPECT_EQ(FirstBlue(document), 0x11);
}
