// Application object: start-up and exit overrides, the message loop with
// idle updates and accelerators, the one document template, the recent-file
// list and help on the program's help file. Exactly one exists; Current()
// returns it. The program's module and its main window are kept here too,
// for every part of the program that loads resources or owns a window.
#pragma once

#include "CmdUI.h"
#include "FrameworkIds.h"
#include "RecentFileList.h"

#include <windows.h>

#include <memory>
#include <string>

class DocTemplate;
class Document;
class MDIFrameWindow;

class WinApp : public CommandTarget {
public:
    static const UINT kFirstRecentFileId = ID_FILE_MRU_FILE1;  // the "Recent File" item

    WinApp();
    ~WinApp() override;
    static WinApp* Current();

    // The program's module, set by WinMain before anything else runs.
    static HINSTANCE Instance() { return s_hInstance; }
    static void SetInstance(HINSTANCE instance) { s_hInstance = instance; }
    // The main frame window: owner of message boxes and dialogs, target of
    // the hook library's and the progress reports. Set once the frame
    // exists, null before and after. Tests that run parts of the program
    // without an application object set their own module and window.
    static HWND MainWnd() { return s_hMainWnd; }
    static void SetMainWnd(HWND frame) { s_hMainWnd = frame; }

    // Runs start-up, the message loop and exit; the process exit code.
    int Run(int showCommand);

    virtual bool InitInstance() = 0;
    virtual int ExitInstance();
    // Returns true while more idle work is wanted.
    virtual bool OnIdle(LONG count);
    // Accelerators and MDI system keys; true when msg was consumed.
    virtual bool PreTranslateMessage(MSG* msg);

    // Reads the list from the profile named after the program file.
    void LoadStdProfileSettings(size_t recentFiles);
    void AddToRecentFileList(const std::string& path);
    // Replaces the "Recent File" items of popup by the list's entries.
    void UpdateRecentFileMenu(HMENU popup);
    Document* OpenDocumentFile(const char* path);
    // Opens the help file with a help command (contents, help on help, key).
    void WinHelp(ULONG_PTR data, UINT command);

    bool OnCmdMsg(UINT id, CmdUI* ui) override;

    std::unique_ptr<MDIFrameWindow> m_pMainWnd;
    std::unique_ptr<DocTemplate> m_pDocTemplate;
    std::string m_strHelpPath;
    std::string m_strProfileName;
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    virtual bool OnAppCmdMsg(UINT id, CmdUI* ui) { (void)id; (void)ui; return false; }

private:
    void OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CmdUI& ui);

    std::unique_ptr<RecentFileList> m_pRecentFileList;

    static inline HINSTANCE s_hInstance = nullptr;
    static inline HWND s_hMainWnd = nullptr;
};
