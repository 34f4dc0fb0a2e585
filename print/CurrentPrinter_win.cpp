// The current printer (see CurrentPrinter.h). One user-interface thread
// touches it, so plain file-scope state is enough.
#include "CurrentPrinter.h"

#include "PrintJobRules.h"

#include "../framework/GlobalBlock.h"

#include <winspool.h>

namespace {

struct CurrentPrinter {
    bool chosen = false;
    PrinterName name;
    OwnedBlock devMode;  // the driver's DEVMODE for name.device
};
CurrentPrinter g_printer;

// The driver's default device mode for device; null when the printer does
// not open or its driver gives none.
HGLOBAL FetchDevMode(const std::string& device)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(device.c_str()), &printer, nullptr)) return nullptr;
    HGLOBAL block = nullptr;
    LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>(device.c_str()), nullptr, nullptr, 0);
    if (size > 0) {
        OwnedBlock devMode;
        if (devMode.Allocate(size_t(size))) {
            LockedBlock<DEVMODEA> mode(devMode);
            if (mode && DocumentPropertiesA(nullptr, printer, const_cast<char*>(device.c_str()), mode.get(), nullptr,
                                            DM_OUT_BUFFER) == IDOK)
                block = devMode.release();
        }
    }
    ClosePrinter(printer);
    return block;
}

bool Choose(const PrinterName& name)
{
    if (name.device.empty()) return false;
    HGLOBAL devMode = FetchDevMode(name.device);
    if (!devMode) return false;
    g_printer.name = name;
    g_printer.devMode.reset(devMode);
    g_printer.chosen = true;
    return true;
}

}  // namespace

void ResetPrinterState()
{
    g_printer.chosen = false;
    g_printer.devMode.reset();
}

void SetCurrentPrinter(const std::string& device, const std::string& driver, const std::string& port)
{
    PrinterName name{device, driver, port};
    if (!Choose(name)) ResetPrinterState();
}

bool EnsurePrinter(const std::string& storedPrinter)
{
    if (g_printer.chosen) return true;
    PrinterName name = g_printer.name;
    if (!storedPrinter.empty()) {
        SplitPrinterText(storedPrinter, false, &name);
        if (Choose(name)) return true;
    }
    char text[512] = {};
    GetProfileStringA("windows", "device", "", text, sizeof text);
    if (!text[0]) return false;
    SplitPrinterText(text, true, &name);
    return Choose(name);
}

std::string CurrentPrinterDevice() { return g_printer.name.device; }

std::string CurrentPrinterPort() { return g_printer.name.port; }

HDC CreatePrinterDC(bool landscape)
{
    if (!g_printer.chosen) return nullptr;
    LockedBlock<DEVMODEA> mode(g_printer.devMode);
    if (!mode) return nullptr;
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    const PrinterName& name = g_printer.name;
    return CreateDCA(name.driver.empty() ? nullptr : name.driver.c_str(), name.device.c_str(),
                     name.port.empty() ? nullptr : name.port.c_str(), mode.get());
}
