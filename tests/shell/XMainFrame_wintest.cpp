// The main frame with real windows (hidden): command routing and the
// update step for menus, tool bar and status panes, the menu switch
// between the frame's and the image windows' menus, the image window's
// splitter and notepad, Close All with its question, the recent-file items
// of the File menu, and the progress meter in the status bar while large
// images are written and read.
#include "shell/XMainFrame.h"

#include "framework/DocTemplate.h"
#include "framework/MDIChildWindow.h"
#include "framework/GlobalBlock.h"
#include "framework/Splitter.h"
#include "formats/ImageFile.h"
#include "framework/WinApp.h"
#include "hook/HookWire.h"
#include "framework/Progress.h"
#include "image/XDocument.h"
#include "image/XViewImage.h"
#include "image/XViewNotepad.h"
#include "resources/resource.h"
#include "shell/AppSettings.h"
#include "shell/ProgressMeter.h"
#include "shell/XMDIChildWnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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
        m_app.reset(new TestApp);
        m_frame = new XMainFrame(m_settings);
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
    }

    static std::unique_ptr<XImage> Capture(int width, int height, int bitCount)
    {
        std::unique_ptr<XImage> image(new XImage);
        image->m_nWidth = width;
        image->m_nHeight = height;
        image->m_nBitCount = uint16_t(bitCount);
        image->AllocateBlocks();
        image->m_nOriginId = IDS_ORIGIN_SCREEN;
        image->m_tStamp = 1765000000;
        return image;
    }

    XDocument* OpenCapture(int width, int height, int bitCount)
    {
        return m_frame->OpenImageWindow(Capture(width, height, bitCount));
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

    AppSettings m_settings;
    std::unique_ptr<TestApp> m_app;
    XMainFrame* m_frame = nullptr;
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

TEST_F(MainFrame, ImageViewShowsTheScrollBarsItsCanvasNeedsAndPagesByWhatIsVisible)
{
    ASSERT_NE(OpenCapture(40, 30, 24), nullptr);
    auto* child = dynamic_cast<XMDIChildWnd*>(m_frame->MDIGetActive());
    ASSERT_NE(child, nullptr);
    XViewImage* view = child->GetImageView();
    ASSERT_NE(view, nullptr);
    const HWND hwnd = view->m_hWnd;
    auto bars = [hwnd] { return GetWindowLongA(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    auto client = [hwnd] {
        RECT rc;
        GetClientRect(hwnd, &rc);
        return SIZE{rc.right, rc.bottom};
    };
    ASSERT_EQ(bars(), 0);
    const SIZE outer = client();
    const LONG barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_GT(outer.cx, barWidth);
    ASSERT_GT(outer.cy, barHeight);

    // One pixel too tall: the vertical bar takes room, so the full width
    // no longer fits either.
    view->SetScrollSizes(SIZE{outer.cx, outer.cy + 1});
    EXPECT_EQ(bars(), WS_HSCROLL | WS_VSCROLL);
    const SIZE inner = client();
    EXPECT_EQ(inner.cx, outer.cx - barWidth);
    EXPECT_EQ(inner.cy, outer.cy - barHeight);
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_HORZ, &si));
    EXPECT_EQ(si.nMax, outer.cx - 1);
    EXPECT_EQ(si.nPage, UINT(inner.cx));
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &si));
    EXPECT_EQ(si.nMax, outer.cy);
    EXPECT_EQ(si.nPage, UINT(inner.cy));

    // Narrower by the bar's width: the vertical bar alone.
    view->SetScrollSizes(SIZE{outer.cx - barWidth, outer.cy + 1});
    EXPECT_EQ(bars(), WS_VSCROLL);
    EXPECT_EQ(client().cx, outer.cx - barWidth);

    // Scrolled to the end, then the canvas fits: no bars, back at the origin.
    view->SetScrollSizes(SIZE{outer.cx * 2, outer.cy * 2});
    view->ScrollToPosition(POINT{outer.cx * 2, outer.cy * 2});
    EXPECT_GT(view->GetScrollPosition().x, 0);
    view->SetScrollSizes(SIZE{outer.cx, outer.cy});
    EXPECT_EQ(bars(), 0);
    EXPECT_EQ(view->GetScrollPosition().x, 0);
    EXPECT_EQ(view->GetScrollPosition().y, 0);
}

