// The main frame with real windows (hidden): command routing and the
// update step for menus, tool bar and status panes, the menu switch
// between the frame's and the image windows' menus, the image window's
// splitter and notepad, Close All with its question, and the recent-file
// items of the File menu.
#include "shell/XMainFrame.h"

#include "framework/DocTemplate.h"
#include "framework/Splitter.h"
#include "framework/WinApp.h"
#include "image/XDocument.h"
#include "image/XViewImage.h"
#include "image/XViewNotepad.h"
#include "resources/resource.h"
#include "shell/XMDIChildWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class TestApp : public WinApp {
public:
    bool InitInstance() override { return true; }
};

// Answers the next message box of this thread with a button.
int g_nAnswer = IDYES;
int g_nBoxesAnswered = 0;
BOOL CALLBACK AnswerIfMessageBox(HWND hwnd, LPARAM)
{
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, WPARAM(g_nAnswer), 0);
        ++g_nBoxesAnswered;
        return FALSE;
    }
    return TRUE;
}
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerIfMessageBox, 0);
}

class MainFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!WinApp::Instance()) WinApp::SetInstance(GetModuleHandleA(nullptr));
        m_savedPending = g_pPendingImage;
        g_pPendingImage = new XImage;
        m_app.reset(new TestApp);
        m_frame = new XMainFrame;
        m_app->m_pMainWnd.reset(m_frame);
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, "Kestrel"));
        WinApp::SetMainWnd(m_frame->m_hWnd);
        m_app->m_pDocTemplate.reset(
            new DocTemplate(IDR_IMAGETYPE, &XDocument::CreateObject, &XMDIChildWnd::CreateObject));
    }
    void TearDown() override
    {
        if (m_frame->m_hWnd) DestroyWindow(m_frame->m_hWnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        m_app.reset();
        WinApp::SetMainWnd(nullptr);
        delete g_pPendingImage;
        g_pPendingImage = m_savedPending;
    }

    XDocument* OpenCapture(int width, int height, int bitCount)
    {
        g_pPendingImage->m_nWidth = width;
        g_pPendingImage->m_nHeight = height;
        g_pPendingImage->m_nBitCount = uint16_t(bitCount);
        g_pPendingImage->AllocateBlocks();
        g_pPendingImage->m_nOriginId = IDS_ORIGIN_SCREEN;
        g_pPendingImage->m_tStamp = 1765000000;
        return dynamic_cast<XDocument*>(m_app->OpenDocumentFile(nullptr));
    }

    CmdUI Update(UINT id)
    {
        CmdUI ui(id);
        m_bKnown = m_frame->RouteUpdate(ui);
        return ui;
    }

    // Opens the pop-up named name of the frame's current menu the way the
    // system does, and returns its state flags for id.
    UINT MenuState(const char* name, UINT id)
    {
        HMENU popup = FindPopupByName(GetMenu(m_frame->m_hWnd), name);
        if (!popup) return UINT(-1);
        SendMessageA(m_frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return GetMenuState(popup, id, MF_BYCOMMAND);
    }

    std::unique_ptr<TestApp> m_app;
    XMainFrame* m_frame = nullptr;
    XImage* m_savedPending = nullptr;
    bool m_bKnown = false;
};
}

TEST_F(MainFrame, WithoutImageWindowsOnlyTheFrameCommandsAreLive)
{
    EXPECT_EQ(GetMenu(m_frame->m_hWnd), m_frame->m_hMenuDefault);
    EXPECT_EQ(g_nDocuments, 0);
    CmdUI closeAll = Update(ID_WINDOW_CLOSE_ALL);
    EXPECT_TRUE(m_bKnown);
    EXPECT_FALSE(closeAll.m_bEnabled);
    CmdUI size = Update(ID_INDICATOR_SIZE);
    EXPECT_FALSE(size.m_bEnabled);
    CmdUI count = Update(ID_INDICATOR_COUNT);
    EXPECT_EQ(count.m_strText, "000");
    // A command nobody handles is greyed when its menu opens.
    EXPECT_TRUE(MenuState("Window", ID_WINDOW_CLOSE_ALL) & MF_GRAYED);
    EXPECT_FALSE(MenuState("View", ID_VIEW_TOOLBAR) & MF_GRAYED);
    EXPECT_TRUE(MenuState("View", ID_VIEW_TOOLBAR) & MF_CHECKED);
    EXPECT_NE(m_frame->m_wndStatusBar.m_hWnd, nullptr);
}

