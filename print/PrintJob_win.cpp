// One print job (see PrintJob.h).
//
// Strips go out through a private BITMAPINFO whose size fields are the
// strip's and whose colour table is the one the colour option asks for,
// so the image's own header and palette are never touched and nothing has
// to be put back. Every DC, font and buffer has one owner, so a Cancel or
// a failure between strips releases everything on the way out.
#include "PrintJob.h"

#include "CurrentPrinter.h"
#include "PageLayout.h"
#include "PageTexts.h"
#include "PrintJobRules.h"
#include "PrintPalette.h"
#include "PrintProgressDialog.h"
#include "PrintPixels.h"
#include "PrintStrips.h"

#include "../framework/ShowMessage.h"
#include "../framework/Window.h"
#include "../image/XImage.h"
#include "../resources/resource.h"

#include <cstring>
#include <vector>

namespace {

// BITMAPINFOHEADER and up to 256 colours.
struct StripInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

void FillColorTable(StripInfo& info, const PrintPixels& pixels, const Options& options)
{
    const int count = pixels.TableSize();
    if (count == 0) return;
    BlackWhiteReference reference;
    for (int i = 0; i < 16; ++i) {
        reference.colors[i] = kStandard16[i];
        reference.white[i] = options.blackWhite.map[i] != 0;
    }
    auto table = PrintColorTable(pixels.Table(), size_t(count), pixels.BitCount(), options.print.colors, reference);
    std::memcpy(info.colors, table ? table->data() : pixels.Table(), size_t(count) * sizeof(RGBQUAD));
    info.header.biClrUsed = DWORD(count);
}

UINT FailureMessage(PrintFailure failure)
{
    switch (failure) {
    case PrintFailure::OutOfMemory: return IDS_PRINT_OUT_OF_MEMORY;
    case PrintFailure::OutOfDisk: return IDS_OUT_OF_DISK;
    case PrintFailure::PrintingError: return IDS_PRINTING_ERROR;
    default: return 0;
    }
}

class Job {
public:
    Job(const PrintJobInput& input, HDC dc, const PrintPixels& pixels, PrintProgressDialog& progress)
        : m_input(input), m_dc(dc), m_pixels(pixels), m_progress(progress),
          m_meter(uint64_t(pixels.Width()) * uint64_t(pixels.Height()))
    {
        std::memset(&m_info, 0, sizeof m_info);
        m_info.header.biSize = sizeof(BITMAPINFOHEADER);
        m_info.header.biPlanes = 1;
        m_info.header.biBitCount = WORD(pixels.BitCount());
        m_info.header.biCompression = BI_RGB;
        FillColorTable(m_info, pixels, input.options);
        PageGeometryInput geometry;
        geometry.deviceWidth = GetDeviceCaps(dc, HORZRES);
        geometry.deviceHeight = GetDeviceCaps(dc, VERTRES);
        geometry.imageWidth = pixels.Width();
        geometry.imageHeight = pixels.Height();
        geometry.scaling = input.options.print.scaling;
        geometry.position = input.options.print.position;
        m_layout = LayoutPage(geometry);
    }

    // False when the tiling stopped early (Cancel or a failed page).
    bool PrintPages()
    {
        for (int64_t page = 0; page < m_layout.pages; ++page) {
            if (m_progress.Aborted()) return false;
            m_progress.SetPageLine(PageLineText(page + 1, m_layout.pages, m_input.imageNumber, m_input.imageCount));
            if (StartPage(m_dc) <= 0) return false;
            bool sent = SendTile(TileOfPage(m_layout, page));
            if (sent && PrintsPageTexts(m_layout)) PrintTexts();
            if (EndPage(m_dc) <= 0) return false;
            PumpPrintMessages();
            if (!sent) return false;
        }
        return true;
    }

private:
    bool SendTile(const PrintTile& tile)
    {
        const StripPlan plan = PlanStrips(tile.width, tile.height, m_pixels.BitCount());
        const int64_t scaling = m_layout.scaling;
        for (int64_t i = 0; i < plan.count; ++i) {
            if (m_progress.Aborted()) return false;
            PrintStrip strip = StripAt(plan, i);
            PrintStrip inImage = strip;
            inImage.left += tile.left;
            inImage.top += tile.top;
            if (!CopyStripPixels(m_pixels.Bits(), m_pixels.BitsSize(), m_pixels.Width(), m_pixels.Height(),
                                 m_pixels.BitCount(), inImage, m_strip))
                return false;
            m_info.header.biWidth = LONG(strip.width);
            m_info.header.biHeight = LONG(strip.height);
            m_info.header.biSizeImage = 0;
            StretchDIBits(m_dc, int(m_layout.x + strip.left * scaling), int(m_layout.y + strip.top * scaling),
                          int(strip.width * scaling), int(strip.height * scaling), 0, 0, int(strip.width),
                          int(strip.height), m_strip.data(), reinterpret_cast<BITMAPINFO*>(&m_info), DIB_RGB_COLORS,
                          SRCCOPY);
            if (m_meter.Add(uint64_t(strip.width * strip.height))) m_progress.SetPercent(m_meter.Percent());
            PumpPrintMessages();
        }
        return true;
    }

    void PrintTexts()
    {
        const Options& o = m_input.options;
        PageTextSource source{o.print, o.headerFooter, o.fonts, o.printTimeDate, &m_input.image, m_input.note};
        HDC screen = GetDC(nullptr);
        const int screenDpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        DrawPageTexts(m_dc, m_layout, source, GetDeviceCaps(m_dc, LOGPIXELSX), screenDpi);
    }

    const PrintJobInput& m_input;
    HDC m_dc;
    const PrintPixels& m_pixels;
    PrintProgressDialog& m_progress;
    PrintProgress m_meter;
    PageLayout m_layout;
    StripInfo m_info;
    std::vector<BYTE> m_strip;
};

}  // namespace

PrintJobEnd PrintImage(const PrintJobInput& input)
{
    const Options& options = input.options;
    PrinterDC dc(CreatePrinterDC(options.print.orientation == 1));
    if (!dc) {
        ShowMessage(IDS_NO_PRINTER);
        return PrintJobEnd::kFailed;
    }
    PrintPixels pixels(input.image);
    if (!pixels) return PrintJobEnd::kFailed;

    const std::string title = LoadResourceString(IDS_APP_TITLE);
    const std::string documentName = PrintDocumentName(title, input.image.m_strTitle);
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocA(dc.get(), &document) <= 0) return PrintJobEnd::kFailed;

    // Drivers write back the count they will make; some write without
    // checking for a place to put it.
    int copies = ClampCopies(options.print.copies), granted = 0;
    Escape(dc.get(), SETCOPYCOUNT, sizeof copies, reinterpret_cast<const char*>(&copies), &granted);

    PrintProgressDialog progress;
    progress.Open(PrintingLineText(input.image.m_strTitle),
                  CurrentPrinterDevice() + " on " + CurrentPrinterPort());
    Job job(input, dc.get(), pixels, progress);
    job.PrintPages();
    if (progress.Aborted()) {
        AbortDoc(dc.get());
        return PrintJobEnd::kCancelled;
    }
    // A page the driver refused ended the tiling; ending the document
    // says what went wrong.
    const int code = EndDoc(dc.get());
    if (code < 0) {
        if (UINT message = FailureMessage(EndDocFailure(code))) ShowMessage(message);
        return PrintJobEnd::kFailed;
    }
    return PrintJobEnd::kDone;
}
