// Definitions and defaults of the capture options (see CaptureOptions.h).
#include "CaptureOptions.h"

int g_nCaptureSetupPage = 0;
BOOL g_bSendToWindow = TRUE;
BOOL g_bSendToClipboard = FALSE;
BOOL g_bSendToPrinter = FALSE;
BOOL g_bSendToFile = FALSE;
int g_nFileNaming = kAugmentFileName;
BOOL g_bUsePrintDialog = FALSE;

BOOL g_bHideMousePointer = FALSE;
BOOL g_bHideAllWindows = FALSE;
BOOL g_bAddFrameAndMat = FALSE;
BOOL g_bBringKestrelToTop = TRUE;
BOOL g_bDisplayImageInfo = FALSE;
int g_nColorOption = kColorAsIs;
int g_nNotification = kFlashCenterIn;

RECT g_rcScreenArea = {0, 0, 0, 0};
BOOL g_bScreenCountdown = FALSE;
int g_nScreenCountdownSeconds = 10;

int g_nWindowChoice = kActiveWindow;
BOOL g_bWindowFrame = TRUE;
BOOL g_bWindowWorkspace = TRUE;
BOOL g_bCaptureWithCurrent = TRUE;
BOOL g_bWindowEraseBackground = TRUE;
BOOL g_bWindowCountdown = FALSE;
int g_nWindowCountdownSeconds = 10;

BOOL g_bRegionInvertSelection = TRUE;
BOOL g_bRegionShowImageSize = TRUE;
COLORREF g_crRegionPen = 0;

BOOL g_bTitleBar = FALSE;
BOOL g_bMenuBar = FALSE;
BOOL g_bPulldownMenu = TRUE;
BOOL g_bCascadingMenu = TRUE;
BOOL g_bTitleMenuEraseBackground = TRUE;

BOOL g_bFreehandIncludeBorder = TRUE;
BOOL g_bFreehandInvertPen = TRUE;
COLORREF g_crFreehandPen = 0;

std::string g_strFileNameDirect = "SHOT0000.BMP";
std::string g_strPathNameDirect;
int g_nSendToFormat = 1;

void SetCaptureOptionDefaults(int screenWidth, int screenHeight)
{
    g_nCaptureSetupPage = 0;
    g_bSendToWindow = TRUE;
    g_bSendToClipboard = FALSE;
    g_bSendToPrinter = FALSE;
    g_bSendToFile = FALSE;
    g_nFileNaming = kAugmentFileName;
    g_bUsePrintDialog = FALSE;

    g_bHideMousePointer = FALSE;
    g_bHideAllWindows = FALSE;
    g_bAddFrameAndMat = FALSE;
    g_bBringKestrelToTop = TRUE;
    g_bDisplayImageInfo = FALSE;
    g_nColorOption = kColorAsIs;
    g_nNotification = kFlashCenterIn;

    g_rcScreenArea = RECT{0, 0, screenWidth, screenHeight};
    g_bScreenCountdown = FALSE;
    g_nScreenCountdownSeconds = 10;

    g_nWindowChoice = kActiveWindow;
    g_bWindowFrame = TRUE;
    g_bWindowWorkspace = TRUE;
    g_bCaptureWithCurrent = TRUE;
    g_bWindowEraseBackground = TRUE;
    g_bWindowCountdown = FALSE;
    g_nWindowCountdownSeconds = 10;

    g_bRegionInvertSelection = TRUE;
    g_bRegionShowImageSize = TRUE;
    g_crRegionPen = 0;

    g_bTitleBar = FALSE;
    g_bMenuBar = FALSE;
    g_bPulldownMenu = TRUE;
    g_bCascadingMenu = TRUE;
    g_bTitleMenuEraseBackground = TRUE;

    g_bFreehandIncludeBorder = TRUE;
    g_bFreehandInvertPen = TRUE;
    g_crFreehandPen = 0;

    g_strFileNameDirect = "SHOT0000.BMP";
    g_nSendToFormat = 1;
}
