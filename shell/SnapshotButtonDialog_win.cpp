// Snapshot Button Setup dialog. The samples are owner-drawn statics that
// show each button's up image as the title bar has it now.
#include "SnapshotButtonDialog_win.h"

#include "AppSettings.h"
#include "SnapshotStrip.h"
#include "TitleBarSeams.h"

#include "../framework/ColorDialog.h"
#include "../framework/GdiHandles.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"

namespace {

// The boxes in strip order: Screen, Window, Region, Freehand, Button.
const UINT kButtonIds[kSnapButtonCount] = {IDC_SNAP_SCREEN, IDC_SNAP_WINDOW, IDC_SNAP_REGION, IDC_SNAP_FREEHAND,
                                           IDC_SNAP_BUTTON};

bool IsBox(UINT id)
{
    for (UINT box : kButtonIds)
        if (box == id) return true;
    return id == IDC_SNAP_HIDE;
}

}  // namespace

SnapshotButtonDialog::SnapshotButtonDialog(AppSettings& settings) : Dialog(IDD_SNAPSHOT_BUTTONS), m_settings(settings)
{
}

BOOL SnapshotButtonDialog::OnInitDialog()
{
    ShowChoices(m_settings.options.snapshot);
    return TRUE;
}

void SnapshotButtonDialog::ShowChoices(const SnapshotOptions& snapshot)
{
    for (int button = 0; button < kSnapButtonCount; ++button)
        CheckDlgButton(m_hWnd, int(kButtonIds[button]), snapshot.buttons[button] ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_SNAP_HIDE, snapshot.hideInCapture ? BST_CHECKED : BST_UNCHECKED);
}

void SnapshotButtonDialog::ApplyChoices()
{
    SnapshotOptions& snapshot = m_settings.options.snapshot;
    for (int button = 0; button < kSnapButtonCount; ++button)
        snapshot.buttons[button] = IsDlgButtonChecked(m_hWnd, int(kButtonIds[button])) == BST_CHECKED;
    snapshot.hideInCapture = IsDlgButtonChecked(m_hWnd, IDC_SNAP_HIDE) == BST_CHECKED;
    BuildSnapshotButtons(m_settings);
    for (int button = 0; button < kSnapButtonCount; ++button)
        InvalidateRect(GetDlgItem(m_hWnd, IDC_SNAP_SAMPLE_FIRST + button), nullptr, FALSE);
    // The frame drops the old strip; the main frame's next tick paints the new one.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SnapshotButtonDialog::OnColor()
{
    if (!ChooseColorFor(m_hWnd, &m_settings.options.buttonColors.face, false)) return;
    ApplyChoices();
}

void SnapshotButtonDialog::DrawSample(const DRAWITEMSTRUCT& item) const
{
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const int button = int(item.CtlID) - IDC_SNAP_SAMPLE_FIRST;
    HBITMAP image = SnapshotButtonImage(button);
    if (!image) return;
    const int width = m_settings.display.SnapButtonWidth(), height = m_settings.display.SnapButtonHeight();
    MemoryDC memory(item.hDC);
    if (!memory) return;
    SelectedObject selected(memory.get(), image);
    BitBlt(item.hDC, (rc.left + rc.right - width) / 2, (rc.top + rc.bottom - height) / 2, width, height, memory.get(),
           0, 0, SRCCOPY);
}

void SnapshotButtonDialog::OnOK()
{
    m_settings.Write(KeyGroup::kSnapshot);
    EndDialog(IDOK);
}

void SnapshotButtonDialog::OnCancel()
{
    m_settings.ReadSnapshot();
    EndDialog(IDCANCEL);
}

bool SnapshotButtonDialog::OnCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED && IsBox(id)) {
        ApplyChoices();
        return true;
    }
    switch (id) {
    case IDC_SNAP_DEFAULT: {
        const Options defaults = DefaultOptions(m_settings.System());
        ShowChoices(defaults.snapshot);
        m_settings.options.buttonColors = defaults.buttonColors;
        ApplyChoices();
        return true;
    }
    case IDC_SNAP_COLOR: OnColor(); return true;
    case IDC_SNAP_HELP: {
        static const char kKeyword[] = "snapshot button setup";
        if (WinApp* app = WinApp::Current()) app->WinHelp(reinterpret_cast<ULONG_PTR>(kKeyword), HELP_KEY);
        return true;
    }
    default: return false;
    }
}

bool SnapshotButtonDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg != WM_DRAWITEM || wParam < IDC_SNAP_SAMPLE_FIRST || wParam >= IDC_SNAP_SAMPLE_FIRST + kSnapButtonCount)
        return false;
    DrawSample(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void RunSnapshotButtonDialog(AppSettings& settings, HWND owner)
{
    SnapshotButtonDialog dialog(settings);
    dialog.DoModal(owner);
}
