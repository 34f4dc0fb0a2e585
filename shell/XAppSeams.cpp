// Default body of the print job's start-up reset: nothing to reset while
// printing does not exist.
#include "XAppSeams.h"

void ResetPrinterState() {}
