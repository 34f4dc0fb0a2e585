// The Capture Setup sheet's working copy and the rules its pages follow,
// apart from the windows: what a page shows for a stored value, what OK
// makes of the Send To page, the Title & Menu consistency rules, which
// sample picture a page shows and the Capture Tools texts. Portable, so
// the rules are unit-tested.
#pragma once

#include "../settings/Options.h"

#include <string>

// What the sheet edits. Pages copy the live options in when the sheet is
// built; OK copies the whole value back, Cancel drops it. The file and
// format options are the Send To File name, folder and format that Set
// File chooses.
struct CaptureSetupValues {
    CaptureOptions capture;
    ModeOptions mode;
    FileOptions files;
    FormatOptions format;
};

// The ranges the pages' range checks accept.
const int kMarginMax = 1200;
const int kCountdownMax = 600;

// The values as the pages show them: a hand-edited settings file may hold
// numbers outside a control's range, which are clamped into it (margins
// 0-1200, seconds 0-600, radio choices to their buttons, check boxes to
// 0/1; a start page outside 0-7 is the first page), so that OK never
// writes them back.
void FitToPages(CaptureSetupValues& values);

// OK on the Send To page: no naming radio chosen means Augment Filename,
// and with no destination at all the window destination is switched on.
void ConfirmSendTo(SendToOptions& sendTo);

// The Title & Menu check boxes, in page order.
enum TitleMenuBox { kBoxTitleBar, kBoxMenuBar, kBoxPulldown, kBoxCascading, kBoxErase };
// The consistency rules applied after the box clicked changed.
void ApplyTitleMenuRules(TitleMenuOptions& titleMenu, TitleMenuBox clicked);
// The Title & Menu sample: a bitmap id (72-87), kSampleButtonFace when
// every part is off, or kNoSample for combinations without a picture.
const int kSampleButtonFace = 0;
const int kNoSample = -1;
int TitleMenuSample(const TitleMenuOptions& titleMenu);

// The Capture Tools texts of the page for capture code (1 Screen ... 5
// Freehand). The hotkey text follows prefix ("Hotkey: ") with the held
// modifiers and the key's name; the HotButton text is chosen by index:
// 0 not defined, 1 left double, 2 middle single, 3 middle double, 4 right
// single, 5 right double (the last assigned one in that order).
std::string HotKeyToolText(const std::string& prefix, const HotKeyAssignment& keys, int captureCode);
int HotButtonToolText(const HotButtonOptions& hotButton, int captureCode);
