// Option limits, document name, progress texts and end-of-document codes
// of a print job (see PrintJobRules.h).
#include "PrintJobRules.h"

#include <algorithm>

int ClampCopies(int copies) { return std::clamp(copies, 1, 999); }
int ClampScaling(int scaling) { return std::clamp(scaling, 1, 99); }
int ClampPosition(int position) { return std::clamp(position, 0, 8); }

std::string PrintDocumentName(const std::string& appTitle, const std::string& imageTitle)
{
    std::string name = appTitle + " - " + imageTitle;
    return name.size() >= 32 ? appTitle : name;
}

std::string PrintingLineText(const std::string& imageTitle) { return "Printing '" + imageTitle + "' on the"; }

std::string PageLineText(int64_t page, int64_t pages, int image, int images)
{
    std::string line = "Page " + std::to_string(page) + " of " + std::to_string(pages);
    if (images > 0) line += ", Image " + std::to_string(image) + " of " + std::to_string(images);
    return line;
}

int ProgressPercent(uint64_t done, uint64_t total)
{
    if (total == 0) return 100;
    // done + 1 cannot wrap for any pixel count an image can have.
    uint64_t percent = (done + 1) * 100 / total;
    return percent > 100 ? 100 : int(percent);
}

bool PrintProgress::Add(uint64_t pixels)
{
    m_done += pixels;
    int percent = ProgressPercent(m_done, m_total);
    if (percent == m_shown) return false;
    m_shown = percent;
    return true;
}

PrintFailure EndDocFailure(int code)
{
    switch (code) {
    case -5: return PrintFailure::OutOfMemory;
    case -4: return PrintFailure::OutOfDisk;
    case -1:
    case 0x4000: return PrintFailure::PrintingError;
    default: return PrintFailure::None;
    }
}

void SplitPrinterText(const std::string& text, bool blankEndsDriver, PrinterName* name)
{
    size_t deviceEnd = text.find(',');
    name->device = text.substr(0, deviceEnd);
    if (deviceEnd == std::string::npos) return;
    size_t driverEnd = text.find_first_of(blankEndsDriver ? ", " : ",", deviceEnd + 1);
    name->driver = text.substr(deviceEnd + 1, driverEnd == std::string::npos ? std::string::npos : driverEnd - deviceEnd - 1);
    if (driverEnd == std::string::npos) return;
    name->port = text.substr(driverEnd + 1);
}
