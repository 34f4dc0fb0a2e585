// Image view: canvas origins, scrolling over the document's extent and the
// painting of each image (the display copy where the display needs it,
// cropping lines, the top-image border).
#include "XViewImage.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../framework/GlobalBlock.h"
#include "../framework/MDIChildWindow.h"
#include "../resources/resource.h"
#include "ImageWindowOptions.h"
#include "XDocument.h"
#include "XViewNotepad.h"

namespace {
bool DisplayBelow15Bits()
{
    const int depth = DisplayDepth();
    return depth > 0 && depth < 15;
}
}

void DrawDottedOutline(HDC dc, const RECT& rc)
{
    GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
    SelectedObject selected(dc, pen.get());
    int oldRop = SetROP2(dc, R2_NOTXORPEN);
    int oldBk = SetBkMode(dc, TRANSPARENT);
    POINT points[5] = {{rc.left, rc.top},
                       {rc.right - 1, rc.top},
                       {rc.right - 1, rc.bottom - 1},
                       {rc.left, rc.bottom - 1},
                       {rc.left, rc.top}};
    Polyline(dc, points, 5);
    SetBkMode(dc, oldBk);
    SetROP2(dc, oldRop);
}

void DrawCropLines(const XImage& image, HDC dc)
{
    RECT crop = image.m_rcCrop;
    OffsetRect(&crop, image.m_rcPlace.left, image.m_rcPlace.top);
    DrawDottedOutline(dc, crop);
    const POINT corners[4] = {{crop.left - 3, crop.top - 3},
                              {crop.right - 5, crop.top - 3},
                              {crop.left - 3, crop.bottom - 5},
                              {crop.right - 5, crop.bottom - 5}};
    for (const POINT& corner : corners) PatBlt(dc, corner.x, corner.y, 8, 8, DSTINVERT);
}

