// The open dialog with preview. XDialogFile4 hooks either the Explorer-style
// dialog (child template 1198 beside the standard controls) or the classic
// one, to which it adds a Preview check box, a preview pane and a size pane
// itself. Each selection change updates the facts line and, with Preview
// on, reads the file into a fresh preview image, which the dialog owns
// until it hands it on with the chosen path (or drops it on Cancel). The
// hook catches everything: no exception leaves it.
#include "XDialogFile4.h"

#include "FilePreview.h"

#include "../formats/ImageFile.h"
#include "../framework/Dialog.h"
#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../framework/GlobalBlock.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../resources/resource.h"

#include <dlgs.h>

#include <memory>
#include <vector>

namespace {
const char kThisProperty[] = "XDialogFile4";
const int kClassicSide = 130;    // fitting square of the classic pane
const int kClassicWidening = 148;

bool DisplayBelow15Bits()
{
    return DisplayDepth() < 15;
}

// Paints image into the square of side side at origin of dc.
void DrawPreview(const XImage* image, HDC dc, POINT origin, int side)
{
    if (!image || !image->m_hBits) return;
    RECT rc = PreviewDrawRect(side, image->m_nWidth, image->m_nHeight);
    OffsetRect(&rc, origin.x, origin.y);
    // Realised as a background palette: the preview must not take the
    // system palette from the window the user works in.
    SelectedPalette palette(dc, image->m_palette, TRUE);
    const bool useShowCopy = image->m_nBitCount > 8 && image->m_hShowBits && DisplayBelow15Bits();
    LockedBlock<BYTE> bits(useShowCopy ? image->m_hShowBits : image->m_hBits);
    LockedBlock<BITMAPINFO> info(useShowCopy ? image->m_hShowInfo : image->m_hInfo);
    if (!bits || !info) return;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, 0, image->m_nWidth,
                  image->m_nHeight, bits.get(), info.get(), DIB_RGB_COLORS, SRCCOPY);
}

std::string SizeText(const XImage* image)
{
    if (!image || !image->m_hBits) return std::string();
    char text[64];
    wsprintfA(text, "%dw x %dh", int(image->m_nWidth), int(image->m_nHeight));
    return text;
}

// Size of an existing file; false for a folder or a missing name.
bool ExistingFileSize(const std::string& path, uint64_t* size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    *size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class XDialogFile4 {
public:
    XDialogFile4(bool classic, FileOptions& files, FormatOptions& format)
        : m_bClassic(classic), m_bPreview(format.openPreview != FALSE), m_files(files), m_format(format)
    {
    }
    bool Run(HWND owner, OpenChoice* choice);

private:
    static UINT_PTR CALLBACK HookThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    UINT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInitDone();
    void OnClassicInit();
    void OnSelectionChange(const std::string& path);
    void OnPreviewToggle();
    void ApplyWidth();
    void DrawPane(const DRAWITEMSTRUCT& item);
    std::string SelectedPath() const;
    HWND FileDialogWindow() const { return m_bClassic ? m_hWnd : GetParent(m_hWnd); }

    bool m_bClassic;
    bool m_bPreview;
    PreviewedImage m_preview;  // the last file read for the preview
    HWND m_hWnd = nullptr;     // the hooked window: child template or classic dialog
    int m_nNarrowWidth = 0;
    int m_nWideWidth = 0;
    HWND m_hClassicCheck = nullptr;
    HWND m_hClassicPane = nullptr;
    HWND m_hClassicSize = nullptr;
    FileOptions& m_files;     // FileNameOpen, PathNameOpen
    FormatOptions& m_format;  // Open filter index and Preview check
};

bool XDialogFile4::Run(HWND owner, OpenChoice* choice)
{
    std::string filter =
        MakeFilter(LoadResourceString(IDS_FILTER_OPEN) + LoadResourceString(IDS_FILTER_OPEN_MORE));
    std::vector<char> file(MAX_PATH, '\0');
    lstrcpynA(file.data(), m_files.fileNameOpen.c_str(), MAX_PATH);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = WinApp::Instance();
    ofn.lpstrFilter = filter.c_str();
    const int openFilter = m_format.openFilter;
    ofn.nFilterIndex = DWORD(openFilter >= 1 && openFilter <= 14 ? openFilter : 13);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = m_files.pathNameOpen.empty() ? nullptr : m_files.pathNameOpen.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    if (!m_bClassic) ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE;
    ofn.lpTemplateName = m_bClassic ? nullptr : MAKEINTRESOURCEA(IDD_FILE_OPEN_PREVIEW);
    ofn.lpfnHook = HookThunk;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);

    // On Cancel the preview goes with the dialog.
    if (!GetOpenFileNameA(&ofn)) return false;
    choice->path = file.data();
    choice->preview = m_preview.TakeFor(choice->path);
    m_files.fileNameOpen = choice->path;
    m_files.pathNameOpen = FolderOf(choice->path);
    m_format.openFilter = int(ofn.nFilterIndex);
    m_format.openPreview = m_bPreview ? TRUE : FALSE;
    return true;
}

