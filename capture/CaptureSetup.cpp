// The Capture Setup sheet's rules.
#include "CaptureSetup.h"

#include "../settings/KeyTable.h"
#include "../settings/Settings.h"
#include "../settings/SettingsParse.h"

namespace {

void Clamp(int& value, int low, int high) { value = settings::ClampInt(value, low, high); }

void Flag(BOOL& value) { value = value ? 1 : 0; }

template <class... Values>
void Flags(Values&... flags)
{
    (Flag(flags), ...);
}

}  // namespace

void FitToPages(CaptureSetupValues& values)
{
    CaptureOptions& c = values.capture;
    SendToOptions& s = c.sendTo;
    s.setupPage = CaptureSetupStartPage(s);
    Flags(s.window, s.clipboard, s.printer, s.file, s.usePrintDialog);
    Clamp(s.fileNaming, kAugmentFileName, kFileNameByTime);
    Clamp(s.marginX, 0, kMarginMax);
    Clamp(s.marginY, 0, kMarginMax);

    CapturePageOptions& p = c.capture;
    Flags(p.hideMousePointer, p.hideAllWindows, p.addFrameAndMat, p.bringKestrelToTop, p.displayImageInfo);
    Clamp(p.colorOption, kColorAsIs, kColorReduce);
    Clamp(p.notification, kNoFlash, kFlashUpDown);

    Flag(c.screen.countdown);
    Clamp(c.screen.countdownSeconds, 0, kCountdownMax);

    WindowOptions& w = c.window;
    Clamp(w.choice, kActiveWindow, kSelectWindow);
    Flags(w.frame, w.workspace, w.captureWithCurrent, w.eraseBackground, w.countdown);
    Clamp(w.countdownSeconds, 0, kCountdownMax);

    Flags(c.region.invertSelection, c.region.showImageSize);
    TitleMenuOptions& t = c.titleMenu;
    Flags(t.titleBar, t.menuBar, t.pulldownMenu, t.cascadingMenu, t.eraseBackground);
    Flags(c.freehand.includeBorder, c.freehand.invertPen);

    Clamp(values.mode.runningMode, 0, 1);
    Flags(values.mode.runMinimized, values.mode.displayLogo);
}

void ConfirmSendTo(SendToOptions& sendTo)
{
    if (sendTo.fileNaming < 0) sendTo.fileNaming = kAugmentFileName;
    if (!sendTo.window && !sendTo.clipboard && !sendTo.printer && !sendTo.file) sendTo.window = 1;
}

void ApplyTitleMenuRules(TitleMenuOptions& t, TitleMenuBox clicked)
{
    switch (clicked) {
    case kBoxTitleBar:
        if (!t.menuBar && t.titleBar && t.pulldownMenu) t.menuBar = 1;
        break;
    case kBoxMenuBar:
        if (!t.menuBar && t.titleBar && t.pulldownMenu) t.titleBar = 0;
        break;
    case kBoxPulldown:
        if (!t.pulldownMenu && t.menuBar && t.cascadingMenu) t.cascadingMenu = 0;
        break;
    case kBoxCascading:
        if (t.menuBar && t.cascadingMenu) t.pulldownMenu = 1;
        if (t.titleBar && t.cascadingMenu) t.menuBar = t.pulldownMenu = 1;
        break;
    case kBoxErase: break;
    }
}

int TitleMenuSample(const TitleMenuOptions& t)
{
    // Title bar, menu bar, pulldown and cascading menu, and the pictures
    // for Erase Background off and on (the same one where only one exists).
    static const struct { BOOL title, menu, pulldown, cascading; int eraseOff, eraseOn; } kSamples[] = {
        {1, 1, 1, 1, 72, 73}, {1, 1, 1, 0, 74, 75}, {1, 1, 0, 0, 76, 76}, {1, 0, 0, 0, 77, 77},
        {0, 0, 1, 1, 78, 79}, {0, 0, 1, 0, 80, 81}, {0, 0, 0, 1, 82, 82}, {0, 1, 0, 0, 83, 83},
        {0, 1, 1, 0, 84, 85}, {0, 1, 1, 1, 86, 87},
    };
    const bool title = t.titleBar != 0, menu = t.menuBar != 0, pulldown = t.pulldownMenu != 0,
               cascading = t.cascadingMenu != 0;
    if (!title && !menu && !pulldown && !cascading) return kSampleButtonFace;
    for (const auto& s : kSamples)
        if ((s.title != 0) == title && (s.menu != 0) == menu && (s.pulldown != 0) == pulldown &&
            (s.cascading != 0) == cascading)
            return t.eraseBackground ? s.eraseOn : s.eraseOff;
    return kNoSample;
}

std::string HotKeyToolText(const std::string& prefix, const HotKeyAssignment& keys, int captureCode)
{
    const int type = captureCode - 1;
    if (type < 0 || type >= kCaptureTypes) return prefix;
    static const char* const kModifierTexts[kModifierCount] = {"Esc + ", "Ctrl + ", "Shift + ", "Alt + "};
    // Shown in the order Esc, Ctrl, Shift, Alt; stored as Esc, Shift, Ctrl, Alt.
    static const Modifier kShownOrder[kModifierCount] = {kModEsc, kModCtrl, kModShift, kModAlt};
    std::string text = prefix;
    for (int i = 0; i < kModifierCount; ++i)
        if (keys.modifiers[type][kShownOrder[i]] == -1) text += kModifierTexts[i];
    return text + KeyName(keys.normalKey[type]);
}

int HotButtonToolText(const HotButtonOptions& hotButton, int captureCode)
{
    // The left double click stores a column without Title & Menu: None,
    // Screen, Window, Region, Freehand, Pointer, Button.
    const int leftDouble = hotButton.codes[0] >= 4 ? hotButton.codes[0] + 1 : hotButton.codes[0];
    const int codes[5] = {leftDouble, hotButton.codes[1], hotButton.codes[2], hotButton.codes[3], hotButton.codes[4]};
    int shown = 0;
    for (int i = 0; i < 5; ++i)
        if (captureCode != 0 && codes[i] == captureCode) shown = i + 1;
    return shown;
}
