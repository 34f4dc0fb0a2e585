// Application object: start-up and exit overrides, the message loop with
// idle updates and accelerators, the one document template, the recent-file
// list and help on the program's help file. Exactly one exists; Current()
// returns it.
#pragma once

#include "CmdUI.h"
#include "RecentFileList.h"

#include <windows.h>

#include <memory>
#include <string>

class DocTemplate;
class Document;
class MDIFrameWindow;

class WinApp : public CommandTarget {
public:
    static const UINT kFirstRecentFileId = 57616;  // the "Recent File" item

    WinApp();
    ~WinApp() override;
    static WinApp* Current();

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
};
