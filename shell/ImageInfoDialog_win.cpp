// Image Info dialog: the portable texts of ImageInfo put into the value
// fields of template 1103.
#include "ImageInfoDialog_win.h"

#include "ClockFormat.h"
#include "ImageInfo.h"

#include "../framework/Dialog.h"
#include "../image/XDocument.h"
#include "../resources/resource.h"

#include <utility>

namespace {

class ImageInfoDialog : public Dialog {
public:
    explicit ImageInfoDialog(const ImageInfoTexts& texts) : Dialog(IDD_IMAGE_INFO), m_texts(texts) {}

protected:
    BOOL OnInitDialog() override
    {
        const std::pair<int, const std::string*> fields[] = {
            {IDC_INFO_FILENAME, &m_texts.filename},     {IDC_INFO_WIDTH, &m_texts.width},
            {IDC_INFO_HEIGHT, &m_texts.height},         {IDC_INFO_BITS, &m_texts.bitsPerPixel},
            {IDC_INFO_COLORS, &m_texts.maximumColors},  {IDC_INFO_MEMORY, &m_texts.memoryUsed},
            {IDC_INFO_LAST_CHANGE, &m_texts.lastChange}, {IDC_INFO_TIME, &m_texts.time},
            {IDC_INFO_DATE, &m_texts.date},
        };
        for (const auto& field : fields) SetDlgItemTextA(m_hWnd, field.first, field.second->c_str());
        return TRUE;
    }

private:
    const ImageInfoTexts& m_texts;
};

}  // namespace

void RunImageInfoDialog(const XDocument& document, const ClockOptions& clock, HWND owner)
{
    const XImage* image = document.GetImage(0);
    if (!image) return;
    ImageFacts facts;
    facts.documentTitle = document.GetTitle();
    facts.width = image->m_nWidth;
    facts.height = image->m_nHeight;
    facts.bitCount = image->m_nBitCount;
    facts.colorCount = image->ColorCount();
    facts.bitsSize = image->BitsSize();
    facts.originId = image->m_nOriginId;
    facts.stamp = image->m_tStamp;
    const ImageInfoTexts texts = MakeImageInfoTexts(facts, ClockFormatOf(clock));
    ImageInfoDialog dialog(texts);
    dialog.DoModal(owner);
}
