// The image object every subsystem passes around: a device-independent
// bitmap held as two movable global blocks (header with full colour table,
// and bottom-up pixel rows padded to 4 bytes), plus the display helpers,
// title, time stamp, origin/failure string id and the two rectangles.
// The image owns its four blocks, its device bitmap and its palette: each
// is a member that frees itself, so an image is handed on whole (as a
// std::unique_ptr<XImage>) and never shares a handle with another.
// Pixel arithmetic lives in XImage.cpp (portable); the GDI-facing helpers
// live in XImage_win.cpp.
#pragma once

#include "../framework/GdiObject.h"
#include "../framework/GlobalBlock.h"
#include "../framework/kernel.h"

#include <cstdint>
#include <string>

class XImage {
public:
    // Largest pixel block any producer may make; larger images are refused
    // with "Insufficient memory!" instead of overflowing size arithmetic.
    static const uint64_t kMaxBitsSize = 0x40000000;  // 1 GiB

    XImage();
    virtual ~XImage() = default;
    XImage(const XImage&) = delete;
    XImage& operator=(const XImage&) = delete;

    // Sizes for this image's width, height and bit count. Computed in 64 bits;
    // callers have checked FitsInMemory (or AllocateBlocks) first.
    size_t RowBytes() const;
    size_t BitsSize() const;
    size_t InfoSize() const;
    UINT ColorCount() const;

    static uint64_t RowBytesFor(int64_t width, int bitCount);
    static size_t InfoSizeFor(int bitCount);
    // True for a positive width and height, a bit count of 1, 4, 8 or 24 and
    // a pixel block no larger than kMaxBitsSize.
    static bool FitsInMemory(int64_t width, int64_t height, int bitCount);

    // The one gate for producers: validates the current width, height and bit
    // count, then makes a fresh header block (MakeInfo) and a zero-filled pixel
    // block. On failure both stay null and m_nOriginId is "Insufficient memory!".
    bool AllocateBlocks();
    // The same with the pixel block left unfilled, for a producer that
    // writes every byte of it, row padding included.
    bool AllocateBlocksToOverwrite();

    bool MakeInfo();
    void UpdateInfoSize();
    // Takes over src's size, bit count, time stamp, origin id and both
    // rectangles, and copies of its pixel and header blocks (each image owns
    // its own); clears the display copy, colour count, selection and top
    // flags. False, with the blocks null and m_nOriginId "Insufficient
    // memory!", when a copy cannot be made.
    bool CopyAttributes(const XImage& src);
    // Frees the four blocks and clears size, bit count, colour count,
    // selection, time stamp, origin id and both rectangles.
    void Reset();
    void SetGrayTable();
    // Frees the header and pixel blocks (not the display pair).
    void FreeBlocks();

    // Clears per-window state and readies display: a dithered 8-bit copy for a
    // 24-bit image on a display below 15 bits, otherwise MakePalette (_win).
    void PrepareForShow();
    // Builds the 8-bit ordered-dither display copy with the halftone palette.
    bool MakeDitheredCopy();

    // GDI side (XImage_win.cpp).
    void InfoFromPalette(HPALETTE palette);
    void InfoFromScreen();
    // Converts m_bitmap into a new pixel block.
    void BitsFromBitmap();
    // The same for a bitmap the image does not own (the clipboard's).
    void BitsFromBorrowedBitmap(HBITMAP bitmap);
    void MakePalette();

    int32_t m_nWidth;
    int32_t m_nHeight;
    uint16_t m_nBitCount;
    OwnedBlock m_hBits;      // pixel block; null: the image has no pixels
    OwnedBlock m_hInfo;      // header block with the full colour table
    OwnedBlock m_hShowBits;  // 8-bit display copy (PrepareForShow); null when none
    OwnedBlock m_hShowInfo;
    uint32_t m_nColors;
    BOOL m_bSelected;
    BOOL m_bTopBorder;
    int32_t m_tStamp;
    uint32_t m_nOriginId;
    GdiObject<HBITMAP> m_bitmap;    // device bitmap of a capture, until converted
    GdiObject<HPALETTE> m_palette;  // palette the image is drawn with
    std::string m_strTitle;
    RECT m_rcPlace;
    RECT m_rcCrop;

private:
    void ForgetDisplayCopy();
    // AllocateBlocks with the pixel block made by GlobalAlloc with flags.
    bool AllocateBits(UINT flags);
};

// Allocates a movable block of size bytes and copies size bytes from h into
// it; null when allocation fails.
HGLOBAL DuplicateBlock(HGLOBAL h, size_t size);

// Level of one colour component in the 6x6x6 halftone cube under the 8x8
// ordered-dither threshold for stored row y, column x.
int DitherLevel(int value, int x, int y);

// The 256-entry halftone palette and the fixed 16-colour table, as RGBQUADs
// (blue, green, red, 0).
const RGBQUAD* HalftonePalette();  // 256 entries
extern const RGBQUAD kStandard16[16];
