// Dialog, property sheet and file dialog wrappers.
#include "Dialog.h"

#include "HandleObjects.h"
#include "ShowMessage.h"
#include "WinApp.h"
#include "Window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
// The object behind each dialog and property page.
using DialogObjects = HandleObjects<Dialog>;
}

Dialog::~Dialog()
{
    if (m_bModeless && m_hWnd) DestroyWindow();
}

INT_PTR Dialog::DoModal(HWND parent)
{
    m_bModeless = false;
    return DialogBoxParamA(WinApp::Instance(), MAKEINTRESOURCEA(m_nTemplateId), parent, DialogThunk,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND parent)
{
    m_bModeless = true;
    return CreateDialogParamA(WinApp::Instance(), MAKEINTRESOURCEA(m_nTemplateId), parent, DialogThunk,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::DestroyWindow()
{
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void Dialog::EndDialog(INT_PTR result)
{
    if (m_bModeless)
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, result);
}

void Dialog::SetCheck(int id, BOOL on) const { CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }

BOOL Dialog::GetCheck(int id) const { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void Dialog::SetRadio(int first, int last, int index) const
{
    for (int id = first; id <= last; ++id) SetCheck(id, id - first == index);
}

int Dialog::GetRadio(int first, int last) const
{
    for (int id = first; id <= last; ++id)
        if (GetCheck(id)) return id - first;
    return -1;
}

void Dialog::SetNumber(int id, int value) const { SetDlgItemInt(m_hWnd, id, UINT(value), TRUE); }

bool Dialog::GetNumber(int id, int low, int high, int* value) const
{
    char text[64] = {};
    GetDlgItemTextA(m_hWnd, id, text, sizeof text);
    char* end = nullptr;
    const long long number = std::strtoll(text, &end, 10);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    const bool isNumber = end && end != text && *end == '\0' && number >= std::numeric_limits<int>::min() &&
                          number <= std::numeric_limits<int>::max();
    if (isNumber && number >= low && number <= high) {
        *value = int(number);
        return true;
    }
    if (isNumber) {
        char message[256];
        std::snprintf(message, sizeof message, LoadResourceString(IDS_PARSE_INT_RANGE).c_str(), low, high);
        ShowMessageText(message);
    } else {
        ShowMessage(IDS_PARSE_INT);
    }
    HWND field = GetDlgItem(m_hWnd, id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
}

void Dialog::SetSpinRange(int id, int low, int high) const
{
    SendDlgItemMessageA(m_hWnd, id, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
}

void Dialog::Enable(int id, bool on) const { EnableWindow(GetDlgItem(m_hWnd, id), on); }

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (OnMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK Dialog::DialogThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = DialogObjects::Find(hwnd);
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        if (self) {
            self->m_hWnd = hwnd;
            DialogObjects::Add(hwnd, self);
        }
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        DialogObjects::Remove(hwnd);
        self->m_hWnd = nullptr;
    }
    return result;
}

PROPSHEETPAGEA PropertyPage::MakeSheetPage()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = WinApp::Instance();
    page.pszTemplate = MAKEINTRESOURCEA(m_nTemplateId);
    page.pfnDlgProc = PageThunk;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void PropertyPage::SetModified() const
{
    if (m_hWnd) PropSheet_Changed(GetParent(m_hWnd), m_hWnd);
}

INT_PTR CALLBACK PropertyPage::PageThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<PropertyPage*>(DialogObjects::Find(hwnd));
    if (msg == WM_INITDIALOG) {
        auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        self = sheetPage ? reinterpret_cast<PropertyPage*>(sheetPage->lParam) : nullptr;
        if (self) {
            self->m_hWnd = hwnd;
            DialogObjects::Add(hwnd, self);
        }
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
        if (msg == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            switch (header->code) {
            case PSN_SETACTIVE:
                self->OnSetActive();
                SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
                return TRUE;
            case PSN_KILLACTIVE:
                SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, self->OnKillActive() ? FALSE : TRUE);
                return TRUE;
            case PSN_APPLY:
                self->OnApply();
                SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            case PSN_HELP:
                self->OnHelp();
                return TRUE;
            default:
                break;
            }
        }
        if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return FALSE;
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        DialogObjects::Remove(hwnd);
        self->m_hWnd = nullptr;
    }
    return result;
}

namespace {

int CALLBACK CenterSheet(HWND sheet, UINT msg, LPARAM)
{
    if (msg != PSCB_INITIALIZED) return 0;
    RECT rc;
    GetWindowRect(sheet, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    SetWindowPos(sheet, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

INT_PTR PropertySheetDialog::DoModal(HWND parent, UINT startPage)
{
    std::vector<PROPSHEETPAGEA> pages;
    for (PropertyPage* page : m_pages) {
        pages.push_back(page->MakeSheetPage());
        if (m_bHelp) pages.back().dwFlags |= PSP_HASHELP;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | (m_bHelp ? PSH_HASHELP : 0);
    header.pfnCallback = CenterSheet;
    header.hwndParent = parent;
    header.hInstance = WinApp::Instance();
    header.pszCaption = m_strCaption.c_str();
    header.nPages = UINT(pages.size());
    header.nStartPage = startPage < pages.size() ? startPage : 0;
    header.ppsp = pages.data();
    INT_PTR result = ::PropertySheetA(&header);
    return result > 0 ? IDOK : IDCANCEL;
}

std::string MakeFilter(const std::string& bars)
{
    std::string filter = bars;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');
    return filter;
}

FileDialog::FileDialog(bool open, const char* defaultExtension, const char* fileName, DWORD flags,
                       const char* filter)
    : m_ofn(), m_bOpen(open), m_strFilter(MakeFilter(filter ? filter : "")),
      m_strDefaultExtension(defaultExtension ? defaultExtension : ""), m_szFile()
{
    if (fileName) {
        std::strncpy(m_szFile, fileName, sizeof m_szFile - 1);
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hInstance = WinApp::Instance();
    m_ofn.lpstrFilter = m_strFilter.size() > 1 ? m_strFilter.c_str() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = sizeof m_szFile;
    m_ofn.lpstrDefExt = defaultExtension ? m_strDefaultExtension.c_str() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR FileDialog::DoModal(HWND owner)
{
    m_ofn.hwndOwner = owner;
    BOOL ok = m_bOpen ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}
