// The image view's work on its images: cropping lines moved by keys and by
// their handles, the pixel picked for Check & Change Colors, an image
// dragged onto another window to start a merge, and the top image of a
// merge window picked and moved. All feedback during the modal loops is
// drawn with self-inverting operations, so no repaint is needed.
#include "XViewImage.h"

#include "../framework/GdiHandles.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "ImageOps.h"
#include "ImageWindowOptions.h"
#include "XDocument.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {
void ShowCursorResource(UINT id) { SetCursor(LoadCursorA(WinApp::Instance(), MAKEINTRESOURCEA(id))); }

void ShowArrow() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }

void ClipToClient(HWND hwnd, RECT rc)
{
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    ClipCursor(&rc);
}

// The next mouse message of a modal loop; false once the left button is
// up (its release, or a move without it when the release was missed).
bool NextMouseMessage(MSG* msg)
{
    for (;;) {
        WaitMessage();
        if (!PeekMessageA(msg, nullptr, WM_MOUSEFIRST, WM_MBUTTONDBLCLK, PM_REMOVE)) continue;
        if (msg->message == WM_LBUTTONUP) return false;
        if (msg->message == WM_MOUSEMOVE && !(msg->wParam & MK_LBUTTON)) return false;
        return true;
    }
}

// The loops follow the positions their mouse messages were made at: a
// fresh query of the pointer may still answer with an older one under Wine.
POINT InClient(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return screen;
}

XViewImage* ImageViewAt(POINT screen)
{
    return dynamic_cast<XViewImage*>(Window::FromHandle(WindowFromPoint(screen)));
}

RECT Normalized(POINT a, POINT b)
{
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Swaps the cropping rectangle for crop on dc: the lines erased and drawn
// again, and with Invert Selection on, exactly the pixels that change side
// inverted (inverting the old and the new rectangle leaves their common
// part as it was).
void ChangeCrop(XImage& image, HDC dc, const RECT& crop)
{
    const auto invert = [&image, dc](RECT rc) {
        OffsetRect(&rc, image.m_rcPlace.left, image.m_rcPlace.top);
        PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, DSTINVERT);
    };
    DrawCropLines(image, dc);
    if (ImageOptions().session.invertSelection) {
        invert(image.m_rcCrop);
        invert(crop);
    }
    image.m_rcCrop = crop;
    DrawCropLines(image, dc);
}
}

void XViewImage::RedrawTopImage()
{
    XDocument* document = GetDocument();
    const XImage* top = document ? document->TopImage() : nullptr;
    if (!top) return;
    WindowDC dc(m_hWnd);
    PrepareCanvasDC(dc.get());
    DrawImage(*top, dc.get(), ImageOptions().session);
}

RECT XViewImage::CanvasToClient(const RECT& rc) const
{
    const SendToOptions& margins = ImageOptions().sendTo;
    RECT client = rc;
    OffsetRect(&client, margins.marginX - m_ptScroll.x, margins.marginY - m_ptScroll.y);
    return client;
}

POINT XViewImage::ImagePixelAt(POINT pt) const
{
    const XImage* image = GetDocument() ? GetDocument()->TopImage() : nullptr;
    const SendToOptions& margins = ImageOptions().sendTo;
    POINT pixel = {pt.x - margins.marginX + m_ptScroll.x, pt.y - margins.marginY + m_ptScroll.y};
    if (image) {
        pixel.x -= image->m_rcPlace.left;
        pixel.y -= image->m_rcPlace.top;
    }
    return pixel;
}

void XViewImage::ConfinePointerToImage() const
{
    const XImage* image = GetDocument() ? GetDocument()->TopImage() : nullptr;
    if (!image) return;
    RECT client, visible;
    GetClientRect(m_hWnd, &client);
    const RECT shown = CanvasToClient(image->m_rcPlace);
    if (IntersectRect(&visible, &shown, &client)) ClipToClient(m_hWnd, visible);
}

void XViewImage::StartPickMode()
{
    SetCapture(m_hWnd);
    ShowCursorResource(IDCUR_PICK_COLOR);
    ConfinePointerToImage();
    m_bPickMode = TRUE;
}

void XViewImage::OnLButtonDown(POINT pt, WPARAM flags)
{
    XDocument* document = GetDocument();
    if (!document || document->ImageCount() == 0) return;
    if (document->ImageCount() >= 2) {
        MoveOrPickTopImage(pt, (flags & MK_CONTROL) != 0);
        return;
    }
    if (m_bPickMode) {
        PickColor(pt);
        return;
    }
    const XImage* image = document->TopImage();
    const POINT pixel = ImagePixelAt(pt);
    if (!image->m_bSelected) {
        if (pixel.x >= 0 && pixel.y >= 0 && pixel.x < image->m_nWidth && pixel.y < image->m_nHeight)
            DragImageToOtherWindow();
        return;
    }
    TrackCropHandle(pt);
}

