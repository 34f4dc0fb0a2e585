// Default bodies of the print job's state changes: nothing to keep while
// printing does not exist.
#include "XAppSeams.h"

void ResetPrinterState() {}

void SetCurrentPrinter(const std::string&, const std::string&, const std::string&) {}
