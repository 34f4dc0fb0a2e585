// Image document: adopting a handed-over image, opening a file, placement,
// Delete Image and the document's own commands. The operations of the Tool
// menu, the clipboard and printing hook in through the command table.
#include "XDocument.h"

#include "../formats/ImageFile.h"
#include "../formats/NoteFile.h"
#include "../framework/GlobalBlock.h"
#include "../framework/MDIChildWindow.h"
#include "../framework/ShowMessage.h"
#include "../framework/Splitter.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../resources/resource.h"
#include "ImageHandover.h"
#include "ImageWindowOptions.h"
#include "XDocumentClipboard.h"
#include "XDocumentLayout.h"
#include "XViewImage.h"
#include "XViewNotepad.h"

#include <ctime>
#include <string>

namespace {
// Modification time of path as seconds since 1970; 0 when unknown.
int32_t FileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    ULARGE_INTEGER t;
    t.LowPart = data.ftLastWriteTime.dwLowDateTime;
    t.HighPart = data.ftLastWriteTime.dwHighDateTime;
    const uint64_t kEpochDifference = 116444736000000000ULL;  // 1601 to 1970 in 100 ns
    if (t.QuadPart < kEpochDifference) return 0;
    return int32_t((t.QuadPart - kEpochDifference) / 10000000ULL);
}
}

void AfterOperation(std::unique_ptr<XImage> image)
{
    if (!image) return;
    if (image->m_hBits) {
        image->m_tStamp = int32_t(std::time(nullptr));
        PostImageWindow(WinApp::MainWnd(), image);
    } else if (image->m_nOriginId) {
        ShowMessage(image->m_nOriginId);
    }
}

XDocument::XDocument() { ++g_nDocuments; }

XDocument::~XDocument()
{
    DeleteContents();
    --g_nDocuments;
}

void XDocument::DeleteContents()
{
    m_images.clear();
    if (m_hNote) GlobalFree(m_hNote);
    m_hNote = nullptr;
}

bool XDocument::OnNewDocument() { return false; }

bool XDocument::OnOpenDocument(const std::string& path) { return OpenImageFile(path, nullptr); }

bool XDocument::AdoptImage(std::unique_ptr<XImage> image)
{
    if (!Document::OnNewDocument()) return false;
    // Without pixels there is nothing to show; the framework then opens no
    // window.
    if (!image || !image->m_hBits) return false;
    if (image->m_nOriginId != ID_FILE_SAVE_AS) image->m_strTitle = LoadResourceString(image->m_nOriginId);
    SetTitle(image->m_strTitle);
    image->PrepareForShow();
    AddImage(std::move(image));
    if (g_hPendingNote) {
        m_hNote = g_hPendingNote;
        g_hPendingNote = nullptr;
        PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_VIEW_NOTEPAD, 0);
    }
    return true;
}

bool XDocument::OpenImageFile(const std::string& path, std::unique_ptr<XImage> preview)
{
    DeleteContents();
    std::unique_ptr<XImage> image = std::move(preview);
    UINT failure = 0;
    if (image) {
        failure = image->m_nOriginId;
    } else {
        image.reset(new XImage);
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        failure = ReadImageFile(image.get(), path.c_str());
        SetCursor(old);
    }
    if (!image->m_hBits) {
        if (failure) ShowMessage(failure);
        return false;
    }
    image->PrepareForShow();
    image->m_strTitle = path;
    // A note beside the file (or inside an FST file) opens the notepad.
    m_hNote = ReadNoteText(path.c_str());
    if (m_hNote) PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_VIEW_NOTEPAD, 0);
    image->m_tStamp = FileStamp(path);
    AddImage(std::move(image));
    return true;
}

void XDocument::AddImage(std::unique_ptr<XImage> image)
{
    m_images.push_back(std::move(image));
    PlaceImage(m_images.size() - 1);
}

void XDocument::PlaceImage(size_t index)
{
    XImage* image = GetImage(index);
    if (!image) return;
    image->m_rcPlace = PlacementForSlot(int(index), image->m_nWidth, image->m_nHeight);
    RecalcExtent();
}

void XDocument::RecalcExtent()
{
    std::vector<RECT> places;
    for (const auto& image : m_images) places.push_back(image->m_rcPlace);
    const SendToOptions& margins = ImageOptions().sendTo;
    SIZE extent = CanvasExtent(places, margins.marginX, margins.marginY);
    m_cxExtent = extent.cx;
    m_cyExtent = extent.cy;
}

void XDocument::DeleteTopImage()
{
    if (m_images.size() < 2) return;
    m_images.pop_back();
    SetTitle("Merging - " + std::to_string(m_images.size()));
    // A lone image goes back to the origin, where the view's pixel
    // arithmetic for one-image windows expects it.
    if (m_images.size() == 1) PlaceImage(0);
    RecalcExtent();
    UpdateAllViews(nullptr);
}

XViewImage* XDocument::GetImageView() const
{
    for (View* view : GetViews())
        if (auto* image = dynamic_cast<XViewImage*>(view)) return image;
    return nullptr;
}

XViewNotepad* XDocument::GetNotepadView() const
{
    for (View* view : GetViews())
        if (auto* notepad = dynamic_cast<XViewNotepad*>(view)) return notepad;
    return nullptr;
}

