// The Send To File destination's writer: the capture image written with
// the format writers, leaving no partial file behind.
#pragma once

#include <string>

class XImage;

// Writes image to path with the writer of formatIndex (save filter index;
// one outside the save list writes BMP) and returns false, after reporting
// the writer's message, when the file could not be written.
bool WriteCaptureFile(XImage* image, const std::string& path, int formatIndex);