TEST_F(MainFrame, ImageWindowShowsItsImageInThePanesAndSwitchesTheMenu)
{
    XDocument* document = OpenCapture(100, 80, 24);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(g_nDocuments, 1);
    EXPECT_EQ(GetMenu(m_frame->m_hWnd), m_app->m_pDocTemplate->m_hMenuShared);

    EXPECT_EQ(Update(ID_INDICATOR_SIZE).m_strText, "100w x 80h");
    EXPECT_EQ(Update(ID_INDICATOR_COLORS).m_strText, "24-bit, 16.8M colors");
    EXPECT_FALSE(Update(ID_INDICATOR_STAMP).m_strText.empty());
    EXPECT_EQ(Update(ID_INDICATOR_COUNT).m_strText, "001");
    EXPECT_TRUE(Update(ID_WINDOW_CLOSE_ALL).m_bEnabled);

    // Menus: the document's commands come alive, unbuilt operations stay grey.
    EXPECT_FALSE(MenuState("Window", ID_WINDOW_CLOSE_ALL) & MF_GRAYED);
    EXPECT_FALSE(MenuState("Tool", ID_TOOL_SELECT_IMAGE) & MF_GRAYED);
    EXPECT_TRUE(MenuState("Edit", ID_EDIT_DELETE_IMAGE) & MF_GRAYED);

    // The child's caption is the origin's name; the frame adds it to its own.
    MDIChildWindow* child = m_frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    char text[128] = {};
    GetWindowTextA(child->m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "Screen Capture");
    m_frame->OnIdleUpdate();
    GetWindowTextA(m_frame->m_hWnd, text, sizeof text);
    if (!IsZoomed(child->m_hWnd)) {
        EXPECT_STREQ(text, "Kestrel - Screen Capture");
    }
}

TEST_F(MainFrame, ImageWindowSplitsIntoImageViewAndCollapsedNotepad)
{
    XDocument* document = OpenCapture(40, 30, 8);
    ASSERT_NE(document, nullptr);
    auto* child = dynamic_cast<XMDIChildWnd*>(m_frame->MDIGetActive());
    ASSERT_NE(child, nullptr);
    XViewImage* imageView = child->GetImageView();
    XViewNotepad* notepad = child->GetNotepadView();
    ASSERT_NE(imageView, nullptr);
    ASSERT_NE(notepad, nullptr);
    EXPECT_EQ(XMDIChildWnd::ActiveImageView(), imageView);
    EXPECT_EQ(document->GetImageView(), imageView);
    EXPECT_FALSE(notepad->m_bShown);
    EXPECT_EQ(child->GetActiveView(), imageView);
    // The scroll range is the canvas: 40 x 30 plus margins of 5.
    EXPECT_EQ(imageView->GetTotalSize().cx, 50);
    EXPECT_EQ(imageView->GetTotalSize().cy, 40);

    ASSERT_TRUE(m_frame->RouteCommand(ID_VIEW_NOTEPAD));
    EXPECT_TRUE(notepad->m_bShown);
    EXPECT_TRUE(Update(ID_VIEW_NOTEPAD).m_bChecked);
    ASSERT_TRUE(m_frame->RouteCommand(ID_VIEW_NOTEPAD));
    EXPECT_FALSE(notepad->m_bShown);
}

TEST_F(MainFrame, CloseAllAsksAndClosesEveryImageWindowOnYes)
{
    ASSERT_NE(OpenCapture(10, 10, 24), nullptr);
    ASSERT_NE(OpenCapture(20, 10, 24), nullptr);
    ASSERT_EQ(g_nDocuments, 2);

    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerTimer);
    g_nBoxesAnswered = 0;
    g_nAnswer = IDNO;
    EXPECT_TRUE(m_frame->RouteCommand(ID_WINDOW_CLOSE_ALL));
    EXPECT_EQ(g_nBoxesAnswered, 1);
    EXPECT_EQ(g_nDocuments, 2);

    g_nAnswer = IDYES;
    EXPECT_TRUE(m_frame->RouteCommand(ID_WINDOW_CLOSE_ALL));
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_nBoxesAnswered, 2);
    EXPECT_EQ(g_nDocuments, 0);
    EXPECT_EQ(m_frame->MDIGetActive(), nullptr);
    m_frame->OnIdleUpdate();
    EXPECT_EQ(GetMenu(m_frame->m_hWnd), m_frame->m_hMenuDefault);
    // A disabled command is not run, even from an accelerator.
    EXPECT_FALSE(m_frame->RouteCommand(ID_WINDOW_CLOSE_ALL));
}

