// What the user is told when an operation gives no image.
#include "ImageOps.h"

#include "../resources/resource.h"

UINT ImageOpMessage(ImageOpError error)
{
    switch (error) {
    case ImageOpError::kOutOfMemory: return IDS_INSUFFICIENT_MEMORY;
    case ImageOpError::kMoreThan16Colors: return IDS_MORE_THAN_16_COLORS;
    case ImageOpError::kMoreThan256Colors: return IDS_MORE_THAN_256_COLORS;
    case ImageOpError::kNoColorChange: return IDS_NO_COLOR_CHANGE;
    case ImageOpError::kNone:
    case ImageOpError::kUnsupported:
    case ImageOpError::kEmptyResult: return 0;
    }
    return 0;
}
