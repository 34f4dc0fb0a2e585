// The open dialog's preview on its way to the document: the file the
// preview read opens with the very image the preview holds; a name typed
// after the preview is read from disk and the stale preview is dropped;
// without a preview the file is read.
#include "dialogs/FilePreview.h"

#include "formats/ImageFile.h"
#include "framework/GlobalBlock.h"
#include "framework/WinApp.h"
#include "image/XDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
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
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        m_previewed = std::string(folder) + "kestrel_preview_a.bmp";
        m_typed = std::string(folder) + "kestrel_preview_b.bmp";
        WriteBmp(m_previewed, 0x11);
        WriteBmp(m_typed, 0x22);
    }
    void TearDown() override
    {
        DeleteFileA(m_previewed.c_str());
        DeleteFileA(m_typed.c_str());
        // Drop the Notepad commands no main frame is there to take.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        }
    }
    // What the dialog's preview does when the file is selected.
    XImage* Preview()
    {
        std::unique_ptr<XImage> image(new XImage);
        ReadImageFile(image.get(), m_previewed.c_str());
        XImage* read = image.get();
        m_preview.Keep(m_previewed, std::move(image));
        return read;
    }
    static BYTE FirstBlue(const XDocument& document)
    {
        LockedBlock<BYTE> bits(document.TopImage()->m_hBits);
        return bits ? bits.get()[0] : 0;
    }
    PreviewedImage m_preview;
    std::string m_previewed;
    std::string m_typed;
};
}

TEST_F(Preload, ThePreviewedFileOpensWithThePreviewImage)
{
    XImage* previewed = Preview();
    ASSERT_NE(previewed->m_hBits, nullptr);
    std::unique_ptr<XImage> handed = m_preview.TakeFor(m_previewed);
    ASSERT_EQ(handed.get(), previewed);
    EXPECT_EQ(m_preview.Image(), nullptr);
    XDocument document;
    ASSERT_TRUE(document.OpenImageFile(m_previewed, std::move(handed)));
    EXPECT_EQ(document.TopImage(), previewed);
    EXPECT_EQ(FirstBlue(document), 0x11);
    EXPECT_EQ(document.TopImage()->m_strTitle, m_previewed);
}

TEST_F(Preload, AnotherNameTypedAfterThePreviewOpensThatFile)
{
    ASSERT_NE(Preview()->m_hBits, nullptr);
    std::unique_ptr<XImage> handed = m_preview.TakeFor(m_typed);
    EXPECT_EQ(handed, nullptr);
    // The stale preview is gone, not kept for a later open.
    EXPECT_EQ(m_preview.Image(), nullptr);
    EXPECT_EQ(m_preview.TakeFor(m_previewed), nullptr);
    XDocument document;
    ASSERT_TRUE(document.OpenImageFile(m_typed, std::move(handed)));
    EXPECT_EQ(FirstBlue(document), 0x22);
    EXPECT_EQ(document.TopImage()->m_strTitle, m_typed);
}

TEST_F(Preload, WithoutAPreviewTheFileIsRead)
{
    XDocument document;
    ASSERT_TRUE(document.OnOpenDocument(m_previewed));
    EXPECT_EQ(FirstBlue(document), 0x11);
}
