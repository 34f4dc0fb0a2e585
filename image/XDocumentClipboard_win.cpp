// Copy Image and Paste Image through the system clipboard, always opened on
// behalf of the main frame. What is handed to the clipboard is the
// clipboard's afterwards; what is borrowed from it is never deleted here.
#include "XDocumentClipboard.h"

#include "../formats/XFilePng.h"
#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../framework/GlobalBlock.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"

#include <cstring>
#include <vector>

namespace {
// OpenClipboard/CloseClipboard pair.
class OpenedClipboard {
public:
    OpenedClipboard() : m_bOpen(OpenClipboard(WinApp::MainWnd()) != 0) {}
    ~OpenedClipboard() { if (m_bOpen) CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return m_bOpen; }

private:
    bool m_bOpen;
};

int DisplayBitsPerPixel()
{
    const int depth = DisplayDepth();
    return depth > 0 ? depth : 24;
}

// The monochrome bitmap of a 1-bit image: top-down rows, 2-byte aligned.
HBITMAP MonochromeBitmap(const XImage& image)
{
    size_t row = MonochromeRowBytes(image.m_nWidth);
    size_t stored = image.RowBytes();
    LockedBlock<BYTE> bits(image.m_hBits);
    if (!bits || row == 0) return nullptr;
    std::vector<BYTE> rows(row * size_t(image.m_nHeight));
    for (int32_t i = 0; i < image.m_nHeight; ++i)
        std::memcpy(rows.data() + size_t(i) * row, bits.get() + size_t(image.m_nHeight - 1 - i) * stored, row);
    return CreateBitmap(image.m_nWidth, image.m_nHeight, 1, 1, rows.data());
}

HBITMAP DisplayBitmap(const XImage& image)
{
    WindowDC dc(WinApp::MainWnd());
    LockedBlock<BYTE> bits(image.m_hBits);
    LockedBlock<BITMAPINFO> info(image.m_hInfo);
    if (!dc || !bits || !info) return nullptr;
    SelectedPalette palette(dc.get(), image.m_palette, FALSE);
    return CreateDIBitmap(dc.get(), &info->bmiHeader, CBM_INIT, bits.get(), info.get(), DIB_RGB_COLORS);
}

HGLOBAL PackedDib(const XImage& image)
{
    size_t infoSize = image.InfoSize(), bitsSize = image.BitsSize();
    OwnedBlock packed;
    if (!packed.Allocate(infoSize + bitsSize)) return nullptr;
    {
        LockedBlock<BYTE> out(packed.get()), info(image.m_hInfo), bits(image.m_hBits);
        if (!out || !info || !bits) return nullptr;
        std::memcpy(out.get(), info.get(), infoSize);
        std::memcpy(out.get() + infoSize, bits.get(), bitsSize);
    }
    return packed.release();
}

HPALETTE CopyPalette(HPALETTE palette)
{
    WORD count = 0;
    if (!palette || !GetObjectA(palette, sizeof count, &count) || count < 1 || count > 256) return nullptr;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = count;
    GetPaletteEntries(palette, 0, count, logical->palPalEntry);
    return CreatePalette(logical);
}

void PasteDib(XImage* image)
{
    HGLOBAL block = GetClipboardData(CF_DIB);
    LockedBlock<BYTE> bytes(block);
    if (!bytes) {
        image->m_nOriginId = IDS_NO_BITMAP_IN_CLIPBOARD;
        return;
    }
    ReadPackedDib(bytes.get(), GlobalSize(block), image);
}

// The registered format "PNG", which some programs offer alone.
UINT PngClipboardFormat() { return RegisterClipboardFormatA("PNG"); }

void PastePng(XImage* image)
{
    HGLOBAL block = GetClipboardData(PngClipboardFormat());
    LockedBlock<BYTE> bytes(block);
    if (!bytes || XFilePng().Decode(image, bytes.get(), GlobalSize(block)) != PngError::None)
        image->m_nOriginId = IDS_NO_BITMAP_IN_CLIPBOARD;
}

void PasteBitmap(XImage* image)
{
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP facts = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof facts, &facts)) {
        image->m_nOriginId = IDS_NO_BITMAP_IN_CLIPBOARD;
        return;
    }
    image->m_nWidth = facts.bmWidth;
    image->m_nHeight = facts.bmHeight;
    image->m_nBitCount = uint16_t(facts.bmPlanes * facts.bmBitsPixel);
    auto palette = IsClipboardFormatAvailable(CF_PALETTE) ? static_cast<HPALETTE>(GetClipboardData(CF_PALETTE))
                                                          : nullptr;
    if (palette)
        image->InfoFromPalette(palette);
    else
        image->InfoFromScreen();
    // Borrowed: the bitmap stays the clipboard's.
    image->BitsFromBorrowedBitmap(bitmap);
    if (!image->m_hBits && !image->m_nOriginId) image->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
}
}

void CopyImageToClipboard(const XImage& image)
{
    OpenedClipboard clipboard;
    if (!clipboard) {
        ShowMessage(IDS_CANNOT_OPEN_CLIPBOARD);
        return;
    }
    EmptyClipboard();
    // Each object is the clipboard's once SetClipboardData took it.
    if (image.m_nBitCount == 1 || image.m_nBitCount <= DisplayBitsPerPixel()) {
        GdiObject<HBITMAP> bitmap(image.m_nBitCount == 1 ? MonochromeBitmap(image) : DisplayBitmap(image));
        if (bitmap && SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.release();
    } else {
        OwnedBlock packed(PackedDib(image));
        if (packed && SetClipboardData(CF_DIB, packed.get())) packed.release();
    }
    GdiObject<HPALETTE> copy(CopyPalette(image.m_palette));
    if (copy && SetClipboardData(CF_PALETTE, copy.get())) copy.release();
}

std::unique_ptr<XImage> PasteImageFromClipboard()
{
    std::unique_ptr<XImage> image(new XImage);
    {
        OpenedClipboard clipboard;
        if (!clipboard) {
            ShowMessage(IDS_CANNOT_OPEN_CLIPBOARD);
            return nullptr;
        }
        if (IsClipboardFormatAvailable(CF_DIB))
            PasteDib(image.get());
        else if (!IsClipboardFormatAvailable(CF_BITMAP) && IsClipboardFormatAvailable(PngClipboardFormat()))
            PastePng(image.get());
        else
            PasteBitmap(image.get());
    }
    if (image->m_hBits) image->m_nOriginId = IDS_ORIGIN_CLIPBOARD;
    return image;
}

// The tool bar asks at every idle moment, and each format query may have to
// consult the clipboard's owner, so the answer is kept until the clipboard
// changes. A sequence number of 0 (no access to it) means asking each time.
bool ClipboardHasImage()
{
    static DWORD answeredSequence = 0;
    static bool hasImage = false;
    const DWORD sequence = GetClipboardSequenceNumber();
    if (sequence == 0 || sequence != answeredSequence) {
        hasImage = IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
                   IsClipboardFormatAvailable(PngClipboardFormat());
        answeredSequence = sequence;
    }
    return hasImage;
}
