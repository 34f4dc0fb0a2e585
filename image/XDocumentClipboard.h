// Copy Image and Paste Image between an image and the system clipboard
// (CF_BITMAP, CF_DIB, CF_PALETTE; pasting also "PNG"). ReadPackedDib is the portable half: it
// checks a packed DIB from the clipboard against the bytes it really has
// and fills an image from it; the rest is in XDocumentClipboard_win.cpp.
#pragma once

#include "XImage.h"

#include <cstddef>
#include <memory>

// Fills image (reset first) from a packed DIB of size bytes: a header of at
// least 40 bytes, the colour table (biClrUsed entries or the full table),
// then the rows. Reads 1, 4, 8 and 24 bits uncompressed, and 32 bits
// (uncompressed or with the standard bit fields) as 24; rows stored
// top-down are turned bottom-up. false with m_nOriginId "No bitmap in
// Clipboard." for anything else or when the block is too short, or
// "Insufficient memory!" when the blocks cannot be made.
bool ReadPackedDib(const BYTE* block, size_t size, XImage* image);

// Bytes per row of the monochrome device bitmap Copy Image makes of a
// 1-bit image (rows 2-byte aligned).
size_t MonochromeRowBytes(int width);

// Win32: Copy Image of image; shows "Cannot open Clipboard." when the
// clipboard cannot be opened.
void CopyImageToClipboard(const XImage& image);
// Win32: Paste Image: a new image from the clipboard (CF_DIB preferred,
// else CF_BITMAP with CF_PALETTE, else the registered format "PNG"), named "Clipboard Image", or without
// pixels and with the failure's message id. Null, after "Cannot open
// Clipboard.", when the clipboard cannot be opened.
std::unique_ptr<XImage> PasteImageFromClipboard();
// Win32: CF_BITMAP, CF_DIB or "PNG" is on the clipboard.
bool ClipboardHasImage();
