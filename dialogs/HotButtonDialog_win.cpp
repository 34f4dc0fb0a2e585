// The HotButton Setup dialog. Each assignable row is a radio group whose
// column index is stored: for the left double click, which has no Title &
// Menu column, the index among the columns it offers; for the other rows
// the index equals the capture code. The left single click row only shows
// "Non".
#include "HotButtonDialog.h"

#include "../framework/Dialog.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "../settings/Settings.h"

#include <vector>

namespace {

// The radio ids of the five stored rows, in the order of the HotButton key.
std::vector<int> RowIds(int row)
{
    static const int kFirstIds[5] = {IDC_LEFT_DOUBLE_FIRST, IDC_MIDDLE_SINGLE_FIRST, IDC_MIDDLE_DOUBLE_FIRST,
                                     IDC_RIGHT_SINGLE_FIRST, IDC_RIGHT_DOUBLE_FIRST};
    std::vector<int> ids;
    for (int column = 0; column < 8; ++column) {
        if (row == 0 && column == 4) continue;  // no Title & Menu for the left double click
        ids.push_back(kFirstIds[row] + column);
    }
    return ids;
}

class XHotButtonDialog : public Dialog {
public:
    explicit XHotButtonDialog(const HotButtonOptions& hotButton) : Dialog(IDD_HOTBUTTON_SETUP), m_hotButton(hotButton)
    {
    }

    HotButtonOptions m_hotButton;

protected:
    BOOL OnInitDialog() override
    {
        CheckDlgButton(m_hWnd, IDC_LEFT_SINGLE_NONE, BST_CHECKED);
        // A hand-edited value outside its row's columns shows, and is kept
        // by OK, as none.
        int codes[5];
        HotButtonCodesForHook(m_hotButton, codes);
        for (int row = 0; row < 5; ++row) Select(row, codes[row]);
        return TRUE;
    }

    void OnOK() override
    {
        for (int row = 0; row < 5; ++row) m_hotButton.codes[row] = Selected(row);
        EndDialog(IDOK);
    }

    bool OnCommand(UINT id, UINT) override
    {
        if (id == IDC_HOTBUTTON_DEFAULT) {
            for (int row = 0; row < 5; ++row) Select(row, 0);
            return true;
        }
        if (id == IDC_HOTBUTTON_HELP) {
            if (WinApp* app = WinApp::Current())
                app->WinHelp(reinterpret_cast<ULONG_PTR>("hotbutton setup"), HELP_KEY);
            return true;
        }
        return false;
    }

private:
    void Select(int row, int column)
    {
        const std::vector<int> ids = RowIds(row);
        for (size_t i = 0; i < ids.size(); ++i)
            CheckDlgButton(m_hWnd, ids[i], int(i) == column ? BST_CHECKED : BST_UNCHECKED);
    }

    int Selected(int row) const
    {
        const std::vector<int> ids = RowIds(row);
        for (size_t i = 0; i < ids.size(); ++i)
            if (IsDlgButtonChecked(m_hWnd, ids[i]) == BST_CHECKED) return int(i);
        return 0;
    }
};

}  // namespace

bool RunHotButtonDialog(HWND owner, HotButtonOptions& hotButton)
{
    XHotButtonDialog dialog(hotButton);
    if (dialog.DoModal(owner) != IDOK) return false;
    hotButton = dialog.m_hotButton;
    return true;
}
