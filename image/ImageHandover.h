// Handing a finished image to a new image window. A producer (a capture, a
// paste, an operation) does not open the window itself: it may run inside
// a hook report, a timer or a modal loop. The image travels instead, owned,
// in a message posted to the main frame, which opens the window on it when
// the message arrives. Each message carries its own image, so two results
// posted before the first window opens never share one.
#pragma once

#include "XImage.h"

#include <windows.h>

#include <memory>

// Posted to the main frame; lParam is the XImage the message owns.
const UINT kMsgOpenImageWindow = WM_APP + 1;

// Posts image to frame. True when it was posted: the message owns the
// image and image is empty. False (no frame, a full queue) leaves the
// image with the caller, who still frees it.
bool PostImageWindow(HWND frame, std::unique_ptr<XImage>& image);

// The receiving end: owns again the image that a kMsgOpenImageWindow
// message carried in lParam.
std::unique_ptr<XImage> TakePostedImage(LPARAM lParam);

// Frees the images of the kMsgOpenImageWindow messages still queued for
// frame (called when the frame goes, so that none is lost with the queue).
void DropPostedImages(HWND frame);
