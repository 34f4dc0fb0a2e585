// Start-up state of the print job that the application object resets
// (the printer-chosen flag and the image being printed). The default body
// lives in XAppSeams.cpp until printing replaces it.
#pragma once

// Start-up step 16 and Master Reset: no printer chosen yet.
void ResetPrinterState();
