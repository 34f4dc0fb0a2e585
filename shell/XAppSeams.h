// Print job state that the application object touches (the printer-chosen
// flag, the image being printed, the current printer). The default bodies
// live in XAppSeams.cpp until printing replaces them.
#pragma once

#include <string>

// At start-up: no printer chosen yet, no image being printed.
void ResetPrinterState();
// Print Setup confirmed: device, driver and port become the current
// printer (printing fetches a fresh device mode for it).
void SetCurrentPrinter(const std::string& device, const std::string& driver, const std::string& port);
