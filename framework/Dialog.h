// Dialog wrappers: a modal (or modeless) dialog from a template, property
// pages and the property sheet that runs them, and the common file dialog.
// The thunks store `this` at WM_INITDIALOG (from the creation parameter or
// the page's lParam); no exception leaves a dialog procedure.
#pragma once

#include "CmdUI.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

class Dialog {
public:
    explicit Dialog(UINT templateId) : m_nTemplateId(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; IDOK, IDCANCEL or the EndDialog value.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog modeless (it shows itself when its template is
    // visible); DestroyWindow ends it.
    bool CreateModeless(HWND parent);
    void DestroyWindow();

    HWND m_hWnd = nullptr;
    UINT m_nTemplateId;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Other commands; true when handled.
    virtual bool OnCommand(UINT id, UINT code) { (void)id; (void)code; return false; }
    // Any other message; return true and set result when handled.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
    {
        (void)msg; (void)wParam; (void)lParam; (void)result;
        return false;
    }
    void EndDialog(INT_PTR result);

    // Control helpers. A radio group is the buttons first ... last; its
    // value is the 0-based index of the checked one, -1 when none is.
    void SetCheck(int id, BOOL on) const;
    BOOL GetCheck(int id) const;
    void SetRadio(int first, int last, int index) const;
    int GetRadio(int first, int last) const;
    void SetNumber(int id, int value) const;
    // The number in edit id when it is one between low and high; otherwise
    // the standard message, the focus on the field and false.
    bool GetNumber(int id, int low, int high, int* value) const;
    void SetSpinRange(int id, int low, int high) const;
    void Enable(int id, bool on) const;

    static INT_PTR CALLBACK DialogThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_bModeless = false;
};

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(UINT templateId) : Dialog(templateId) {}
    PROPSHEETPAGEA MakeSheetPage();

protected:
    // Kill-active validation and apply; false keeps the page.
    virtual bool OnKillActive() { return true; }
    virtual void OnApply() {}
    virtual void OnSetActive() {}
    // The sheet's Help button while this page is active.
    virtual void OnHelp() {}
    void SetModified() const;

private:
    static INT_PTR CALLBACK PageThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    friend class PropertySheetDialog;
};

// A modal property sheet, centred on the desktop when it is created; with
// help, every page gets the Help button.
class PropertySheetDialog {
public:
    explicit PropertySheetDialog(std::string caption, bool help = false)
        : m_strCaption(std::move(caption)), m_bHelp(help)
    {
    }
    void AddPage(PropertyPage* page) { m_pages.push_back(page); }
    // IDOK when the sheet ended with OK, IDCANCEL otherwise.
    INT_PTR DoModal(HWND parent, UINT startPage = 0);

private:
    std::string m_strCaption;
    bool m_bHelp;
    std::vector<PropertyPage*> m_pages;
};

class FileDialog {
public:
    // filter as "Text|*.txt|Other|*.x|" (bars become NULs).
    FileDialog(bool open, const char* defaultExtension, const char* fileName, DWORD flags, const char* filter);
    INT_PTR DoModal(HWND owner);
    std::string GetPathName() const { return m_szFile; }

    OPENFILENAMEA m_ofn;

private:
    bool m_bOpen;
    std::string m_strFilter;
    std::string m_strDefaultExtension;
    char m_szFile[MAX_PATH];
};

// "a|b|" with every vertical bar turned into a NUL.
std::string MakeFilter(const std::string& bars);