UINT_PTR CALLBACK XDialogFile4::HookThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        if (msg == WM_INITDIALOG) {
            auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
            auto* self = reinterpret_cast<XDialogFile4*>(ofn->lCustData);
            SetPropA(hwnd, kThisProperty, self);
            self->m_hWnd = hwnd;
        }
        auto* self = static_cast<XDialogFile4*>(GetPropA(hwnd, kThisProperty));
        if (msg == WM_NCDESTROY) RemovePropA(hwnd, kThisProperty);
        return self ? self->HandleMessage(msg, wParam, lParam) : 0;
    } catch (...) {
        return 0;
    }
}

UINT_PTR XDialogFile4::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        if (m_bClassic) OnClassicInit();
        return TRUE;
    case WM_NOTIFY: {
        const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (notify->hdr.code == CDN_INITDONE) OnInitDone();
        if (notify->hdr.code == CDN_SELCHANGE) OnSelectionChange(SelectedPath());
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FILE_PREVIEW_BUTTON && !m_bClassic) OnPreviewToggle();
        if (LOWORD(wParam) == IDC_CLASSIC_PREVIEW_CHECK && m_bClassic && HIWORD(wParam) == BN_CLICKED)
            OnPreviewToggle();
        if (LOWORD(wParam) == lst1 && m_bClassic && HIWORD(wParam) == LBN_SELCHANGE)
            OnSelectionChange(SelectedPath());
        return 0;
    case WM_DRAWITEM:
        if (wParam == IDC_FILE_PREVIEW_PANE || wParam == IDC_CLASSIC_PREVIEW_PANE) {
            DrawPane(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return 0;
    default:
        return 0;
    }
}

void XDialogFile4::OnInitDone()
{
    // The standard controls are laid out now: the wide form is the dialog as
    // the system made it, the narrow one ends where the preview column starts.
    HWND dialog = FileDialogWindow();
    RECT window, standard, pane;
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(m_hWnd, IDC_FILE_STANDARD_AREA), &standard);
    GetWindowRect(GetDlgItem(m_hWnd, IDC_FILE_PREVIEW_PANE), &pane);
    m_nWideWidth = window.right - window.left;
    const int column = pane.right - standard.right + 8;
    m_nNarrowWidth = column > 0 && column < m_nWideWidth ? m_nWideWidth - column : m_nWideWidth;
    ApplyWidth();
}

void XDialogFile4::OnClassicInit()
{
    // The classic dialog grows by one row for the check box under the file
    // list; the panes wait to the right, outside the narrow form.
    RECT client, list;
    GetClientRect(m_hWnd, &client);
    GetWindowRect(GetDlgItem(m_hWnd, lst1), &list);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    RECT window;
    GetWindowRect(m_hWnd, &window);
    const int row = 24;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    m_hClassicCheck = CreateWindowExA(0, "BUTTON", "Preview", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                      list.left, client.bottom + 2, 100, 18, m_hWnd,
                                      reinterpret_cast<HMENU>(IDC_CLASSIC_PREVIEW_CHECK), WinApp::Instance(), nullptr);
    m_hClassicPane = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, client.right + 6,
                                     list.top, kClassicSide + 6, kClassicSide + 6, m_hWnd,
                                     reinterpret_cast<HMENU>(IDC_CLASSIC_PREVIEW_PANE), WinApp::Instance(), nullptr);
    m_hClassicSize = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, client.right + 6,
                                     list.top + kClassicSide + 10, kClassicSide + 6, 16, m_hWnd,
                                     reinterpret_cast<HMENU>(IDC_CLASSIC_SIZE_PANE), WinApp::Instance(), nullptr);
    for (HWND control : {m_hClassicCheck, m_hClassicPane, m_hClassicSize})
        if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(m_hClassicCheck, BM_SETCHECK, m_bPreview ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + row,
                 SWP_NOMOVE | SWP_NOZORDER);
    m_nNarrowWidth = window.right - window.left;
    m_nWideWidth = m_nNarrowWidth + kClassicWidening;
    ApplyWidth();
}