TEST_F(MainFrame, NotepadTakesTheNoteOnItsFirstPaintAndKeepsItWhenHidden)
{
    XDocument* document = OpenCapture(40, 30, 8);
    ASSERT_NE(document, nullptr);
    auto* child = dynamic_cast<XMDIChildWnd*>(m_frame->MDIGetActive());
    ASSERT_NE(child, nullptr);
    XViewNotepad* notepad = child->GetNotepadView();
    ASSERT_NE(notepad, nullptr);
    const LONG style = GetWindowLongA(notepad->m_hEdit, GWL_STYLE);
    const LONG wanted = WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    EXPECT_EQ(style & wanted, wanted);
    // (WS_BORDER is not checked: the edit control takes it out of its
    // window style and draws the border itself.)
    EXPECT_EQ(style & (WS_HSCROLL | ES_AUTOHSCROLL), 0);

    const char note[] = "note text";
    OwnedBlock block;
    ASSERT_TRUE(block.Allocate(sizeof note));
    CopyMemory(LockedBlock<char>(block.get()).get(), note, sizeof note);
    document->m_hNote = block.release();
    // Only a visible pane paints.
    ShowWindow(m_frame->m_hWnd, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(m_frame->RouteCommand(ID_VIEW_NOTEPAD));
    ASSERT_TRUE(notepad->m_bShown);
    EXPECT_NE(document->m_hNote, nullptr);
    UpdateWindow(notepad->m_hWnd);
    EXPECT_EQ(document->m_hNote, nullptr);
    char text[32] = {};
    GetWindowTextA(notepad->m_hEdit, text, sizeof text);
    EXPECT_STREQ(text, note);

    ASSERT_TRUE(m_frame->RouteCommand(ID_VIEW_NOTEPAD));
    ASSERT_TRUE(m_frame->RouteCommand(ID_VIEW_NOTEPAD));
    GetWindowTextA(notepad->m_hEdit, text, sizeof text);
    EXPECT_STREQ(text, note);
}

TEST_F(MainFrame, HandedOverImagesOpenTheirOwnWindowsWhenTheirMessagesArrive)
{
    // Two results handed over before the first window opens: each message
    // carries its own image, so neither is lost or shown twice.
    AfterOperation(Capture(30, 20, 24));
    AfterOperation(Capture(60, 40, 8));
    EXPECT_EQ(g_nDocuments, 0);
    MSG msg;
    while (PeekMessageA(&msg, m_frame->m_hWnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    ASSERT_EQ(g_nDocuments, 2);
    std::vector<int32_t> widths;
    for (Document* document : m_app->m_pDocTemplate->GetDocuments())
        widths.push_back(dynamic_cast<XDocument*>(document)->TopImage()->m_nWidth);
    EXPECT_EQ(widths, (std::vector<int32_t>{30, 60}));

    // Both shown, the last opened active and checked in the Window menu
    // (which lists shown windows only).
    MDIChildWindow* active = m_frame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetDocument(), m_app->m_pDocTemplate->GetDocuments().back());
    HMENU windows = FindPopupByName(GetMenu(m_frame->m_hWnd), "Window");
    ASSERT_NE(windows, nullptr);
    int listed = 0;
    UINT checked = 0;
    for (int i = 0; i < GetMenuItemCount(windows); ++i) {
        const UINT id = GetMenuItemID(windows, i);
        if (id < MDIFrameWindow::kFirstChildId || id >= MDIFrameWindow::kFirstChildId + 9) continue;
        ++listed;
        if (GetMenuState(windows, UINT(i), MF_BYPOSITION) & MF_CHECKED) checked = id;
    }
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(checked, UINT(GetWindowLongPtrA(active->m_hWnd, GWLP_ID)));
    for (Document* document : m_app->m_pDocTemplate->GetDocuments())
        EXPECT_NE(GetWindowLongA(document->m_pFrame->m_hWnd, GWL_STYLE) & WS_VISIBLE, 0);  // the frame is hidden
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

namespace {
// What pane 0 of the status bar shows right after the frame handled a
// progress report. The meter is navy left of its split and yellow right of
// it; the percentage is laid over both by exclusive-or, so a pixel of the
// text shows the inverse colour.
struct MeterSample {
    int percent;    // the percentage the report stands for
    bool leftNavy;  // the column left of the expected split
    bool rightYellow;
};

HWND g_hMeterBar = nullptr;
WNDPROC g_pFrameProc = nullptr;
std::vector<MeterSample> g_meterSamples;

bool IsColorOrInverse(COLORREF pixel, COLORREF color) { return pixel == color || pixel == (color ^ 0xFFFFFF); }

RECT MeterInner()
{
    RECT pane = {};
    SendMessageA(g_hMeterBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    return {pane.left + 1, pane.top + 1, pane.right - 1, pane.bottom - 1};
}

// Looks at the pane when the percentage of a report differs from the one
// last looked at: (step + 1) / steps of the pane's inner width is navy.
void SampleMeter(int step, int steps)
{
    if (steps <= 0) return;  // outside the message's contract: nothing drawn
    int percent = int((int64_t(step) + 1) * 100 / steps);
    if (percent > 100) percent = 100;
    if (!g_meterSamples.empty() && g_meterSamples.back().percent == percent) return;
    const RECT inner = MeterInner();
    const int split = inner.left + (inner.right - inner.left) * percent / 100;
    const int y = (inner.top + inner.bottom) / 2;
    HDC dc = GetDC(g_hMeterBar);
    MeterSample sample = {percent, true, true};
    if (split > inner.left) sample.leftNavy = IsColorOrInverse(GetPixel(dc, split - 1, y), RGB(0, 0, 128));
    if (split < inner.right) sample.rightYellow = IsColorOrInverse(GetPixel(dc, split, y), RGB(255, 255, 0));
    ReleaseDC(g_hMeterBar, dc);
    g_meterSamples.push_back(sample);
}

LRESULT CALLBACK RecordingFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(g_pFrameProc, hwnd, msg, wParam, lParam);
    if (msg == kMsgProgress) SampleMeter(int(wParam), int(lParam));
    return result;
}

class ProgressMeter : public MainFrame {
protected:
    void SetUp() override
    {
        MainFrame::SetUp();
        // Pixels can be read back only from a window on the screen.
        ShowWindow(m_frame->m_hWnd, SW_SHOWNOACTIVATE);
        UpdateWindow(m_frame->m_hWnd);
        g_hMeterBar = m_frame->m_wndStatusBar.m_hWnd;
        g_pFrameProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            m_frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingFrameProc)));
        InstallProgressMeter();
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        m_strFolder = folder;
    }
    void TearDown() override
    {
        SetProgressSink(nullptr);
        SetWindowLongPtrA(m_frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pFrameProc));
        for (const std::string& path : m_written) std::remove(path.c_str());
        MainFrame::TearDown();
    }

    std::string Written(const char* name)
    {
        m_written.push_back(m_strFolder + name);
        return m_written.back();
    }

    // Runs work with the frame's meter watched; ends as the program's idle
    // step does.
    template <typename Work>
    std::vector<MeterSample> Watch(Work work)
    {
        g_meterSamples.clear();
        work();
        std::vector<MeterSample> samples = g_meterSamples;
        m_frame->OnIdleUpdate();
        return samples;
    }

    // The meter moved from the start to 100 % through many percentages,
    // each drawn at once with its split in the right place.
    static void ExpectMovingMeter(const std::vector<MeterSample>& samples, const char* what)
    {
        SCOPED_TRACE(what);
        ASSERT_GE(samples.size(), 20u);
        EXPECT_LE(samples.front().percent, 5);
        EXPECT_EQ(samples.back().percent, 100);
        for (size_t i = 0; i < samples.size(); ++i) {
            SCOPED_TRACE(samples[i].percent);
            if (i > 0) {
                EXPECT_GT(samples[i].percent, samples[i - 1].percent);
            }
            EXPECT_TRUE(samples[i].leftNavy);
            EXPECT_TRUE(samples[i].rightYellow);
        }
    }

    // True when pane 0 shows no trace of the meter once the bar repainted.
    static bool MeterGone()
    {
        UpdateWindow(g_hMeterBar);
        const RECT inner = MeterInner();
        const int y = (inner.top + inner.bottom) / 2;
        HDC dc = GetDC(g_hMeterBar);
        int meterPixels = 0;
        for (int x = inner.left; x < inner.right; x += 4) {
            COLORREF pixel = GetPixel(dc, x, y);
            meterPixels += IsColorOrInverse(pixel, RGB(0, 0, 128)) || IsColorOrInverse(pixel, RGB(255, 255, 0));
        }
        ReleaseDC(g_hMeterBar, dc);
        return meterPixels == 0;
    }

    std::string m_strFolder;
    std::vector<std::string> m_written;
};

