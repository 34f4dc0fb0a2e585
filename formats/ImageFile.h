// Format dispatch: one table of the formats (extension, save index, reader,
// writer, messages). The reader is chosen by the file name's extension (the
// text after the last dot, lowered), the writer by the save dialog's format
// index. Codecs return their own error enums; this is the one place that
// turns them into the ids of the messages the user sees
// (FormatMessages.h). Nothing here shows a message.
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
    kSavePng = 12,  // after the original eleven: stored indexes keep their meaning
};

// The text after the last dot of path with A-Z lowered; empty when the path
// holds no dot.
std::string LowerExtension(const char* path);

// The save format index for a lowered extension ("gif" gives 5, the plain
// GIF writer); 0 when the extension is not in the save list.
int SaveFormatForExtension(const std::string& extension);

// The extension of save format formatIndex, without the dot ("gif" for both
// GIF kinds); null for an index outside the save list.
const char* SaveFormatExtension(int formatIndex);

// Reads path into image by its extension. Returns the id of the message
// that a failed read shows, after which the image has no blocks; 0 when the
// image was read, and also for an unknown extension or a name without a
// dot, which run no reader and leave the image as it was.
UINT ReadImageFile(XImage* image, const char* path);

// Writes image to path with the writer of formatIndex; note is the text that
// an FST file carries inside it (the other formats ignore it). Returns the
// id of the message that a failed write shows, 0 on success. A writer that
// refuses the image (bit count, sizes) does so before any file is created;
// after a failed write the caller deletes the file. Any other index writes
// nothing and returns 0.
UINT WriteImageFile(const XImage& image, const char* path, int formatIndex, const std::string& note = std::string());
