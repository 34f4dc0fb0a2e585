// Format dispatch: the reader is chosen by the file name's extension (the
// text after the last dot, lowered), the writer by the save dialog's format
// index. Both work on one XImage; failures leave a string id in
// m_nOriginId and never show a message.
#pragma once

#include "../image/XImage.h"

#include <string>

// Format indices of the save filter list.
enum SaveFormat {
    kSaveBmp = 1,
    kSaveClp = 2,
    kSaveDib = 3,
    kSaveFst = 4,
    kSaveGif = 5,
    kSaveGifInterlaced = 6,
    kSaveJpg = 7,
    kSavePcx = 8,
    kSaveRle = 9,
    kSaveTif = 10,
    kSaveWpg = 11,
};

// The text after the last dot of path with A-Z lowered; empty when the path
// holds no dot.
std::string LowerExtension(const char* path);

// The save format index for a lowered extension ("gif" gives 5, the plain
// GIF writer); 0 when the extension is not in the save list.
int SaveFormatForExtension(const std::string& extension);

// Reads path into image by its extension. An unknown extension, or a name
// without a dot, runs no reader: the image stays empty with m_nOriginId 0.
void ReadImageFile(XImage* image, const char* path);

// Writes image to path with the writer of formatIndex. A writer that
// refuses the image (bit count, sizes) sets m_nOriginId before any file is
// created; a failed write sets it after, and the caller deletes the file.
// Any other index does nothing.
void WriteImageFile(XImage* image, const char* path, int formatIndex);
