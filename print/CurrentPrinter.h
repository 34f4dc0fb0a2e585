// The printer that print jobs and the print settings sheet use: chosen
// lazily on first use in a run (the stored Printer key, then the system's
// default printer), replaced by Print Setup, chosen again after Master
// Reset. It is the device, driver and port names with the driver's device
// mode block, which the printer device contexts are made from.
#pragma once

#include "../framework/GdiObject.h"

#include <windows.h>

#include <string>

// Start-up and Master Reset: the printer is chosen again on its next use.
void ResetPrinterState();
// Print Setup confirmed: device, driver and port become the current
// printer, with a fresh device mode from its driver.
void SetCurrentPrinter(const std::string& device, const std::string& driver, const std::string& port);
// Chooses the printer unless chosen already: storedPrinter (the Printer
// key) when that printer opens, otherwise the system's default printer.
// False when there is none.
bool EnsurePrinter(const std::string& storedPrinter);
std::string CurrentPrinterDevice();
std::string CurrentPrinterPort();

// Owner of a printer device context.
class PrinterDC {
public:
    explicit PrinterDC(HDC dc) : m_dc(dc) {}
    ~PrinterDC() { if (m_dc) DeleteDC(m_dc); }
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// A device context of the current printer in the given orientation; null
// when no printer is chosen or the driver refuses.
HDC CreatePrinterDC(bool landscape);
