// The Date/Time dialog of the Macros page: the ten date and time options
// with live samples refreshed every 100 ms; OK stores them at once.
#include "PrintSheetState.h"

#include "PageTexts.h"

#include "../settings/Settings.h"

#include <algorithm>

namespace {

const UINT_PTR kSampleTimer = 1;

class DateTimeDialog : public Dialog {
public:
    explicit DateTimeDialog(PrintTimeDateOptions& options) : Dialog(IDD_PRINT_DATE_TIME), m_options(options) {}

protected:
    BOOL OnInitDialog() override
    {
        const PrintTimeDateOptions& o = m_options;
        SetRadio(IDC_DT_12_HOUR, IDC_DT_24_HOUR, o.hour24 ? 1 : 0);
        SetRadio(IDC_DT_MDY, IDC_DT_YMD, o.dateOrder >= 0 && o.dateOrder <= 2 ? o.dateOrder : 0);
        SetRadio(IDC_DT_SLASH, IDC_DT_NONE, o.separator >= 0 && o.separator <= 3 ? o.separator : 0);
        SetRadio(IDC_DT_NUMERIC, IDC_DT_ALPHABETIC, o.monthForm ? 1 : 0);
        SetCheck(IDC_DT_AM_PM, o.amPm);
        SetCheck(IDC_DT_UPPER_CASE, o.upperCase);
        SetCheck(IDC_DT_SECONDS, o.seconds);
        SetCheck(IDC_DT_WEEK, o.weekday);
        SetCheck(IDC_DT_CENTURY, o.century);
        SetCheck(IDC_DT_ABBREVIATION, o.abbreviation);
        Update();
        SetTimer(m_hWnd, kSampleTimer, 100, nullptr);
        return TRUE;
    }
    void OnOK() override
    {
        m_options = Chosen();
        KillTimer(m_hWnd, kSampleTimer);
        EndDialog(IDOK);
    }
    void OnCancel() override
    {
        KillTimer(m_hWnd, kSampleTimer);
        EndDialog(IDCANCEL);
    }
    bool OnCommand(UINT id, UINT) override
    {
        if (id < IDC_DT_12_HOUR || id > IDC_DT_WEEK) return false;
        Update();
        return true;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR& result) override
    {
        if (msg != WM_TIMER || wParam != kSampleTimer) return false;
        ShowSamples();
        result = 0;
        return true;
    }

private:
    PrintTimeDateOptions Chosen() const
    {
        PrintTimeDateOptions o = m_options;
        o.hour24 = GetRadio(IDC_DT_12_HOUR, IDC_DT_24_HOUR) == 1;
        o.dateOrder = std::max(0, GetRadio(IDC_DT_MDY, IDC_DT_YMD));
        o.separator = std::max(0, GetRadio(IDC_DT_SLASH, IDC_DT_NONE));
        o.monthForm = GetRadio(IDC_DT_NUMERIC, IDC_DT_ALPHABETIC) == 1;
        o.amPm = GetCheck(IDC_DT_AM_PM);
        o.upperCase = GetCheck(IDC_DT_UPPER_CASE);
        o.seconds = GetCheck(IDC_DT_SECONDS);
        o.weekday = GetCheck(IDC_DT_WEEK);
        o.century = GetCheck(IDC_DT_CENTURY);
        o.abbreviation = GetCheck(IDC_DT_ABBREVIATION);
        return o;
    }
    // AM/PM only on the 12-hour clock, Upper Case only with AM/PM there,
    // Abbreviation only with the month by name.
    void Update() const
    {
        const bool hours12 = GetRadio(IDC_DT_12_HOUR, IDC_DT_24_HOUR) != 1;
        Enable(IDC_DT_AM_PM, hours12);
        Enable(IDC_DT_UPPER_CASE, hours12 && GetCheck(IDC_DT_AM_PM));
        Enable(IDC_DT_ABBREVIATION, GetRadio(IDC_DT_NUMERIC, IDC_DT_ALPHABETIC) == 1);
        ShowSamples();
    }
    void ShowSamples() const
    {
        std::tm now = {};
        if (!LocalTimeOf(0, &now)) return;
        const DateTimeStyle style = DateTimeStyleOf(Chosen());
        SetDlgItemTextA(m_hWnd, IDC_DT_TIME_SAMPLE, FormatTime(now, style).c_str());
        SetDlgItemTextA(m_hWnd, IDC_DT_DATE_SAMPLE, FormatDate(now, style, m_names).c_str());
    }

    PrintTimeDateOptions& m_options;
    DateTimeNames m_names = LoadDateTimeNames();
};

}  // namespace

void RunDateTimeDialog(HWND owner, Options& options, SettingsProfile& profile)
{
    DateTimeDialog dialog(options.printTimeDate);
    if (dialog.DoModal(owner) != IDOK) return;
    WriteSettings(profile, options, KeyGroup::kPrintTimeDate);
}
