// Strip table, tick plan and the pressed-button hit test.
#include "SnapshotStrip.h"

int SnapshotCaptureCode(int button)
{
    static const int kCodes[kSnapButtonCount] = {1, 2, 3, 5, 7};
    return button >= 0 && button < kSnapButtonCount ? kCodes[button] : 0;
}

SnapshotStrip BuildSnapshotStrip(const bool switches[kSnapButtonCount], int buttonWidth, int buttonHeight)
{
    SnapshotStrip strip;
    if (buttonWidth <= 0 || buttonHeight <= 0) return strip;
    strip.buttonWidth = buttonWidth;
    strip.buttonHeight = buttonHeight;
    for (int button = 0; button < kSnapButtonCount; ++button) {
        if (!switches[button]) continue;
        strip.buttons[strip.count] = button;
        strip.codes[strip.count] = SnapshotCaptureCode(button);
        ++strip.count;
    }
    strip.width = strip.count * buttonWidth;
    return strip;
}

StripPlan PlanSnapshotStrip(const StripTickState& state, const SnapshotStrip& strip, const CaptionFacts* target,
                            const TargetAtPoint& onTarget)
{
    StripPlan plan = {StripAction::Clear, RECT{0, 0, 0, 0}};
    if (state.pressed) {
        plan.action = StripAction::Keep;
        return plan;
    }
    if (state.printing || state.heldBack || strip.width == 0 || !target) return plan;
    RECT rc;
    if (!PlaceSnapshotStrip(*target, strip.width, strip.buttonHeight, &rc)) return plan;
    for (const POINT& pt : CaptionProbePoints(rc))
        if (!onTarget(pt)) return plan;
    plan.action = StripAction::Draw;
    plan.rect = rc;
    return plan;
}

PressedPosition SnapshotPositionAt(const SnapshotStrip& strip, const RECT& snapRect, POINT pt)
{
    PressedPosition found = {-1, RECT{0, 0, 0, 0}};
    if (pt.y < snapRect.top || pt.y >= snapRect.bottom) return found;
    for (int position = 0; position < strip.count; ++position) {
        LONG left = snapRect.left + position * strip.buttonWidth;
        if (pt.x >= left && pt.x < left + strip.buttonWidth) {
            found.position = position;
            found.rect = RECT{left, snapRect.top, left + strip.buttonWidth, snapRect.bottom};
            break;
        }
    }
    return found;
}
