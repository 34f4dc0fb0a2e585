// The after-capture pipeline and the Screen capture. FinishCapture makes the
// capture's image, named after the request's mode, grabs for that mode, flashes, converts
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
#include "CaptureFile.h"
#include "CaptureGeometry.h"
#include "CaptureImageOptions.h"
#include "CaptureKinds.h"
#include "CaptureNaming.h"
#include "CaptureState.h"
#include "CaptureText.h"

#include "../framework/Display.h"
#include "../framework/MDIChildWindow.h"
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

// The modes that hid windows for the capture show them again right after
// the grab.
CapturedBitmap GrabForMode(const CaptureRequest& request, const CaptureOptions& options)
{
    const TitleMenuOptions& titleMenu = options.titleMenu;
    CapturedBitmap grab;
    switch (request.mode) {
    case kCaptureRegion:
    case kCaptureButton:
    case kCaptureScreen:
        grab = GrabScreenRect(request, options);
        RestoreHiddenWindows();
        break;
    case kCaptureTitleMenu:
        if (titleMenu.eraseBackground && (titleMenu.pulldownMenu || titleMenu.cascadingMenu) &&
            TitleMenuWindowVisible())
            grab = GrabTitleAndMenu(request, options);
        else
            grab = GrabScreenRect(request, options);
        break;
    case kCaptureFreehand:
        grab = GrabFreehand(request, options);
        RestoreHiddenWindows();
        break;
    case kCapturePointer: grab = GrabPointer(request); break;
    case kCaptureWindow: grab = GrabWindow(request, options); break;
    default: break;
    }
    return grab;
}