XImage* StripedImage(int width, int height, int bitCount)
{
    auto* image = new XImage;
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    if (!image->AllocateBlocks()) return image;
    LockedBlock<BYTE> bits(image->m_hBits);
    for (size_t i = 0; i < image->BitsSize(); ++i) bits.get()[i] = BYTE(i * 7 / 5);
    return image;
}
}

TEST_F(ProgressMeter, DrawsAtOnceAndOnlyWhenThePercentageChanges)
{
    RECT inner = MeterInner();
    ASSERT_GT(inner.right - inner.left, 100);
    const int y = (inner.top + inner.bottom) / 2;
    HDC dc = GetDC(g_hMeterBar);
    SendMessageA(m_frame->m_hWnd, kMsgProgress, 0, 0);  // outside the contract: ignored
    EXPECT_FALSE(IsColorOrInverse(GetPixel(dc, inner.left + 2, y), RGB(0, 0, 128)));

    SendMessageA(m_frame->m_hWnd, kMsgProgress, 49, 100);
    EXPECT_EQ(GetPixel(dc, inner.left + 2, y), RGB(0, 0, 128));
    EXPECT_EQ(GetPixel(dc, inner.right - 3, y), RGB(255, 255, 0));
    // The same percentage again draws nothing: paint over and look.
    RECT probe = {inner.left, inner.top, inner.left + 5, inner.bottom};
    FillRect(dc, &probe, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(m_frame->m_hWnd, kMsgProgress, 49, 100);
    EXPECT_EQ(GetPixel(dc, inner.left + 2, y), RGB(255, 255, 255));
    SendMessageA(m_frame->m_hWnd, kMsgProgress, 50, 100);
    EXPECT_EQ(GetPixel(dc, inner.left + 2, y), RGB(0, 0, 128));
    ReleaseDC(g_hMeterBar, dc);

    // The last step repaints the bar, so that its text returns.
    UpdateWindow(g_hMeterBar);
    SendMessageA(m_frame->m_hWnd, kMsgProgress, 99, 100);
    EXPECT_TRUE(GetUpdateRect(g_hMeterBar, nullptr, FALSE));
    EXPECT_TRUE(MeterGone());
}

TEST_F(ProgressMeter, MovesWhileLargeImagesAreWrittenAndRead)
{
    const std::string jpeg = Written("kestrel-meter.jpg");
    const std::string gif = Written("kestrel-meter.gif");
    std::unique_ptr<XImage> photo(StripedImage(1200, 1600, 24));
    std::unique_ptr<XImage> drawing(StripedImage(900, 1000, 8));
    ASSERT_TRUE(photo->m_hBits && drawing->m_hBits);

    UINT photoError = 0, drawingError = 0;
    ExpectMovingMeter(Watch([&] { photoError = WriteImageFile(*photo, jpeg.c_str(), kSaveJpg); }), "JPEG write");
    EXPECT_TRUE(MeterGone());
    ExpectMovingMeter(Watch([&] { drawingError = WriteImageFile(*drawing, gif.c_str(), kSaveGif); }), "GIF write");
    EXPECT_TRUE(MeterGone());
    ASSERT_EQ(photoError, 0u);
    ASSERT_EQ(drawingError, 0u);

    ExpectMovingMeter(Watch([&] { EXPECT_NE(m_app->OpenDocumentFile(jpeg.c_str()), nullptr); }), "JPEG read");
    EXPECT_TRUE(MeterGone());
    ExpectMovingMeter(Watch([&] { EXPECT_NE(m_app->OpenDocumentFile(gif.c_str()), nullptr); }), "GIF read");
    EXPECT_TRUE(MeterGone());
    // Closed here: a frame destroyed with large image windows open takes
    // seconds under Wine.
    m_app->m_pDocTemplate->CloseAllDocuments();
}

TEST_F(ProgressMeter, AReadThatStopsEarlyLeavesNoMeterBehind)
{
    const std::string whole = Written("kestrel-meter-whole.jpg");
    const std::string half = Written("kestrel-meter-half.jpg");
    std::unique_ptr<XImage> photo(StripedImage(800, 1200, 24));
    ASSERT_TRUE(photo->m_hBits);
    ASSERT_EQ(WriteImageFile(*photo, whole.c_str(), kSaveJpg), 0u);
    UpdateWindow(g_hMeterBar);
    // The first half of the file: the decoder runs out of data halfway.
    FILE* in = std::fopen(whole.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    std::vector<char> bytes(1 << 22);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
    FILE* out = std::fopen(half.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size() / 2, out);
    std::fclose(out);

    XImage image;
    g_meterSamples.clear();
    ReadImageFile(&image, half.c_str());
    EXPECT_EQ(image.m_hBits, nullptr);
    ASSERT_FALSE(g_meterSamples.empty());
    EXPECT_LT(g_meterSamples.back().percent, 100);
    EXPECT_FALSE(GetUpdateRect(g_hMeterBar, nullptr, FALSE));
    // The program's next idle moment removes it.
    m_frame->OnIdleUpdate();
    EXPECT_TRUE(MeterGone());
}