void DrawImage(const XImage& image, HDC dc, const SessionOptions& session)
{
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    {
        SelectedPalette palette(dc, image.m_palette, FALSE);
        bool useShowCopy = image.m_nBitCount > 8 && image.m_hShowBits && DisplayBelow15Bits();
        HGLOBAL bitsBlock = useShowCopy ? image.m_hShowBits : image.m_hBits;
        HGLOBAL infoBlock = useShowCopy ? image.m_hShowInfo : image.m_hInfo;
        LockedBlock<BYTE> bits(bitsBlock);
        LockedBlock<BITMAPINFO> info(infoBlock);
        if (bits && info)
            SetDIBitsToDevice(dc, image.m_rcPlace.left, image.m_rcPlace.top, DWORD(image.m_nWidth),
                              DWORD(image.m_nHeight), 0, 0, 0, UINT(image.m_nHeight), bits.get(), info.get(),
                              DIB_RGB_COLORS);
        if (image.m_bSelected) {
            if (session.invertSelection) {
                RECT crop = image.m_rcCrop;
                OffsetRect(&crop, image.m_rcPlace.left, image.m_rcPlace.top);
                PatBlt(dc, crop.left, crop.top, crop.right - crop.left, crop.bottom - crop.top, DSTINVERT);
            }
            DrawCropLines(image, dc);
        }
        if (image.m_bTopBorder && session.showBorderOnTop) DrawDottedOutline(dc, image.m_rcPlace);
    }
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

XDocument* XViewImage::GetDocument() const { return dynamic_cast<XDocument*>(m_pDocument); }

void XViewImage::OnUpdate(View* sender, LPARAM hint)
{
    ScrollView::OnUpdate(sender, hint);
    UpdateScrollSizes();
}

void XViewImage::OnActivateView(bool, View*, View*) {}

void XViewImage::UpdateScrollSizes()
{
    XDocument* document = GetDocument();
    if (document) SetScrollSizes(SIZE{document->m_cxExtent, document->m_cyExtent});
}

void XViewImage::PrepareCanvasDC(HDC dc) const
{
    SetMapMode(dc, MM_TEXT);
    const SendToOptions& margins = ImageOptions().sendTo;
    SetViewportOrgEx(dc, margins.marginX, margins.marginY, nullptr);
    SetWindowOrgEx(dc, m_ptScroll.x, m_ptScroll.y, nullptr);
}

void XViewImage::OnDraw(HDC dc)
{
    XDocument* document = GetDocument();
    if (!document) return;
    PrepareCanvasDC(dc);
    const SessionOptions& session = ImageOptions().session;
    for (const auto& image : document->m_images) DrawImage(*image, dc, session);
}

BOOL XViewImage::OnEraseBackground(HDC dc)
{
    // Only the canvas around the images: they cover the rest when they
    // paint, and erasing under them first would draw most of the view twice.
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int saved = SaveDC(dc);
    if (XDocument* document = GetDocument())
        for (const auto& image : document->m_images) {
            const RECT shown = CanvasToClient(image->m_rcPlace);
            ExcludeClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
        }
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    RestoreDC(dc, saved);
    return TRUE;
}

void XViewImage::OnSetFocus()
{
    ScrollView::OnSetFocus();
    XDocument* document = GetDocument();
    XViewNotepad* notepad = document ? document->GetNotepadView() : nullptr;
    if (notepad && notepad->m_bShown && notepad->m_hEdit) SetFocus(notepad->m_hEdit);
}

void XViewImage::OnLButtonDblClk(POINT pt)
{
    XDocument* document = GetDocument();
    if (!document || document->ImageCount() != 1) return;
    const XImage* image = document->GetImage(0);
    const SendToOptions& margins = ImageOptions().sendTo;
    if (pt.x < image->m_nWidth + margins.marginX && pt.y < image->m_nHeight + margins.marginY)
        SendMessageA(m_hWnd, WM_COMMAND, ID_TOOL_SELECT_IMAGE, 0);
}

void XViewImage::OnKeyDown(UINT key)
{
    if (OnToolKey(key)) return;
    // Scrolling keys of a one-image window; the arrows scroll only while
    // the image is not selected (a selected image's arrows move its
    // cropping lines).
    XDocument* document = GetDocument();
    if (!document || document->ImageCount() != 1) return;
    bool selected = document->GetImage(0)->m_bSelected != 0;
    struct Scroll {
        UINT key;
        UINT msg;
        UINT code;
        bool arrow;
    };
    static const Scroll kScrolls[] = {
        {VK_PRIOR, WM_VSCROLL, SB_PAGEUP, false}, {VK_NEXT, WM_VSCROLL, SB_PAGEDOWN, false},
        {VK_HOME, WM_HSCROLL, SB_PAGEUP, false},  {VK_END, WM_HSCROLL, SB_PAGEDOWN, false},
        {VK_LEFT, WM_HSCROLL, SB_LINEUP, true},   {VK_RIGHT, WM_HSCROLL, SB_LINEDOWN, true},
        {VK_UP, WM_VSCROLL, SB_LINEUP, true},     {VK_DOWN, WM_VSCROLL, SB_LINEDOWN, true},
    };
    for (const Scroll& scroll : kScrolls)
        if (scroll.key == key && !(scroll.arrow && selected)) PostMessageA(m_hWnd, scroll.msg, scroll.code, 0);
}

LRESULT XViewImage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        // The document is filled already: the bars are set up for it before
        // the first WM_SIZE, so that none is hidden and shown again.
        UpdateScrollSizes();
        return ScrollView::WindowProc(msg, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}, wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
        return 0;
    case WM_COMMAND:
        // Commands a view sends itself take the normal route from here.
        if (lParam == 0 && OnCmdMsg(LOWORD(wParam), nullptr)) return 0;
        return ScrollView::WindowProc(msg, wParam, lParam);
    default:
        return ScrollView::WindowProc(msg, wParam, lParam);
    }
}
