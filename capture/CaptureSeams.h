// The calls the capture core makes into the image operations. Each is one
// function with a plain default body in CaptureSeams.cpp; the code that
// implements the behaviour replaces that body (and moves it to its own
// file).
#pragma once

#include "CaptureSettings.h"

#include <windows.h>

class XImage;

// Image options on the capture image. An operation that produces a pixel
// block replaces the image's pixel and header blocks; one that fails
// reports its own message and leaves the image as it was.
void ApplyCaptureFrame(XImage* image, const FrameOptions& frame);
void ApplyCaptureColorOption(XImage* image, int colorOption, const BlackWhiteOptions& blackWhite);
