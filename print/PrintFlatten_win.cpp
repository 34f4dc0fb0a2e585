// A merge window's images flattened for printing (see PrintFlatten.h).
#include "PrintFlatten.h"

#include "../image/ImageOps.h"
#include "../image/XDocument.h"

#include <vector>

std::unique_ptr<XImage> FlattenForPrint(const XDocument& document)
{
    std::vector<const XImage*> images;
    for (size_t i = 0; i < document.ImageCount(); ++i) images.push_back(document.GetImage(i));
    ImageOpResult flat = FlattenForPrinting(images, MergeStageSink());
    if (!flat) return nullptr;
    const XImage* top = document.TopImage();
    flat.image->m_strTitle = top->m_strTitle;
    flat.image->m_tStamp = top->m_tStamp;
    return std::move(flat.image);
}