bool XDocument::OnCmdMsg(UINT id, CmdUI* ui)
{
    static const CommandEntry<XDocument> table[] = {
        {ID_VIEW_BACKGROUND, ID_VIEW_BACKGROUND, &XDocument::OnViewBackground, nullptr},
        {ID_TOOL_MERGE_BACKGROUND, ID_TOOL_MERGE_BACKGROUND, &XDocument::OnMergeBackground,
         &XDocument::OnUpdateMergeBackground},
        {ID_EDIT_COPY_IMAGE, ID_EDIT_COPY_IMAGE, &XDocument::OnCopyImage, &XDocument::OnUpdateCopyImage},
        {ID_EDIT_DELETE_IMAGE, ID_EDIT_DELETE_IMAGE, &XDocument::OnDeleteImage, &XDocument::OnUpdateDeleteImage},
        {ID_TOOL_SELECT_IMAGE, ID_TOOL_SELECT_IMAGE, &XDocument::OnSelectImage, &XDocument::OnUpdateSelectImage},
        {ID_TOOL_RESET_CROP, ID_TOOL_RESET_CROP, &XDocument::OnResetCrop, &XDocument::OnUpdateResetCrop},
        {ID_EDIT_UNDO, ID_EDIT_UNDO, &XDocument::OnEditUndo, nullptr},
        {ID_EDIT_COPY_TEXT, ID_EDIT_COPY_TEXT, &XDocument::OnEditCopyText, &XDocument::OnUpdateEditCopyText},
        {ID_EDIT_PASTE_TEXT, ID_EDIT_PASTE_TEXT, &XDocument::OnEditPasteText, &XDocument::OnUpdateEditPasteText},
        {ID_VIEW_NOTEPAD, ID_VIEW_NOTEPAD, &XDocument::OnViewNotepad, &XDocument::OnUpdateViewNotepad},
    };
    return DispatchCommand(this, table, id, ui) || OnToolCmdMsg(id, ui);
}

void XDocument::OnCopyImage(UINT)
{
    if (m_images.size() == 1) CopyImageToClipboard(*m_images[0]);
}

void XDocument::OnUpdateCopyImage(CmdUI& ui) { ui.Enable(m_images.size() == 1); }

void XDocument::OnDeleteImage(UINT) { DeleteTopImage(); }

void XDocument::OnUpdateDeleteImage(CmdUI& ui) { ui.Enable(m_images.size() >= 2); }

void XDocument::OnSelectImage(UINT)
{
    if (m_images.size() != 1) return;
    m_images[0]->m_bSelected = !m_images[0]->m_bSelected;
    UpdateAllViews(nullptr);
}

void XDocument::OnUpdateSelectImage(CmdUI& ui)
{
    ui.Enable(m_images.size() == 1);
    ui.SetCheck(m_images.size() == 1 && m_images[0]->m_bSelected);
}

void XDocument::OnResetCrop(UINT)
{
    if (m_images.size() != 1) return;
    XImage* image = m_images[0].get();
    image->m_rcCrop = RECT{0, 0, image->m_nWidth, image->m_nHeight};
    UpdateAllViews(nullptr);
}

void XDocument::OnUpdateResetCrop(CmdUI& ui)
{
    const XImage* image = m_images.size() == 1 ? m_images[0].get() : nullptr;
    ui.Enable(image && image->m_bSelected &&
              (image->m_rcCrop.right - image->m_rcCrop.left != image->m_nWidth ||
               image->m_rcCrop.bottom - image->m_rcCrop.top != image->m_nHeight));
}

void XDocument::OnEditUndo(UINT)
{
    if (XViewNotepad* notepad = GetNotepadView()) SendMessageA(notepad->m_hEdit, EM_UNDO, 0, 0);
}

void XDocument::OnEditCopyText(UINT)
{
    if (XViewNotepad* notepad = GetNotepadView()) SendMessageA(notepad->m_hEdit, WM_COPY, 0, 0);
}

void XDocument::OnUpdateEditCopyText(CmdUI& ui)
{
    DWORD start = 0, end = 0;
    if (XViewNotepad* notepad = GetNotepadView())
        SendMessageA(notepad->m_hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ui.Enable(end > start);
}

void XDocument::OnEditPasteText(UINT)
{
    XViewNotepad* notepad = GetNotepadView();
    if (!notepad) return;
    if (!notepad->m_bShown) OnViewNotepad(ID_VIEW_NOTEPAD);
    SendMessageA(notepad->m_hEdit, WM_PASTE, 0, 0);
}

void XDocument::OnUpdateEditPasteText(CmdUI& ui) { ui.Enable(IsClipboardFormatAvailable(CF_TEXT) != 0); }

void XDocument::OnViewNotepad(UINT)
{
    XViewNotepad* notepad = GetNotepadView();
    XViewImage* imageView = GetImageView();
    if (!notepad || !imageView) return;
    HWND splitterWnd = GetParent(notepad->m_hWnd);
    auto* splitter = dynamic_cast<StaticSplitter*>(Window::FromHandle(splitterWnd));
    if (!splitter) return;
    RECT rc;
    GetClientRect(splitterWnd, &rc);
    int ideal = notepad->m_bShown ? GetSystemMetrics(SM_CYSCREEN) : rc.bottom / 2;
    splitter->SetRowInfo(0, ideal, 0);
    splitter->RecalcLayout();
    if (!notepad->m_bShown) SetFocus(imageView->m_hWnd);
}

void XDocument::OnUpdateViewNotepad(CmdUI& ui)
{
    XViewNotepad* notepad = GetNotepadView();
    ui.SetCheck(notepad && notepad->m_bShown);
}
