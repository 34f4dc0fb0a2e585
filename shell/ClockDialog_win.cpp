// Kestrel Clock dialog. The time-format controls follow the Time box, the
// date-format controls the Date box; AM/PM needs 12-hour format and Upper
// Case needs AM/PM as well. The sample is an owner-drawn static, redrawn
// by the dialog's timer with the same texts the title-bar clock shows.
#include "ClockDialog_win.h"

#include "AppSettings.h"
#include "ClockFormat.h"

#include "../framework/ColorDialog.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../resources/resource.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

namespace {

const UINT kSampleTimer = 1;
const UINT kSamplePeriod = 100;  // ms

}  // namespace

int ClockDialog::Choice(int first, int last) const
{
    return std::max(0, GetRadio(first, last));
}

ClockDialog::ClockDialog(AppSettings& settings)
    : Dialog(IDD_CLOCK), m_settings(settings), m_color(settings.options.clock.color)
{
}

BOOL ClockDialog::OnInitDialog()
{
    LOGFONTA font = {};
    font.lfHeight = m_settings.display.TitleFontHeight();
    std::strcpy(font.lfFaceName, "System");
    m_sampleFont.reset(CreateFontIndirectA(&font));
    ShowChoices(m_settings.options.clock);
    SetTimer(m_hWnd, kSampleTimer, kSamplePeriod, nullptr);
    return TRUE;
}

void ClockDialog::ShowChoices(const ClockOptions& clock)
{
    SetCheck(IDC_CLOCK_TIME, clock.time);
    SetCheck(IDC_CLOCK_DATE, clock.date);
    SetRadio(IDC_CLOCK_12_HOUR, IDC_CLOCK_24_HOUR, clock.hourFormat);
    SetCheck(IDC_CLOCK_SECONDS, clock.seconds);
    SetCheck(IDC_CLOCK_AM_PM, clock.amPm);
    SetCheck(IDC_CLOCK_UPPER_CASE, clock.upperCase);
    SetRadio(IDC_CLOCK_MDY, IDC_CLOCK_YMD, clock.dateOrder);
    SetRadio(IDC_CLOCK_SLASH, IDC_CLOCK_FULL_STOP, clock.separator);
    SetCheck(IDC_CLOCK_CENTURY, clock.century);
    SetCheck(IDC_CLOCK_HIDE, clock.hideInCapture);
    m_color = clock.color;
    UpdateEnabling();
}

ClockOptions ClockDialog::Choices() const
{
    ClockOptions clock = {};
    clock.time = GetCheck(IDC_CLOCK_TIME);
    clock.date = GetCheck(IDC_CLOCK_DATE);
    clock.hideInCapture = GetCheck(IDC_CLOCK_HIDE);
    clock.hourFormat = Choice(IDC_CLOCK_12_HOUR, IDC_CLOCK_24_HOUR);
    clock.seconds = GetCheck(IDC_CLOCK_SECONDS);
    clock.amPm = GetCheck(IDC_CLOCK_AM_PM);
    clock.upperCase = GetCheck(IDC_CLOCK_UPPER_CASE);
    clock.dateOrder = Choice(IDC_CLOCK_MDY, IDC_CLOCK_YMD);
    clock.separator = Choice(IDC_CLOCK_SLASH, IDC_CLOCK_FULL_STOP);
    clock.century = GetCheck(IDC_CLOCK_CENTURY);
    clock.color = m_color;
    return clock;
}

void ClockDialog::UpdateEnabling()
{
    const bool time = GetCheck(IDC_CLOCK_TIME) != FALSE;
    const bool date = GetCheck(IDC_CLOCK_DATE) != FALSE;
    const bool twelve = Choice(IDC_CLOCK_12_HOUR, IDC_CLOCK_24_HOUR) == 0;
    const bool amPm = GetCheck(IDC_CLOCK_AM_PM) != FALSE;
    for (UINT id : {IDC_CLOCK_TIME_GROUP, IDC_CLOCK_12_HOUR, IDC_CLOCK_24_HOUR, IDC_CLOCK_SECONDS})
        Enable(int(id), time);
    Enable(IDC_CLOCK_AM_PM, time && twelve);
    Enable(IDC_CLOCK_UPPER_CASE, time && twelve && amPm);
    for (UINT id : {IDC_CLOCK_DATE_GROUP, IDC_CLOCK_MDY, IDC_CLOCK_DMY, IDC_CLOCK_YMD, IDC_CLOCK_SEPARATOR_LABEL,
                    IDC_CLOCK_SLASH, IDC_CLOCK_HYPHEN, IDC_CLOCK_FULL_STOP, IDC_CLOCK_CENTURY})
        Enable(int(id), date);
}

void ClockDialog::OnColor()
{
    ChooseColorFor(m_hWnd, &m_color);
}

void ClockDialog::DrawSample(const DRAWITEMSTRUCT& item)
{
    const ClockOptions clock = Choices();
    std::string text;
    if (clock.time || clock.date)
        text = TitleClockText(clock.time != FALSE, clock.date != FALSE,
                              FormatLocalTimeAndDate(ClockFormatOf(clock), int64_t(std::time(nullptr))));
    else
        text = LoadResourceString(IDS_CLOCK_OFF);
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    SelectedObject font(item.hDC, m_sampleFont.get());
    SetTextColor(item.hDC, clock.color);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextA(item.hDC, text.c_str(), int(text.size()), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void ClockDialog::OnOK()
{
    m_settings.options.clock = Choices();
    m_settings.Write(KeyGroup::kClock);
    EndDialog(IDOK);
}

bool ClockDialog::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_CLOCK_DEFAULT: ShowChoices(DefaultOptions(m_settings.System()).clock); return true;
    case IDC_CLOCK_COLOR: OnColor(); return true;
    case IDC_CLOCK_HELP: {
        static const char kKeyword[] = "Clock Setup";
        if (WinApp* app = WinApp::Current()) app->WinHelp(reinterpret_cast<ULONG_PTR>(kKeyword), HELP_KEY);
        return true;
    }
    default:
        // Any box or choice may change what is enabled.
        if (code == BN_CLICKED && id >= IDC_CLOCK_TIME && id <= IDC_CLOCK_HIDE) UpdateEnabling();
        return false;
    }
}

bool ClockDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam != kSampleTimer) return false;
        InvalidateRect(GetDlgItem(m_hWnd, IDC_CLOCK_SAMPLE), nullptr, FALSE);
        result = 0;
        return true;
    case WM_DRAWITEM:
        if (wParam != IDC_CLOCK_SAMPLE) return false;
        DrawSample(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_DESTROY:
        KillTimer(m_hWnd, kSampleTimer);
        return false;
    default:
        return false;
    }
}

void RunClockDialog(AppSettings& settings, HWND owner)
{
    ClockDialog dialog(settings);
    dialog.DoModal(owner);
}