void XViewImage::PickColor(POINT pt)
{
    m_bPickMode = FALSE;
    ClipCursor(nullptr);
    ReleaseCapture();
    ShowArrow();
    XDocument* document = GetDocument();
    COLORREF color = 0;
    if (!ColorAtPixel(*document->TopImage(), ImagePixelAt(pt), &color)) return;
    document->CheckAndChangeColor(color);
}

bool XViewImage::OnToolKey(UINT key)
{
    XDocument* document = GetDocument();
    if (!document || document->ImageCount() == 0) return false;
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (document->ImageCount() >= 2) {
        if (!arrow) return false;
        MoveTopImageBy(key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : 0, key == VK_UP ? -1 : key == VK_DOWN ? 1 : 0);
        return true;
    }
    if (!document->TopImage()->m_bSelected || !(arrow || key == 'I' || key == 'O')) return false;
    MoveCropLines(key);
    return true;
}

void XViewImage::MoveCropLines(UINT key)
{
    XImage& image = *GetDocument()->TopImage();
    const LONG width = image.m_nWidth, height = image.m_nHeight;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    RECT rc = image.m_rcCrop;
    switch (key) {
    case VK_LEFT:
        if (shift) rc.right = std::max(rc.left, rc.right - 1);
        else rc.left = std::max(0L, rc.left - 1);
        break;
    case VK_RIGHT:
        if (shift) rc.right = std::min(width, rc.right + 1);
        else rc.left = std::min(rc.right, rc.left + 1);
        break;
    case VK_UP:
        if (shift) rc.bottom = std::max(rc.top, rc.bottom - 1);
        else rc.top = std::max(0L, rc.top - 1);
        break;
    case VK_DOWN:
        if (shift) rc.bottom = std::min(height, rc.bottom + 1);
        else rc.top = std::min(rc.bottom, rc.top + 1);
        break;
    case 'I':
        rc.left = std::min(rc.right, rc.left + 1);
        rc.right = std::max(rc.left, rc.right - 1);
        rc.top = std::min(rc.bottom, rc.top + 1);
        rc.bottom = std::max(rc.top, rc.bottom - 1);
        break;
    case 'O':
        rc = RECT{std::max(0L, rc.left - 1), std::max(0L, rc.top - 1), std::min(width, rc.right + 1),
                  std::min(height, rc.bottom + 1)};
        break;
    default: return;
    }
    if (EqualRect(&rc, &image.m_rcCrop)) return;
    WindowDC dc(m_hWnd);
    PrepareCanvasDC(dc.get());
    ChangeCrop(image, dc.get(), rc);
}

void XViewImage::MoveTopImageBy(int dx, int dy)
{
    XImage& top = *GetDocument()->TopImage();
    RECT old = CanvasToClient(top.m_rcPlace);
    OffsetRect(&top.m_rcPlace, dx, dy);
    RECT moved = CanvasToClient(top.m_rcPlace);
    InvalidateRect(m_hWnd, &old, TRUE);
    InvalidateRect(m_hWnd, &moved, TRUE);
}

void XViewImage::TrackCropHandle(POINT pt)
{
    XImage& image = *GetDocument()->TopImage();
    const POINT p = ImagePixelAt(pt);
    const RECT c = image.m_rcCrop;
    // Hit boxes in the order top-right, top-left, bottom-left, bottom-right;
    // a later hit wins. Each names the opposite corner as the anchor.
    const struct {
        RECT box;
        POINT anchor;
    } handles[] = {
        {{c.right - 4, c.top - 3, c.right + 4, c.top + 5}, {c.left, c.bottom}},
        {{c.left - 3, c.top - 3, c.left + 5, c.top + 5}, {c.right, c.bottom}},
        {{c.left - 3, c.bottom - 4, c.left + 5, c.bottom + 4}, {c.right, c.top}},
        {{c.right - 4, c.bottom - 4, c.right + 4, c.bottom + 4}, {c.left, c.top}},
    };
    const POINT* anchor = nullptr;
    for (const auto& handle : handles)
        if (PtInRect(&handle.box, p)) anchor = &handle.anchor;
    if (!anchor) return;

    ConfinePointerToImage();
    SetCapture(m_hWnd);
    WindowDC dc(m_hWnd);
    PrepareCanvasDC(dc.get());
    MSG msg;
    while (NextMouseMessage(&msg)) {
        POINT q = ImagePixelAt(InClient(m_hWnd, msg.pt));
        q.x = std::max(0L, std::min(LONG(image.m_nWidth), q.x));
        q.y = std::max(0L, std::min(LONG(image.m_nHeight), q.y));
        const RECT rc = Normalized(*anchor, q);
        if (!EqualRect(&rc, &image.m_rcCrop)) ChangeCrop(image, dc.get(), rc);
    }
    ReleaseCapture();
    ClipCursor(nullptr);
}

