// The small rules of one print job: the limits applied to stored options
// when they are used, the spooler's document name, the progress dialog's
// texts and percentage, and which message an end-of-document code earns.
//
// The Win32 side feeds: the stored copies, scaling and position options
// (possibly hand-edited), the application title and the image's title
// (m_strTitle), page and image numbers, the pixel counts of the strips it
// sends, and the value EndDoc returned.
#pragma once

#include <cstdint>
#include <string>

// Options read from a settings file may be anything; these bring them into
// range where they are used: copies 1-999, scaling 1-99 printer dots per
// pixel, position 0-8.
int ClampCopies(int copies);
int ClampScaling(int scaling);
int ClampPosition(int position);

// The spooler's document name: application title, " - ", image title; when
// that is 32 characters or longer, the application title alone.
std::string PrintDocumentName(const std::string& appTitle, const std::string& imageTitle);

// "Printing '<title>' on the" (first line of the progress dialog).
std::string PrintingLineText(const std::string& imageTitle);
// "Page %d of %d", or with images > 0 (Print All) "Page %d of %d, Image %d of %d".
// Numbers are one-based.
std::string PageLineText(int64_t page, int64_t pages, int image, int images);

// The meter's percentage: min(100, (done + 1) * 100 / total), in 64 bits so
// that images above 21 million pixels do not overflow; an empty total is 100.
int ProgressPercent(uint64_t done, uint64_t total);

// Counts the pixels sent and says when the shown percentage changes, so
// the meter repaints only then.
class PrintProgress {
public:
    explicit PrintProgress(uint64_t total) : m_total(total) {}
    // Adds pixels sent; true when the percentage differs from the one shown.
    bool Add(uint64_t pixels);
    int Percent() const { return m_shown; }

private:
    uint64_t m_total;
    uint64_t m_done = 0;
    int m_shown = 0;
};

// Device, driver and port of a printer text "device,driver,port" (the
// Printer key) or "device,driver port" (the system's default printer).
// Parts the text does not hold keep the values they had.
struct PrinterName {
    std::string device, driver, port;
};
void SplitPrinterText(const std::string& text, bool blankEndsDriver, PrinterName* name);

// What the user is told when ending the document returns code.
enum class PrintFailure {
    None,          // success, or the user or the application aborted
    OutOfMemory,   // -5: "Out of memory"
    OutOfDisk,     // -4: "Out of disk!\n\nCheck your disk space."
    PrintingError  // -1 or the spooler's not-reported 0x4000: "Printing error"
};
PrintFailure EndDocFailure(int code);