TEST_F(MainFrame, RecentFilesReplaceTheRecentFileItem)
{
    m_app->LoadStdProfileSettings(4);
    HMENU file = FindPopupByName(GetMenu(m_frame->m_hWnd), "File");
    ASSERT_NE(file, nullptr);
    m_app->AddToRecentFileList("C:\\shots\\one.bmp");
    m_app->AddToRecentFileList("C:\\shots\\two.gif");
    SendMessageA(m_frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    char text[128] = {};
    GetMenuStringA(file, WinApp::kFirstRecentFileId, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&1 C:\\shots\\two.gif");
    GetMenuStringA(file, WinApp::kFirstRecentFileId + 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&2 C:\\shots\\one.bmp");
    EXPECT_FALSE(GetMenuState(file, WinApp::kFirstRecentFileId, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(GetMenuState(file, WinApp::kFirstRecentFileId + 2, MF_BYCOMMAND), UINT(-1));
}

TEST(StaticSplitter, RowZeroTakesItsIdealHeightOrTheWholeWindow)
{
    // Collapsed notepad: row 0 wants the screen height.
    StaticSplitter::Layout collapsed = StaticSplitter::ComputeLayout(400, 1024, 0);
    EXPECT_EQ(collapsed.row0, 400 - StaticSplitter::kBarHeight);
    EXPECT_EQ(collapsed.row1, 0);
    // Half and half.
    StaticSplitter::Layout half = StaticSplitter::ComputeLayout(400, 200, 0);
    EXPECT_EQ(half.row0, 200);
    EXPECT_EQ(half.row1Top, 200 + StaticSplitter::kBarHeight);
    EXPECT_EQ(half.row1, 400 - 200 - StaticSplitter::kBarHeight);
    // Below its minimum row 0 disappears.
    StaticSplitter::Layout small = StaticSplitter::ComputeLayout(400, 10, 20);
    EXPECT_EQ(small.row0, 0);
    EXPECT_EQ(small.row1, 400 - StaticSplitter::kBarHeight);
    StaticSplitter::Layout tiny = StaticSplitter::ComputeLayout(3, 0, 0);
    EXPECT_EQ(tiny.row0, 0);
    EXPECT_EQ(tiny.row1, 0);
}

TEST_F(MainFrame, ScrollingKeysMoveTheCanvasUnlessArrowsBelongToTheCroppingLines)
{
    XDocument* document = OpenCapture(3000, 2000, 8);
    ASSERT_NE(document, nullptr);
    auto* child = dynamic_cast<XMDIChildWnd*>(m_frame->MDIGetActive());
    ASSERT_NE(child, nullptr);
    XViewImage* view = child->GetImageView();
    ASSERT_NE(view, nullptr);
    auto press = [&](UINT key) {
        SendMessageA(view->m_hWnd, WM_KEYDOWN, key, 0);
        MSG msg;
        while (PeekMessageA(&msg, view->m_hWnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    };
    press(VK_NEXT);
    EXPECT_EQ(view->GetScrollPosition().y, 201);  // a page is a tenth of the 2010-pixel canvas
    press(VK_RIGHT);
    EXPECT_EQ(view->GetScrollPosition().x, 30);   // a line is a tenth of the page
    press(VK_HOME);
    EXPECT_EQ(view->GetScrollPosition().x, 0);

    ASSERT_TRUE(m_frame->RouteCommand(ID_TOOL_SELECT_IMAGE));
    press(VK_RIGHT);
    EXPECT_EQ(view->GetScrollPosition().x, 0);
    press(VK_END);
    EXPECT_EQ(view->GetScrollPosition().x, 301);
}
