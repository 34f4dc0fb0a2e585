// The application object's message loop, recent files and help.
#include "WinApp.h"

#include "DocTemplate.h"
#include "Document.h"
#include "MDIFrameWindow.h"
#include "ShowMessage.h"
#include "Window.h"

namespace {
WinApp* g_pApp = nullptr;
}

WinApp::WinApp() { g_pApp = this; }

WinApp::~WinApp()
{
    if (g_pApp == this) g_pApp = nullptr;
}

WinApp* WinApp::Current() { return g_pApp; }

int WinApp::Run(int showCommand)
{
    m_nCmdShow = showCommand;
    bool started = false;
    try {
        started = InitInstance();
    } catch (...) {
        started = false;
    }
    if (!started) return ExitInstance();

    MSG msg = {};
    for (;;) {
        LONG idleCount = 0;
        bool idle = true;
        while (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            try {
                idle = OnIdle(idleCount++);
            } catch (...) {
                idle = false;
            }
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    int code = ExitInstance();
    return code ? code : int(msg.wParam);
}

int WinApp::ExitInstance()
{
    if (m_pRecentFileList) m_pRecentFileList->WriteList(m_strProfileName);
    return 0;
}

bool WinApp::OnIdle(LONG count)
{
    if (count == 0 && m_pMainWnd) m_pMainWnd->OnIdleUpdate();
    return false;
}

bool WinApp::PreTranslateMessage(MSG* msg)
{
    if (!m_pMainWnd || !m_pMainWnd->m_hWnd) return false;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    if (m_pMainWnd->m_hWndMDIClient && TranslateMDISysAccel(m_pMainWnd->m_hWndMDIClient, msg)) return true;
    return m_pMainWnd->m_hAccelTable && TranslateAcceleratorA(m_pMainWnd->m_hWnd, m_pMainWnd->m_hAccelTable, msg);
}

void WinApp::LoadStdProfileSettings(size_t recentFiles)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string name = module;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    m_strProfileName = name + ".INI";
    m_pRecentFileList.reset(new RecentFileList(recentFiles));
    m_pRecentFileList->ReadList(m_strProfileName);
}

void WinApp::AddToRecentFileList(const std::string& path)
{
    if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

void WinApp::UpdateRecentFileMenu(HMENU popup)
{
    if (!m_pRecentFileList) return;
    // Find where the list lives: the first of its ids present in the pop-up.
    int count = GetMenuItemCount(popup);
    int position = -1;
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id >= kFirstRecentFileId && id < kFirstRecentFileId + m_pRecentFileList->Capacity()) {
            position = i;
            break;
        }
    }
    if (position < 0) return;
    for (UINT id = kFirstRecentFileId; id < kFirstRecentFileId + m_pRecentFileList->Capacity(); ++id)
        DeleteMenu(popup, id, MF_BYCOMMAND);
    const RecentFileList& list = *m_pRecentFileList;
    if (list.Size() == 0) {
        InsertMenuA(popup, UINT(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, kFirstRecentFileId, "Recent File");
        return;
    }
    for (size_t i = 0; i < list.Size(); ++i)
        InsertMenuA(popup, UINT(position + int(i)), MF_BYPOSITION | MF_STRING, kFirstRecentFileId + UINT(i),
                    RecentFileList::MenuText(i, list[i]).c_str());
}

Document* WinApp::OpenDocumentFile(const char* path)
{
    if (!m_pDocTemplate || !m_pMainWnd) return nullptr;
    return m_pDocTemplate->OpenDocumentFile(m_pMainWnd.get(), path);
}

void WinApp::WinHelp(ULONG_PTR data, UINT command)
{
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (!::WinHelpA(owner, m_strHelpPath.c_str(), command, data))
        ShowMessage(IDS_FAILED_TO_LAUNCH_HELP, MB_OK | MB_ICONEXCLAMATION);
}

bool WinApp::OnCmdMsg(UINT id, CmdUI* ui)
{
    if (OnAppCmdMsg(id, ui)) return true;
    static const CommandEntry<WinApp> table[] = {
        {kFirstRecentFileId, ID_FILE_MRU_LAST, &WinApp::OnOpenRecentFile, &WinApp::OnUpdateRecentFileMenu},
    };
    return DispatchCommand(this, table, id, ui);
}

void WinApp::OnOpenRecentFile(UINT id)
{
    size_t index = id - kFirstRecentFileId;
    if (!m_pRecentFileList || index >= m_pRecentFileList->Size()) return;
    std::string path = (*m_pRecentFileList)[index];
    // A file that no longer opens leaves the list, as it would never work.
    if (!OpenDocumentFile(path.c_str()) && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        m_pRecentFileList->Remove(index);
}

void WinApp::OnUpdateRecentFileMenu(CmdUI& ui)
{
    ui.Enable(m_pRecentFileList && ui.m_nID - kFirstRecentFileId < m_pRecentFileList->Size());
}