void RunNotification(int notification, const RECT& area)
{
    switch (notification) {
    case kFlashCenterIn: FlashCenterIn(area); break;
    case kFlashInsideOut: FlashInsideOut(area); break;
    case kFlashUpDown: FlashUpDown(area); break;
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

// The Save As prompt on the capture image; false when cancelled or failed.
bool PromptForFile(XImage* image, const CaptureRequest& request, const CaptureSettings& settings)
{
    BringMainFrameForward(settings.mode.runningMode, request.triggerWindow);
    const CaptureOutlets* outlets = settings.outlets;
    return outlets && outlets->saveAs && outlets->saveAs(*image, settings.files, settings.format);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Augment Filename and Filename by Time. A name that is taken, by an
// earlier capture or anything else, moves on with the numbering to the
// next free one; when every name is taken the prompt asks instead.
bool WriteUnderAutomaticName(XImage* image, const CaptureRequest& request, const CaptureSettings& settings)
{
    const int naming = settings.options.sendTo.fileNaming;
    std::string& name = settings.files.fileNameDirect;
    const std::string& folder = settings.files.pathNameDirect;
    SetWaitCursor();
    if (naming == kFileNameByTime) {
        time_t stamp = time_t(image->m_tStamp);
        const std::tm* local = std::localtime(&stamp);
        if (local) name = FileNameByTime(name, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
    }
    std::string free =
        FreeFileName(name, [&folder](const std::string& candidate) { return FileExists(SendToFilePath(folder, candidate)); });
    if (free.empty()) {
        SetArrowCursor();
        return PromptForFile(image, request, settings);
    }
    name = free;
    std::string path = SendToFilePath(folder, name);
    // A file that could not be written must not give the window its
    // path as title; the window then keeps the capture's name.
    bool written = WriteCaptureFile(image, path, settings.format.sendToFormat);
    if (written) image->m_strTitle = path;
    if (naming == kAugmentFileName) name = AugmentFileName(name);
    SetArrowCursor();
    return written;
}

// A cancelled or failed write leaves the window its capture name.
void DeliverToFile(XImage* image, const CaptureRequest& request, const CaptureSettings& settings)
{
    const bool written = settings.options.sendTo.fileNaming == kPromptFileName
                             ? PromptForFile(image, request, settings)
                             : WriteUnderAutomaticName(image, request, settings);
    if (written) image->m_nOriginId = kOriginTitleIsPath;
}

void DeliverToPrinter(XImage* image, const SendToOptions& sendTo, const CaptureOutlets* outlets,
                      HWND triggerWindow)
{
    SetArrowCursor();
    if (!sendTo.file) image->m_strTitle = LoadCaptureText(image->m_nOriginId);
    g_bPrinting = TRUE;
    if (outlets && outlets->print) outlets->print(*image, sendTo.usePrintDialog != FALSE);
    g_bPrinting = FALSE;
    if (triggerWindow) SetForegroundWindow(triggerWindow);
}

// The image goes, owned, in a message to the main frame, which opens the
// new image window on it; Image Info is posted after it so that it finds
// the new window active. False, with the image still the caller's, when it
// could not be posted.
bool DeliverToWindow(std::unique_ptr<XImage>& image, const CaptureRequest& request,
                     const CaptureSettings& settings)
{
    const CapturePageOptions& capture = settings.options.capture;
    if (capture.bringKestrelToTop) {
        BringMainFrameForward(settings.mode.runningMode, request.triggerWindow);
        if (HWND client = FindWindowExA(WinApp::MainWnd(), nullptr, "MDICLIENT", nullptr)) CascadeChildWindows(client);
    }
    image->m_tStamp = CurrentTime();
    if (!PostImageWindow(WinApp::MainWnd(), image)) return false;
    if (capture.displayImageInfo) PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_EDIT_IMAGE_INFO, 0);
    return true;
}

// owned is the capture's image; once delivered to a window it is gone.
Outcome RunPipeline(std::unique_ptr<XImage>& owned, const CaptureRequest& request, const CaptureSettings& settings)
{
    XImage* image = owned.get();
    const CaptureOptions& options = settings.options;
    image->m_nBitCount = uint16_t(CaptureBitCount(DisplayDepth()));
    image->m_tStamp = CurrentTime();

    CapturedBitmap grab = GrabForMode(request, options);
    SetWaitCursor();
    if (!grab.bitmap)
        return grab.failure == GrabFailure::kOutOfMemory ? Outcome::kOutOfMemory : Outcome::kNothingCaptured;
    int32_t width = 0, height = 0;
    CaptureExtent(grab.area, &width, &height);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_bitmap.reset(grab.bitmap.release());

    RunNotification(options.capture.notification, grab.area);
    bool converted = ConvertDeviceBitmap(image);
    if (options.sendTo.clipboard)
        DeliverToClipboard(image);
    else
        DeleteDeviceBitmap(image);
    if (!converted) return Outcome::kOutOfMemory;

    ApplyImageOptions(image, settings);
    if (options.sendTo.file) DeliverToFile(image, request, settings);
    if (options.sendTo.printer) DeliverToPrinter(image, options.sendTo, settings.outlets, request.triggerWindow);
    if (options.sendTo.window) DeliverToWindow(owned, request, settings);
    return Outcome::kDone;
}

// The ending every capture shares, with or without an image.
void EndCapture()
{
    RestoreHiddenWindows();
    SetArrowCursor();
    g_bCaptureInProgress = FALSE;
    g_bCaptureBusy = FALSE;
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

void CaptureScreen(const CaptureRequest& trigger, const CaptureSettings& settings)
{
    g_bCaptureInProgress = TRUE;
    HideAllWindows(settings.options.capture);
    CaptureRequest request = trigger;
    request.mode = kCaptureScreen;
    request.captureRect = settings.options.screen.area;
    FinishCapture(request, settings);
}

void FinishSelection(const CaptureRequest& request, const std::optional<RECT>& area, const CaptureSettings& settings)
{
    if (!area) {
        EndCapture();
        return;
    }
    CaptureRequest selected = request;
    selected.captureRect = *area;
    FinishCapture(selected, settings);
}

void FinishCapture(const CaptureRequest& request, const CaptureSettings& settings)
{
    g_bCaptureBusy = TRUE;
    Outcome outcome = Outcome::kNothingCaptured;
    // The capture's image, named after its mode. What no window took over
    // (all of a capture that failed) goes with it here.
    std::unique_ptr<XImage> image;
    try {
        image.reset(new XImage);
        image->m_nOriginId = CaptureOriginId(request.mode);
        outcome = RunPipeline(image, request, settings);
    } catch (...) {
        outcome = Outcome::kOutOfMemory;
    }
    image.reset();
    EndCapture();
    if (outcome == Outcome::kOutOfMemory) {
        try {
            ShowCaptureMessage(IDS_INSUFFICIENT_MEMORY);
        } catch (...) {
        }
    }
}
