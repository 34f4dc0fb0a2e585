// The ways into printing: Print (one image window), Print All (every image
// window, one sheet for all), the capture's Printer destination, and the
// sheet alone (Capture Setup's Set Print). The shell hands down the live
// options and the settings profile that confirmed options go to.
#pragma once

#include "../settings/Options.h"
#include "../settings/SettingsProfile.h"

#include <windows.h>

#include <vector>

class XDocument;
class XImage;

struct PrintContext {
    Options& options;
    SettingsProfile& profile;
    HWND owner;  // the main window
};

// Print: the sheet on the document's note, then the job. A merge window
// prints its images flattened on white. The note edited on the sheet goes
// back to the document's notepad.
void PrintDocument(XDocument& document, const PrintContext& context);
// Print All: the sheet once (on the first document), then each document's
// image in turn with its own note, numbered among all of them. Cancel in
// the progress dialog stops the rest.
void PrintAllDocuments(const std::vector<XDocument*>& documents, const PrintContext& context);
// The capture's Printer destination: the sheet only when asked for,
// otherwise the stored options as they are.
void PrintCaptureImage(const XImage& image, bool withPrintDialog, const PrintContext& context);
// The sheet with no image, storing its options on OK.
void RunPrintSettings(const PrintContext& context);
