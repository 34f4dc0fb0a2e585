// Click counting for HotButtons and the snapshot-strip hit test. Runs
// inside the hook procedures of every process, so it allocates nothing
// and only touches the shared words it is given.
//
// A button's state: idle (first 0, times 0) -> one click counted (first 1,
// time 1 set) -> either expired at a poll, or a second click counted
// (first 0, second 1, time 2 set) -> double posted at the next poll. The
// window for a double click is the system's double-click time plus up to
// one polling interval.
#include "ClickState.h"

namespace {

// A tick count of 0 means "no click", so a click that lands exactly on
// tick 0 is recorded as 1 ms later.
uint32_t ClickTick(uint32_t tick)
{
    return tick ? tick : 1;
}

// Counts one press (left, middle) or release (right) of a button.
void CountClick(uint32_t& first, uint32_t& second, uint32_t& time1, uint32_t& time2, uint32_t tick)
{
    if (first == 0) {
        second = 0;
        first = 1;
        time1 = ClickTick(tick);
    } else if (second == 0) {
        first = 0;
        second = 1;
        time2 = ClickTick(tick);
    }
}

bool InSnapRect(const HookData& data, int x, int y)
{
    return x >= data.snapLeft && x < data.snapRight && y >= data.snapTop && y < data.snapBottom;
}

}  // namespace

MouseActions OnMouseMessage(HookData& data, unsigned message, int x, int y, uint32_t tick)
{
    MouseActions actions;
    if (data.leftButtonTaken) return actions;
    data.lastTick = tick;

    switch (message) {
    case kMsgLeftDown:
    case kMsgNcLeftDown:
    case kMsgLeftDoubleClick:
    case kMsgNcLeftDoubleClick:
        if (InSnapRect(data, x, y)) {
            data.snapshotPressed = 1;
            actions.sendSnapshotPress = true;
        } else {
            actions.takeCursor = data.leftFirst == 1;
            CountClick(data.leftFirst, data.leftSecond, data.leftTime1, data.leftTime2, tick);
        }
        break;
    case kMsgLeftUp:
    case kMsgNcLeftUp:
        actions.postButtonReport = true;
        actions.buttonReportParam = 0;
        if (data.snapshotPressed) {
            data.snapshotPressed = 0;
            actions.postSnapshotRelease = true;
        }
        break;
    case kMsgRightUp:
    case kMsgNcRightUp:
        actions.postButtonReport = true;
        actions.buttonReportParam = 1;
        actions.takeCursor = true;
        CountClick(data.rightFirst, data.rightSecond, data.rightTime1, data.rightTime2, tick);
        break;
    case kMsgMiddleDown:
    case kMsgNcMiddleDown:
    case kMsgMiddleDoubleClick:
    case kMsgNcMiddleDoubleClick:
        actions.postButtonReport = true;
        actions.buttonReportParam = 0;
        actions.takeCursor = true;
        CountClick(data.middleFirst, data.middleSecond, data.middleTime1, data.middleTime2, tick);
        break;
    default:
        break;
    }
    return actions;
}

int PollClicks(HookData& data, uint32_t now)
{
    if (data.leftTime1 && data.leftTime2) {
        data.leftFirst = 0;
        data.leftTime1 = data.leftTime2 = 0;
        return data.leftDoubleCode;
    }
    if (data.middleTime1 && data.middleTime2) {
        data.middleFirst = 0;
        data.middleTime1 = data.middleTime2 = 0;
        return data.middleDoubleCode;
    }
    if (data.rightTime1 && data.rightTime2) {
        data.rightFirst = 0;
        data.rightTime1 = data.rightTime2 = 0;
        return data.rightDoubleCode;
    }
    // Unsigned differences stay right across the tick counter's wrap.
    if (data.leftTime1 && now - data.leftTime1 > data.doubleClickTime) {
        data.leftTime1 = 0;
        data.leftFirst = 0;
        return -1;  // a single left click is never a HotButton
    }
    if (data.middleTime1 && now - data.middleTime1 > data.doubleClickTime) {
        data.middleTime1 = 0;
        data.middleFirst = 0;
        return data.middleSingleCode;
    }
    if (data.rightTime1 && now - data.rightTime1 > data.doubleClickTime) {
        data.rightTime1 = 0;
        data.rightFirst = 0;
        return data.rightSingleCode;
    }
    return -1;
}

void StoreButtonShotDef(HookData& data, int leftDouble, int middleSingle, int middleDouble, int rightSingle,
                        int rightDouble)
{
    // Column index of the left double-click row -> capture code (the row has
    // no Title & Menu column).
    static const int kLeftDoubleCodes[] = {0, 1, 2, 3, 5, 6, 7};
    if (leftDouble >= 0 && leftDouble < 7) data.leftDoubleCode = kLeftDoubleCodes[leftDouble];
    data.middleSingleCode = middleSingle;
    data.middleDoubleCode = middleDouble;
    data.rightSingleCode = rightSingle;
    data.rightDoubleCode = rightDouble;
}
