// Prompt Filename: the capture pipeline's Save As prompt (CaptureOutlets).
#pragma once

#include "../settings/Options.h"

class XImage;

// Runs the save dialog in its capture-naming mode, starting from and
// keeping the Send To File name, folder and format, and writes image with
// the format the typed name chose. True, with the path as image's title,
// only when the file was written; Cancel writes nothing and says nothing.
bool SaveCaptureAs(XImage& image, FileOptions& files, FormatOptions& format);
