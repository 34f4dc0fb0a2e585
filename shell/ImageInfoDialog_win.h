// The Image Info dialog (Edit, "Image Info..."; also opened after a
// capture when Display Image Info is on): the facts of the document's
// first image, with its time stamp in the clock's formats.
#pragma once

#include "../settings/Options.h"

#include <windows.h>

class XDocument;

void RunImageInfoDialog(const XDocument& document, const ClockOptions& clock, HWND owner);
