// One image of an icon or cursor file: the icon directory, and the
// composition of the XOR image with the AND mask over a white background,
// done here in portable code rather than through display bitmaps (the same
// result as composing on a true-colour display).
#pragma once

#include "../image/XImage.h"

#include <cstddef>

enum class IconError { None, Unsupported, OutOfMemory };

// Decodes the image that an icon or cursor file shows: the second image of
// a two-image icon, otherwise the first; when that one cannot be read (a
// PNG-compressed image, say) the first of the others that can.
IconError DecodeIconFile(const BYTE* data, size_t size, bool isCursor, XImage* image);

// Decodes directory entry `entry` of an icon (type 1) or cursor (type 2)
// file held in memory.
//
// Bitmap images of any size with 1, 4, 8, 24 or 32 bits per pixel are read.
// The image keeps the file's bit count and colour table up to 8 bits and is
// 24-bit otherwise. Masked pixels are the inverted image colour (white where
// the image is black, the transparent case; black where it is white, the
// inverting case), mapped to the nearest table colour; 32-bit images with an
// alpha channel are blended onto white instead. PNG-compressed images and
// damaged directories are refused.
IconError DecodeIconImage(const BYTE* data, size_t size, int entry, XImage* image);