void XViewImage::DragImageToOtherWindow()
{
    SetCapture(m_hWnd);
    ShowCursorResource(IDCUR_DROP_ACCEPTED);
    MSG msg;
    while (NextMouseMessage(&msg))
        ShowCursorResource(ImageViewAt(msg.pt) ? IDCUR_DROP_ACCEPTED : IDCUR_DROP_REFUSED);
    XViewImage* target = ImageViewAt(msg.pt);  // where the button went up
    ReleaseCapture();
    ShowArrow();
    XDocument* into = target && target != this ? target->GetDocument() : nullptr;
    const XImage* source = GetDocument()->TopImage();
    if (!into || !source) return;

    auto copy = std::make_unique<XImage>();
    if (!copy->CopyAttributes(*source)) {
        AfterOperation(std::move(copy));
        return;
    }
    copy->PrepareForShow();
    copy->m_bTopBorder = TRUE;
    if (XImage* top = into->TopImage()) top->m_bSelected = top->m_bTopBorder = FALSE;
    into->AddImage(std::move(copy));
    into->SetTitle("Merging - " + std::to_string(into->ImageCount()));
    into->UpdateAllViews(nullptr);
}

void XViewImage::MoveOrPickTopImage(POINT pt, bool control)
{
    XDocument* document = GetDocument();
    const SendToOptions& margins = ImageOptions().sendTo;
    const POINT canvas = {pt.x - margins.marginX + m_ptScroll.x, pt.y - margins.marginY + m_ptScroll.y};
    auto& images = document->m_images;
    auto hit = std::find_if(images.rbegin(), images.rend(), [canvas](const std::unique_ptr<XImage>& image) {
        return PtInRect(&image->m_rcPlace, canvas);
    });
    if (hit == images.rend()) return;
    {
        WindowDC dc(m_hWnd);
        PrepareCanvasDC(dc.get());
        const SessionOptions& session = ImageOptions().session;
        XImage* top = images.back().get();
        top->m_bTopBorder = FALSE;
        DrawImage(*top, dc.get(), session);
        (*hit)->m_bTopBorder = TRUE;
        DrawImage(**hit, dc.get(), session);
    }
    std::unique_ptr<XImage> picked = std::move(*hit);
    images.erase(std::next(hit).base());
    images.push_back(std::move(picked));
    if (control) {
        DragImageToOtherWindow();
        return;
    }
    TrackTopImage(pt);
}

void XViewImage::TrackTopImage(POINT from)
{
    XDocument* document = GetDocument();
    XImage& top = *document->TopImage();
    const RECT start = top.m_rcPlace;
    RECT client;
    GetClientRect(m_hWnd, &client);
    ClipToClient(m_hWnd, client);
    SetCapture(m_hWnd);
    {
        WindowDC dc(m_hWnd);
        PrepareCanvasDC(dc.get());
        ShowCursorResource(IDCUR_MOVE_IMAGE);
        DrawDottedOutline(dc.get(), top.m_rcPlace);
        POINT last = from;
        MSG msg;
        for (;;) {
            const bool more = NextMouseMessage(&msg);
            DrawDottedOutline(dc.get(), top.m_rcPlace);
            ShowCursorResource(IDCUR_MOVE_IMAGE);
            if (!more) break;
            const POINT now = InClient(m_hWnd, msg.pt);
            OffsetRect(&top.m_rcPlace, now.x - last.x, now.y - last.y);
            last = now;
            DrawDottedOutline(dc.get(), top.m_rcPlace);
        }
    }
    ShowArrow();
    ClipCursor(nullptr);
    ReleaseCapture();
    if (EqualRect(&start, &top.m_rcPlace)) return;
    // Every image keeps a non-negative position: the whole arrangement
    // shifts when the moved one went past the left or top edge.
    const LONG dx = std::max(0L, -top.m_rcPlace.left), dy = std::max(0L, -top.m_rcPlace.top);
    for (auto& image : document->m_images) OffsetRect(&image->m_rcPlace, dx, dy);
    document->RecalcExtent();
    UpdateScrollSizes();
    if (dx || dy) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }
    RECT old = CanvasToClient(start), moved = CanvasToClient(top.m_rcPlace);
    InvalidateRect(m_hWnd, &old, TRUE);
    InvalidateRect(m_hWnd, &moved, TRUE);
}
