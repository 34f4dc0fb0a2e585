// Main frame: bars, panes, Close All, the image windows opened on handed-over
// images, and the unpacking of the trigger, hotkey, progress and timer
// messages.
#include "XMainFrame.h"

#include "../capture/CaptureCore.h"
#include "../capture/CaptureState.h"
#include "../framework/DocTemplate.h"
#include "../framework/MDIChildWindow.h"
#include "../framework/View.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../hook/HookWire.h"
#include "../image/ImageHandover.h"
#include "../image/XDocument.h"
#include "../image/XDocumentClipboard.h"
#include "../image/XWndFullView.h"
#include "../resources/resource.h"
#include "AppSettings.h"
#include "CaptureDispatch.h"
#include "ClockDialog_win.h"
#include "ImageInfoDialog_win.h"
#include "ProgressMeter.h"
#include "SnapshotButtonDialog_win.h"
#include "WindowClasses.h"
#include "XMDIChildWnd.h"
#include "XMainFramePanes.h"

namespace {
const UINT kToolBarButtons[] = {
    ID_FILE_OPEN,          ID_FILE_SAVE_AS,      ID_FILE_PRINT,       0,
    ID_EDIT_COPY_IMAGE,    ID_EDIT_PASTE_IMAGE,  ID_VIEW_NOTEPAD,     ID_VIEW_FULL_SCREEN,
    0,                     ID_TOOL_MERGE,        ID_TOOL_FRAME,       ID_TOOL_ZOOM_IN,
    ID_TOOL_FLIP_H,        ID_TOOL_FLIP_V,       ID_TOOL_ROTATE_RIGHT, ID_TOOL_ROTATE_LEFT,
    0,                     ID_TOOL_COUNT_COLORS, ID_TOOL_CHANGE_COLORS, ID_TOOL_REDUCE_COLORS,
    0,                     ID_TOOL_SELECT_IMAGE, ID_TOOL_CROP,        ID_TOOL_ERASE,
    0,                     ID_WINDOW_CLOSE_ALL,
};
static_assert(sizeof kToolBarButtons / sizeof kToolBarButtons[0] == 26, "26 tool-bar slots");

const UINT kIndicators[] = {0, ID_INDICATOR_SIZE, ID_INDICATOR_COLORS, ID_INDICATOR_STAMP, ID_INDICATOR_COUNT};
}

bool XMainFrame::OnCreate()
{
    if (!MDIFrameWindow::OnCreate()) return false;
    if (!m_wndToolBar.Create(m_hWnd, kToolBarId, IDR_MAINFRAME, kToolBarButtons,
                             int(sizeof kToolBarButtons / sizeof kToolBarButtons[0])))
        return false;
    if (!m_wndStatusBar.Create(m_hWnd, kStatusBarId, kIndicators, int(sizeof kIndicators / sizeof kIndicators[0])))
        return false;
    SetMessageText(IDS_IDLE_MESSAGE);
    SetTimer(m_hWnd, kTimerId, kTimerPeriod, nullptr);
    return true;
}

XDocument* XMainFrame::ActiveImageDocument() const
{
    MDIChildWindow* child = MDIGetActive();
    return child ? dynamic_cast<XDocument*>(child->GetDocument()) : nullptr;
}

XImage* XMainFrame::ActiveTopImage() const
{
    XDocument* document = ActiveImageDocument();
    return document ? document->TopImage() : nullptr;
}

XDocument* XMainFrame::OpenImageWindow(std::unique_ptr<XImage> image)
{
    WinApp* app = WinApp::Current();
    if (!app || !app->m_pDocTemplate) return nullptr;
    auto adopt = [&image](Document& document) {
        auto* imageDocument = dynamic_cast<XDocument*>(&document);
        return imageDocument && imageDocument->AdoptImage(std::move(image));
    };
    return dynamic_cast<XDocument*>(app->m_pDocTemplate->OpenDocumentWith(this, adopt, nullptr));
}

bool XMainFrame::OnFrameCmdMsg(UINT id, CmdUI* ui)
{
    static const CommandEntry<XMainFrame> table[] = {
        {ID_EDIT_PASTE_IMAGE, ID_EDIT_PASTE_IMAGE, &XMainFrame::OnPasteImage, &XMainFrame::OnUpdatePasteImage},
        {ID_FILE_PRINT, ID_FILE_PRINT, &XMainFrame::OnFilePrint, &XMainFrame::OnUpdateFilePrint},
        {ID_FILE_PRINT_ALL, ID_FILE_PRINT_ALL, &XMainFrame::OnFilePrintAll, &XMainFrame::OnUpdateFilePrintAll},
        {ID_WINDOW_CLOSE_ALL, ID_WINDOW_CLOSE_ALL, &XMainFrame::OnCloseAll, &XMainFrame::OnUpdateCloseAll},
        {ID_OPTIONS_CLOCK, ID_OPTIONS_CLOCK, &XMainFrame::OnClockSetup, nullptr},
        {ID_OPTIONS_SNAPSHOT_BUTTONS, ID_OPTIONS_SNAPSHOT_BUTTONS, &XMainFrame::OnSnapshotButtonSetup, nullptr},
        {ID_EDIT_IMAGE_INFO, ID_EDIT_IMAGE_INFO, &XMainFrame::OnImageInfo, &XMainFrame::OnUpdateImageInfo},
        {ID_VIEW_FULL_SCREEN, ID_VIEW_FULL_SCREEN, &XMainFrame::OnFullScreenView, &XMainFrame::OnUpdateFullScreenView},
        {ID_INDICATOR_SIZE, ID_INDICATOR_SIZE, nullptr, &XMainFrame::OnUpdatePaneSize},
        {ID_INDICATOR_COLORS, ID_INDICATOR_COLORS, nullptr, &XMainFrame::OnUpdatePaneColors},
        {ID_INDICATOR_STAMP, ID_INDICATOR_STAMP, nullptr, &XMainFrame::OnUpdatePaneStamp},
        {ID_INDICATOR_COUNT, ID_INDICATOR_COUNT, nullptr, &XMainFrame::OnUpdatePaneCount},
    };
    return DispatchCommand(this, table, id, ui) || MDIFrameWindow::OnFrameCmdMsg(id, ui);
}

