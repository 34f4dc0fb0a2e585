// Title-bar clock and snapshot strip: the Win32 side of CaptionPlacement
// and SnapshotStrip. It reads the target window's rectangles and style,
// answers the covered-caption probes with the window under each point,
// and copies prepared bitmaps to the screen device.
//
// The hook library tests left presses against the rectangle passed last.
// That rectangle is emptied whenever the strip is not on the target's
// caption (except between a press and its release), so a press where the
// strip used to be reaches the window there instead of starting a capture.
#include "TitleBar_win.h"

#include "AppSettings.h"
#include "CaptionPlacement.h"
#include "CaptureDispatch.h"
#include "ClockFormat.h"

#include "../capture/CaptureGdi.h"
#include "../capture/CaptureState.h"
#include "../hook/kesthook.h"

#include <cstring>
#include <ctime>
#include <string>

namespace {

// SetWindowPos flags: no size, no move, no z-order change, frame changed;
// with no activation for a window that stops being the target. The
// target is another program's window, which may have stopped answering:
// the request is posted to its thread rather than sent.
const UINT kRedrawFrame = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_ASYNCWINDOWPOS;
const UINT kRedrawOldTarget = kRedrawFrame | SWP_NOACTIVATE;
// How long a capture waits for another program to repaint its frame.
const UINT kFramePaintWait = 250;  // ms

CaptionFacts CaptionOf(HWND hwnd, const DisplayFacts& display)
{
    CaptionFacts caption = {};
    GetWindowRect(hwnd, &caption.window);
    caption.clientOrigin = POINT{0, 0};
    ClientToScreen(hwnd, &caption.clientOrigin);
    caption.style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    caption.captionHeight = display.captionHeight;
    caption.windows4 = display.MajorVersion() >= 4;
    return caption;
}

// The probes: the top-level window under each point must be the target,
// so no other window covers the caption there.
TargetAtPoint UnderPointIs(HWND target)
{
    return [target](POINT pt) {
        HWND under = WindowFromPoint(pt);
        return under && GetAncestor(under, GA_ROOT) == target;
    };
}

bool ClockOn(const ClockOptions& clock) { return clock.time || clock.date; }

}  // namespace

void RepaintFrameNow(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kRedrawFrame);
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    }
    // The frame of another thread's window is painted by that thread: ask
    // for it with a bounded wait. A thread blocked in sending the trigger
    // still answers; a hung one costs the wait, not the program.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, WM_NCPAINT, 1, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kFramePaintWait, &result);
}

void TitleBar::Build(const AppSettings& settings)
{
    m_pSettings = &settings;
    const Options& options = settings.options;
    bool switches[kSnapButtonCount];
    for (int button = 0; button < kSnapButtonCount; ++button) switches[button] = options.snapshot.buttons[button] != FALSE;
    m_strip = BuildSnapshotStrip(switches, settings.display.SnapButtonWidth(), settings.display.SnapButtonHeight());
    m_bitmaps.Build(m_strip, options.buttonColors.face);
    m_nPressed = -1;

    LOGFONTA font = {};
    font.lfHeight = settings.display.TitleFontHeight();
    std::strcpy(font.lfFaceName, "System");
    m_titleFont.reset(CreateFontIndirectA(&font));
    m_nTitleFontHeight = font.lfHeight;
}

void TitleBar::Delete()
{
    m_bitmaps.Delete();
    m_titleFont.reset();
    m_strip = SnapshotStrip();
    m_pSettings = nullptr;
}

HWND TitleBar::TitleTarget()
{
    HWND foreground = GetForegroundWindow();
    if (!foreground ||
        !QualifiesAsTitleTarget(IsWindowVisible(foreground) != FALSE, IsIconic(foreground) != FALSE,
                                DWORD(GetWindowLongA(foreground, GWL_STYLE))))
        return nullptr;
    if (foreground != m_hTarget) {
        if (m_hTarget && IsWindow(m_hTarget)) SetWindowPos(m_hTarget, nullptr, 0, 0, 0, 0, kRedrawOldTarget);
        m_hTarget = foreground;
    }
    return foreground;
}

void TitleBar::PassRect(const RECT& rc)
{
    m_rcSnap = rc;
    PassSnapRect(&m_rcSnap);
}

