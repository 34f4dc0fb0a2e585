// The image window hand-over message: the image is released to the message
// only once it is really posted, and owned again by whoever receives it.
#include "ImageHandover.h"

bool PostImageWindow(HWND frame, std::unique_ptr<XImage>& image)
{
    if (!frame || !image) return false;
    if (!PostMessageA(frame, kMsgOpenImageWindow, 0, reinterpret_cast<LPARAM>(image.get()))) return false;
    image.release();
    return true;
}

std::unique_ptr<XImage> TakePostedImage(LPARAM lParam)
{
    return std::unique_ptr<XImage>(reinterpret_cast<XImage*>(lParam));
}

void DropPostedImages(HWND frame)
{
    MSG msg;
    while (PeekMessageA(&msg, frame, kMsgOpenImageWindow, kMsgOpenImageWindow, PM_REMOVE))
        TakePostedImage(msg.lParam);
}
