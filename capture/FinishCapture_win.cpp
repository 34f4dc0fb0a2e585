// The after-capture pipeline and the Screen capture. FinishCapture makes the
// capture's image, named after the mode, grabs into it, flashes, converts
// the device bitmap into the image's header and pixel blocks, applies the
// frame and colour options and delivers to the clipboard, file, printer
// and window. The window destination hands the image over to the new
// window; otherwise it goes when the capture ends.
//
// Every way out runs through one ending: arrow cursor, both capture flags
// cleared, and then, for a grab or conversion that ran out of memory, the
// "Insufficient memory!" message. A rectangle with nothing in it (a click
// without a drag, a reversed screen area, a window clipped away) ends the
// capture the same way without a message and without an image.
#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "CaptureNaming.h"
#include "CaptureSeams.h"
#include "CaptureState.h"
#include "CaptureText.h"
#include "ScreenGrab.h"

#include "../framework/Display.h"
#include "../framework/WinApp.h"
#include "../image/ImageHandover.h"
#include "../image/XImage.h"
#include "../resources/StringTable.h"
#include "../resources/resource.h"

#include <ctime>
#include <memory>
#include <string>

namespace {

// Origin id telling the new window to keep the title text (a file path).
const UINT kOriginTitleIsPath = ID_FILE_SAVE_AS;

enum class Outcome { kDone, kNothingCaptured, kOutOfMemory };

void SetArrowCursor() { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
void SetWaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void DeleteDeviceBitmap(XImage* image) { image->m_bitmap.reset(); }

void DeletePalette(XImage* image) { image->m_palette.reset(); }

int32_t CurrentTime() { return int32_t(std::time(nullptr)); }

void GrabForMode(XImage* image, const CaptureOptions& options)
{
    const TitleMenuOptions& titleMenu = options.titleMenu;
    switch (g_nCaptureMode) {
    case kCaptureRegion:
    case kCaptureButton:
    case kCaptureScreen:
        GrabScreenRect(image, options);
        RestoreHiddenWindows();
        break;
    case kCaptureTitleMenu:
        if (titleMenu.eraseBackground && (titleMenu.pulldownMenu || titleMenu.cascadingMenu) &&
            TitleMenuWindowVisible())
            GrabTitleMenuComposite(image, options);
        else
            GrabScreenRect(image, options);
        break;
    case kCaptureFreehand:
        GrabFreehandImage(image, options);
        RestoreHiddenWindows();
        break;
    case kCapturePointer: GrabPointerImage(image, options); break;
    case kCaptureWindow: GrabWindowImage(image, options); break;
    default: CaptureRect = RECT{0, 0, 0, 0}; break;
    }
}

void RunNotification(int notification)
{
    switch (notification) {
    case kFlashCenterIn: FlashCenterIn(); break;
    case kFlashInsideOut: FlashInsideOut(); break;
    case kFlashUpDown: FlashUpDown(); break;
    default: break;
    }
}

// Header block with the screen's colour table, then the pixel block from
// the device bitmap. Either both blocks exist afterwards or neither does.
bool ConvertDeviceBitmap(XImage* image)
{
    image->FreeBlocks();
    image->InfoFromScreen();
    if (image->m_hInfo) image->BitsFromBitmap();
    if (image->m_hBits && image->m_hInfo) return true;
    image->FreeBlocks();
    image->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
    return false;
}

// The clipboard takes the device bitmap as CF_BITMAP and owns it from then
// on; if it cannot be opened or refuses the bitmap, the bitmap is deleted.
void DeliverToClipboard(XImage* image)
{
    if (OpenClipboard(WinApp::MainWnd())) {
        if (EmptyClipboard() && SetClipboardData(CF_BITMAP, image->m_bitmap)) image->m_bitmap.release();
        CloseClipboard();
    }
    DeleteDeviceBitmap(image);
}

void ApplyImageOptions(XImage* image, const CaptureSettings& settings)
{
    const CapturePageOptions& capture = settings.options.capture;
    if (capture.addFrameAndMat) {
        image->MakePalette();
        ApplyCaptureFrame(image, settings.frame);
        DeletePalette(image);
    }
    if (capture.colorOption != kColorAsIs) ApplyCaptureColorOption(image, capture.colorOption, settings.blackWhite);
}

void DeliverToFile(XImage* image, const CaptureSettings& settings)
{
    const int naming = settings.options.sendTo.fileNaming;
    std::string& name = settings.files.fileNameDirect;
    if (naming == kPromptFileName) {
        BringMainFrameForward(settings.mode.runningMode);
        // A cancelled or failed Save As leaves the window its capture name.
        if (!SaveCaptureAs(image, settings.files, settings.format)) return;
    } else {
        SetWaitCursor();
        if (naming == kFileNameByTime) {
            time_t stamp = time_t(image->m_tStamp);
            const std::tm* local = std::localtime(&stamp);
            if (local) name = FileNameByTime(name, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
        }
        std::string path = SendToFilePath(settings.files.pathNameDirect, name);
        // A file that could not be written must not give the window its
        // path as title; the window then keeps the capture's name.
        bool written = WriteCaptureFile(image, path, settings.format.sendToFormat);
        if (written) image->m_strTitle = path;
        if (naming == kAugmentFileName) name = AugmentFileName(name);
        SetArrowCursor();
        if (!written) return;
    }
    image->m_nOriginId = kOriginTitleIsPath;
}

void DeliverToPrinter(XImage* image, const SendToOptions& sendTo)
{
    SetArrowCursor();
    if (!sendTo.file) image->m_strTitle = LoadCaptureText(image->m_nOriginId);
    g_bPrinting = TRUE;
    PrintCaptureImage(image, sendTo.usePrintDialog != FALSE);
    g_bPrinting = FALSE;
    if (TriggerWindow) SetForegroundWindow(TriggerWindow);
}

// The image goes, owned, in a message to the main frame, which opens the
// new image window on it; Image Info is posted after it so that it finds
// the new window active. False, with the image still the caller's, when it
// could not be posted.
bool DeliverToWindow(std::unique_ptr<XImage>& image, const CaptureSettings& settings)
{
    const CapturePageOptions& capture = settings.options.capture;
    if (capture.bringKestrelToTop) {
        BringMainFrameForward(settings.mode.runningMode);
        if (HWND client = FindWindowExA(WinApp::MainWnd(), nullptr, "MDICLIENT", nullptr))
            SendMessageA(client, WM_MDICASCADE, 0, 0);
    }
    image->m_tStamp = CurrentTime();
    if (!PostImageWindow(WinApp::MainWnd(), image)) return false;
    if (capture.displayImageInfo) PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_EDIT_IMAGE_INFO, 0);
    return true;
}

// owned is the capture's image; once delivered to a window it is gone.
Outcome RunPipeline(std::unique_ptr<XImage>& owned, const CaptureSettings& settings)
{
    XImage* image = owned.get();
    const CaptureOptions& options = settings.options;
    image->m_nBitCount = uint16_t(CaptureBitCount(DisplayDepth()));
    image->m_tStamp = CurrentTime();

    GrabForMode(image, options);
    SetWaitCursor();
    if (!image->m_bitmap) {
        int32_t width, height;
        return CaptureExtent(CaptureRect, &width, &height) ? Outcome::kOutOfMemory : Outcome::kNothingCaptured;
    }

    RunNotification(options.capture.notification);
    bool converted = ConvertDeviceBitmap(image);
    if (options.sendTo.clipboard)
        DeliverToClipboard(image);
    else
        DeleteDeviceBitmap(image);
    if (!converted) return Outcome::kOutOfMemory;

    ApplyImageOptions(image, settings);
    if (options.sendTo.file) DeliverToFile(image, settings);
    if (options.sendTo.printer) DeliverToPrinter(image, options.sendTo);
    if (options.sendTo.window) DeliverToWindow(owned, settings);
    return Outcome::kDone;
}

}  // namespace

std::string LoadCaptureText(UINT id)
{
    char buffer[256];
    int length = WinApp::Instance() ? LoadStringA(WinApp::Instance(), id, buffer, sizeof buffer) : 0;
    if (length > 0) return std::string(buffer, size_t(length));
    const char* text = StringTableText(id);
    return text ? text : "";
}

void ShowCaptureMessage(UINT id)
{
    std::string text = LoadCaptureText(id), title = LoadCaptureText(IDS_APP_TITLE);
    MessageBoxA(WinApp::MainWnd(), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void GrabScreenRect(XImage* image, const CaptureOptions& options)
{
    int32_t width = 0, height = 0;
    CaptureExtent(CaptureRect, &width, &height);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_bitmap.reset(GrabDisplayArea(CaptureRect, options));
}

void CaptureScreen(const CaptureSettings& settings)
{
    g_nCaptureMode = kCaptureScreen;
    g_bCaptureInProgress = TRUE;
    HideAllWindows(settings.options.capture);
    CaptureRect = settings.options.screen.area;
    FinishCapture(settings);
}

void FinishCapture(const CaptureSettings& settings)
{
    g_bCaptureBusy = TRUE;
    Outcome outcome = Outcome::kNothingCaptured;
    // The capture's image, named after its mode. What no window took over
    // (all of a capture that failed) goes with it here.
    std::unique_ptr<XImage> image;
    try {
        image.reset(new XImage);
        image->m_nOriginId = CaptureOriginId(g_nCaptureMode);
        outcome = RunPipeline(image, settings);
    } catch (...) {
        outcome = Outcome::kOutOfMemory;
    }
    image.reset();
    RestoreHiddenWindows();
    SetArrowCursor();
    g_bCaptureInProgress = FALSE;
    g_bCaptureBusy = FALSE;
    if (outcome == Outcome::kOutOfMemory) {
        try {
            ShowCaptureMessage(IDS_INSUFFICIENT_MEMORY);
        } catch (...) {
        }
    }
}
