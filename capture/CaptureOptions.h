// The options that steer the capture engine and the after-capture pipeline,
// as process-wide variables with their documented defaults. The settings
// store reads them from the settings file (keys SendtoPage, CapturePage,
// ScreenPage, WindowPage, RegionPage, TitleMenuPage, FreehandPage, Format's
// third field, FileNameDirect, PathNameDirect) and the Capture Setup sheet
// edits them. Values are used as stored; the code that uses a value keeps
// it in range where it must.
#pragma once

#include "../framework/kernel.h"

#include <string>

// Send To (SendtoPage fields 2-7; the page index and margins live elsewhere).
extern int g_nCaptureSetupPage;   // last active page of the setup sheet (0)
extern BOOL g_bSendToWindow;      // 1
extern BOOL g_bSendToClipboard;   // 0
extern BOOL g_bSendToPrinter;     // 0
extern BOOL g_bSendToFile;        // 0
enum FileNaming { kAugmentFileName = 0, kPromptFileName = 1, kFileNameByTime = 2 };
extern int g_nFileNaming;         // 0 Augment Filename
extern BOOL g_bUsePrintDialog;    // 0

// Capture page (CapturePage, in order).
extern BOOL g_bHideMousePointer;  // 0
extern BOOL g_bHideAllWindows;    // 0
extern BOOL g_bAddFrameAndMat;    // 0
extern BOOL g_bBringKestrelToTop; // 1
extern BOOL g_bDisplayImageInfo;  // 0
enum ColorOption { kColorAsIs = 0, kColorBlackWhite = 1, kColorGrayscale = 2, kColorInvert = 3, kColorReduce = 4 };
extern int g_nColorOption;        // 0 As Is
enum Notification { kNoFlash = 0, kFlashCenterIn = 1, kFlashInsideOut = 2, kFlashUpDown = 3 };
extern int g_nNotification;       // 1 Center-In

// Screen page (ScreenPage): the area of the Screen capture in screen
// coordinates, right and bottom exclusive; by default the whole screen,
// which SetCaptureOptionDefaults fills in from the screen size.
extern RECT g_rcScreenArea;       // 0, 0, screen width, screen height
extern BOOL g_bScreenCountdown;   // 0
extern int g_nScreenCountdownSeconds;  // 10

// Window page (WindowPage, in order).
enum WindowChoice { kActiveWindow = 0, kSelectWindow = 1 };
extern int g_nWindowChoice;       // 0 Active Window
extern BOOL g_bWindowFrame;       // 1
extern BOOL g_bWindowWorkspace;   // 1
extern BOOL g_bCaptureWithCurrent;  // 1
extern BOOL g_bWindowEraseBackground;  // 1
extern BOOL g_bWindowCountdown;   // 0
extern int g_nWindowCountdownSeconds;  // 10

// Region page (RegionPage).
extern BOOL g_bRegionInvertSelection;  // 1
extern BOOL g_bRegionShowImageSize;    // 1
extern COLORREF g_crRegionPen;         // 0 black

// Title & Menu page (TitleMenuPage, in order).
extern BOOL g_bTitleBar;          // 0
extern BOOL g_bMenuBar;           // 0
extern BOOL g_bPulldownMenu;      // 1
extern BOOL g_bCascadingMenu;     // 1
extern BOOL g_bTitleMenuEraseBackground;  // 1

// Freehand page (FreehandPage).
extern BOOL g_bFreehandIncludeBorder;  // 1
extern BOOL g_bFreehandInvertPen;      // 1
extern COLORREF g_crFreehandPen;       // 0 black

// Send To File: the bare file name (FileNameDirect), the folder
// (PathNameDirect, by default the program's folder without a trailing
// backslash, which the settings store knows) and the save filter index
// (Format, third field: 1 BMP ... 11 WPG).
extern std::string g_strFileNameDirect;  // "SHOT0000.BMP"
extern std::string g_strPathNameDirect;  // program folder
extern int g_nSendToFormat;              // 1 BMP

// Puts every option above back to its default; the screen area becomes
// (0, 0, screenWidth, screenHeight). The folder is left alone.
void SetCaptureOptionDefaults(int screenWidth, int screenHeight);
