// Capture image options through the image operations. The capture keeps
// its title, time stamp and rectangles; only the picture changes.
#include "CaptureImageOptions.h"

#include "../framework/ShowMessage.h"
#include "../image/ImageOps.h"
#include "../settings/CaptureOptions.h"
#include "../settings/Settings.h"

namespace {
void TakeResult(XImage* image, ImageOpResult result)
{
    if (!result) {
        if (UINT message = ImageOpMessage(result.error)) ShowMessage(message);
        return;
    }
    XImage& made = *result.image;
    image->m_nWidth = made.m_nWidth;
    image->m_nHeight = made.m_nHeight;
    image->m_nBitCount = made.m_nBitCount;
    image->m_hBits.reset(made.m_hBits.release());
    image->m_hInfo.reset(made.m_hInfo.release());
    image->m_nColors = 0;
}
}

void ApplyCaptureFrame(XImage* image, const FrameOptions& frame)
{
    TakeResult(image, FrameImage(*image, FrameInRange(frame)));
}

void ApplyCaptureColorOption(XImage* image, int colorOption, const BlackWhiteOptions& blackWhite)
{
    switch (colorOption) {
    case kColorBlackWhite: TakeResult(image, BlackAndWhite(*image, blackWhite)); break;
    case kColorGrayscale: TakeResult(image, Grayscale(*image)); break;
    case kColorInvert: TakeResult(image, Invert(*image)); break;
    case kColorReduce: TakeResult(image, ReduceColors(*image)); break;
    default: break;
    }
}