void XDialogFile4::ApplyWidth()
{
    HWND dialog = FileDialogWindow();
    RECT window;
    GetWindowRect(dialog, &window);
    const int width = m_bPreview ? m_nWideWidth : m_nNarrowWidth;
    if (width > 0)
        SetWindowPos(dialog, nullptr, 0, 0, width, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
}

void XDialogFile4::OnPreviewToggle()
{
    m_bPreview = m_bClassic ? SendMessageA(m_hClassicCheck, BM_GETCHECK, 0, 0) == BST_CHECKED : !m_bPreview;
    ApplyWidth();
    if (m_bPreview) OnSelectionChange(SelectedPath());
}

std::string XDialogFile4::SelectedPath() const
{
    if (!m_bClassic) {
        char path[MAX_PATH] = "";
        const LRESULT length =
            SendMessageA(GetParent(m_hWnd), CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
        return length > 0 && length <= MAX_PATH ? std::string(path) : std::string();
    }
    // The classic dialog works in the current directory.
    HWND list = GetDlgItem(m_hWnd, lst1);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return std::string();
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length <= 0 || length >= MAX_PATH) return std::string();
    std::vector<char> name(size_t(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(name.data()));
    char folder[MAX_PATH] = "";
    const DWORD folderLength = GetCurrentDirectoryA(MAX_PATH, folder);
    if (folderLength == 0 || folderLength >= MAX_PATH) return std::string();
    std::string path(folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + name.data();
}

void XDialogFile4::OnSelectionChange(const std::string& path)
{
    uint64_t size = 0;
    if (!ExistingFileSize(path, &size)) return;
    if (!m_bClassic) SetDlgItemTextA(m_hWnd, IDC_FILE_FACTS, FactsLine(path, size).c_str());
    if (!m_bPreview) return;
    // The last preview goes before the next file is read.
    m_preview.Clear();
    std::unique_ptr<XImage> image(new XImage);
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    // The message of a failed read travels with the image to the document.
    image->m_nOriginId = ReadImageFile(image.get(), path.c_str());
    SetCursor(old);
    if (image->m_hBits) image->PrepareForShow();
    m_preview.Keep(path, std::move(image));
    SetDlgItemTextA(m_hWnd, m_bClassic ? IDC_CLASSIC_SIZE_PANE : IDC_FILE_IMAGE_SIZE,
                    SizeText(m_preview.Image()).c_str());
    InvalidateRect(GetDlgItem(m_hWnd, m_bClassic ? IDC_CLASSIC_PREVIEW_PANE : IDC_FILE_PREVIEW_PANE), nullptr,
                   FALSE);
}

void XDialogFile4::DrawPane(const DRAWITEMSTRUCT& item)
{
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (m_bClassic) DrawEdge(item.hDC, &rc, EDGE_SUNKEN, BF_RECT);
    const int side = m_bClassic ? kClassicSide : int(rc.right - rc.left) - 4;
    if (m_bPreview && side > 0) DrawPreview(m_preview.Image(), item.hDC, POINT{rc.left, rc.top}, side);
}
}

bool OpenImageDialog(HWND owner, FileOptions& files, FormatOptions& format, OpenChoice* choice)
{
    // Low byte of the version query: the major version.
    const bool classic = (WindowsVersion() & 0xFF) < 4;
    XDialogFile4 dialog(classic, files, format);
    return dialog.Run(owner, choice);
}