void TitleBar::UpdateButtons(const AppSettings& settings)
{
    const StripTickState state = {g_bPrinting != FALSE, g_bSnapshotPressed != FALSE,
                                  g_bCaptureInProgress && settings.options.snapshot.hideInCapture};
    const bool mayDraw = !state.printing && !state.pressed && !state.heldBack && m_strip.width > 0;
    HWND target = mayDraw ? TitleTarget() : nullptr;
    CaptionFacts caption = {};
    if (target) caption = CaptionOf(target, settings.display);
    const StripPlan plan = PlanSnapshotStrip(state, m_strip, target ? &caption : nullptr, UnderPointIs(target));
    switch (plan.action) {
    case StripAction::Keep: break;
    case StripAction::Clear:
        if (m_rcSnap.left || m_rcSnap.top || m_rcSnap.right || m_rcSnap.bottom) PassRect(plan.rect);
        break;
    case StripAction::Draw:
        CopyBitmapToScreen(m_bitmaps.Strip(), plan.rect.left, plan.rect.top, m_strip.width, m_strip.buttonHeight);
        PassRect(plan.rect);
        break;
    }
}

void TitleBar::DrawClock(const AppSettings& settings)
{
    const ClockOptions& clock = settings.options.clock;
    if (!ClockOn(clock) || (g_bCaptureInProgress && clock.hideInCapture) || !m_titleFont) return;
    HWND target = TitleTarget();
    if (!target) return;

    const std::string text = TitleClockText(clock.time != FALSE, clock.date != FALSE,
                                            FormatLocalTimeAndDate(ClockFormatOf(clock), int64_t(std::time(nullptr))));
    if (text.empty()) return;
    DisplayDC screen;
    if (!screen) return;
    MemoryDC memory(screen.get());
    if (!memory) return;
    SelectedObject font(memory.get(), m_titleFont.get());
    SIZE textSize = {};
    if (!GetTextExtentPoint32A(memory.get(), text.c_str(), int(text.size()), &textSize)) return;

    const bool stripHeldBack = (g_bCaptureInProgress && settings.options.snapshot.hideInCapture) || g_bPrinting;
    RECT rc;
    if (!PlaceTitleClock(CaptionOf(target, settings.display), textSize, m_nTitleFontHeight,
                         stripHeldBack ? 0 : m_strip.width, UnderPointIs(target), &rc))
        return;

    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap) return;
    SelectedObject selected(memory.get(), bitmap.get());
    const RECT all = {0, 0, width, height};
    FillRect(memory.get(), &all, GetSysColorBrush(COLOR_ACTIVECAPTION));
    SetTextColor(memory.get(), clock.color);
    SetBkMode(memory.get(), TRANSPARENT);
    TextOutA(memory.get(), 0, 0, text.c_str(), int(text.size()));
    BitBlt(screen.get(), rc.left, rc.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

void TitleBar::ShowPressedButton()
{
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    const PressedPosition found = SnapshotPositionAt(m_strip, m_rcSnap, pt);
    // A press on no button (the pointer moved off the strip before this
    // message, or the strip changed under it) selects none, so its
    // release starts nothing rather than the button pressed before.
    m_nPressed = found.position;
    if (found.position < 0) return;
    CopyBitmapToScreen(m_bitmaps.Button(m_strip.buttons[found.position], true), found.rect.left, found.rect.top,
                       m_strip.buttonWidth, m_strip.buttonHeight);
}

int TitleBar::PressedCode() const
{
    return m_nPressed >= 0 && m_nPressed < m_strip.count ? m_strip.codes[m_nPressed] : 0;
}

void TitleBar::PrepareForCapture()
{
    if (!m_pSettings) return;
    const Options& options = m_pSettings->options;
    const bool clockOn = ClockOn(options.clock), stripOn = m_strip.width != 0;
    if (!options.clock.hideInCapture && !options.snapshot.hideInCapture) return;
    if (!clockOn && !stripOn) return;
    if (HWND foreground = GetForegroundWindow()) RepaintFrameNow(foreground);
    if (!options.clock.hideInCapture && clockOn) DrawClock(*m_pSettings);
    if (!options.snapshot.hideInCapture && stripOn) UpdateButtons(*m_pSettings);
}