void XMainFrame::OnPasteImage(UINT) { AfterOperation(PasteImageFromClipboard()); }

void XMainFrame::OnUpdatePasteImage(CmdUI& ui) { ui.Enable(ClipboardHasImage()); }

void XMainFrame::OnCloseAll(UINT)
{
    if (ShowMessage(IDS_CLOSE_ALL_PROMPT, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    // The frame's first child is the MDI client (made before the bars);
    // hiding it while the windows close spares the repaint of every window
    // that comes to the top on the way.
    ShowWindow(m_hWndMDIClient, SW_HIDE);
    if (WinApp* app = WinApp::Current())
        if (app->m_pDocTemplate) app->m_pDocTemplate->CloseAllDocuments();
    ShowWindow(m_hWndMDIClient, SW_SHOW);
}

void XMainFrame::OnUpdateCloseAll(CmdUI& ui) { ui.Enable(g_nDocuments > 0); }

void XMainFrame::OnClockSetup(UINT) { RunClockDialog(m_settings, m_hWnd); }

void XMainFrame::OnSnapshotButtonSetup(UINT) { RunSnapshotButtonDialog(m_settings, m_hWnd); }

void XMainFrame::OnImageInfo(UINT)
{
    if (XDocument* document = ActiveImageDocument()) RunImageInfoDialog(*document, m_settings.options.clock, m_hWnd);
}

void XMainFrame::OnUpdateImageInfo(CmdUI& ui) { ui.Enable(ActiveImageDocument() != nullptr); }

// Handled here rather than by the document: the view closes itself with
// this command, which must find its way back even when no image window is
// active any more.
void XMainFrame::OnFullScreenView(UINT) { ToggleFullView(g_strFullViewClass.c_str()); }

void XMainFrame::OnUpdateFullScreenView(CmdUI& ui) { ui.Enable(g_pFullView || ActiveImageDocument()); }

void XMainFrame::OnUpdatePaneSize(CmdUI& ui)
{
    XImage* image = ActiveTopImage();
    ui.Enable(image != nullptr);
    if (image) ui.SetText(SizePaneText(image->m_nWidth, image->m_nHeight));
}

void XMainFrame::OnUpdatePaneColors(CmdUI& ui)
{
    XImage* image = ActiveTopImage();
    ui.Enable(image != nullptr);
    if (image) ui.SetText(ColorsPaneText(image->m_nBitCount, image->ColorCount()));
}

void XMainFrame::OnUpdatePaneStamp(CmdUI& ui)
{
    XImage* image = ActiveTopImage();
    ui.SetText(image ? StampPaneText(m_settings.options.clock, image->m_tStamp) : std::string());
}

void XMainFrame::OnUpdatePaneCount(CmdUI& ui) { ui.SetText(CountPaneText(g_nDocuments)); }

void XMainFrame::OnIdleUpdate()
{
    MDIFrameWindow::OnIdleUpdate();
    // Whatever ran before this idle moment is over.
    EndProgressMeter(m_wndStatusBar.m_hWnd);
}

void XMainFrame::OnEnterIdle(UINT source, HWND window)
{
    int& recorded = m_settings.options.menu.window;
    if (source == MSGF_MENU && recorded == 0) recorded = int(reinterpret_cast<INT_PTR>(window));
}

void XMainFrame::OnPaletteChanged(HWND changer)
{
    MDIChildWindow* child = MDIGetActive();
    View* view = child ? child->GetActiveView() : nullptr;
    if (view && view->m_hWnd != changer) InvalidateRect(view->m_hWnd, nullptr, FALSE);
}

LRESULT XMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTimerId) OnMainTimer(m_settings);
        return 0;
    case kMsgTrigger:
        OnTriggerMessage(m_settings, wParam, lParam);
        return 0;
    case kMsgProgress:
        OnProgressMessage(m_wndStatusBar.m_hWnd, wParam, lParam);
        return 0;
    case kMsgKeyRelease:
        OnHotKeyMessage(m_settings, wParam, lParam);
        return 0;
    case kMsgOpenImageWindow:
        OpenImageWindow(TakePostedImage(lParam));
        return 0;
    case WM_ENTERIDLE: {
        LRESULT result = MDIFrameWindow::WindowProc(msg, wParam, lParam);
        OnEnterIdle(UINT(wParam), reinterpret_cast<HWND>(lParam));
        return result;
    }
    case WM_LBUTTONDOWN:
        if (g_bTracking) OnTrackingMouseDown(CurrentCaptureRequest(), ShellCaptureSettings(m_settings.options));
        return MDIFrameWindow::WindowProc(msg, wParam, lParam);
    case WM_PALETTECHANGED: {
        LRESULT result = MDIFrameWindow::WindowProc(msg, wParam, lParam);
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        return result;
    }
    case WM_DESTROY:
        KillTimer(m_hWnd, kTimerId);
        // Images handed over but not yet shown go with the frame.
        DropPostedImages(m_hWnd);
        return MDIFrameWindow::WindowProc(msg, wParam, lParam);
    default:
        return MDIFrameWindow::WindowProc(msg, wParam, lParam);
    }
}
