// The snapshot strip: which buttons it holds and where, what one timer
// tick does with it and with the rectangle the hook library tests left
// presses against, and which button a press landed on. Portable; the Win32
// side draws the images and passes the rectangle on.
#pragma once

#include "CaptionPlacement.h"

// The five buttons in strip order, as the SnapshotButton switches.
enum SnapshotButtonIndex {
    kSnapScreen,
    kSnapWindow,
    kSnapRegion,
    kSnapFreehand,
    kSnapButton,
    kSnapButtonCount
};

// Capture code of a button: 1 Screen, 2 Window, 3 Region, 5 Freehand, 7 Button.
int SnapshotCaptureCode(int button);

struct SnapshotStrip {
    int buttonWidth = 0;   // caption height - 4
    int buttonHeight = 0;  // caption height - 6
    int count = 0;         // positions in use, left to right
    int width = 0;         // count * buttonWidth; 0 when there is no strip
    int buttons[kSnapButtonCount] = {};  // button shown at each position (its down image)
    int codes[kSnapButtonCount] = {};    // capture code at each position
};

// The strip of the switched-on buttons. A button size of 0 or less (a
// caption of 6 pixels or less) gives no strip at all.
SnapshotStrip BuildSnapshotStrip(const bool switches[kSnapButtonCount], int buttonWidth, int buttonHeight);

struct StripTickState {
    bool printing;  // a print job runs
    bool pressed;   // between a snapshot press and its release
    bool heldBack;  // a capture runs and the buttons' Hide in Capture is on
};

enum class StripAction {
    Keep,   // draw nothing, leave the hook's rectangle as it is
    Clear,  // draw nothing, pass the empty rectangle
    Draw    // copy the strip image to rect's top-left corner and pass rect
};

struct StripPlan {
    StripAction action;
    RECT rect;  // the strip's place for Draw, empty otherwise
};

// One tick of the strip on the title target (null when there is none).
// Only a press in progress keeps the last rectangle, so its down image
// stays and the release is matched against it; whenever the strip is not
// on the target's caption the rectangle is emptied, so a click where it
// was reaches the window below.
StripPlan PlanSnapshotStrip(const StripTickState& state, const SnapshotStrip& strip, const CaptionFacts* target,
                            const TargetAtPoint& onTarget);

struct PressedPosition {
    int position;  // strip position, -1 when the point is on none
    RECT rect;     // where that position's down image goes
};

// The strip position under pt for a strip drawn at snapRect. Positions are
// half-open on the right and bottom, so a press on the boundary belongs to
// the right-hand button; only positions the strip holds are tested.
PressedPosition SnapshotPositionAt(const SnapshotStrip& strip, const RECT& snapRect, POINT pt);
