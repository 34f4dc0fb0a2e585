// The options of the Capture Setup sheet: one struct per settings key
// (SendtoPage, CapturePage, ScreenPage, WindowPage, RegionPage,
// TitleMenuPage, FreehandPage), fields in stored order, and the choices
// their radio groups store. Defaults and the stored order live in the key
// table (OptionTable.cpp), not here. Values are kept as stored; code that
// needs a value in range keeps it there where it uses it (Settings.h).
#pragma once

#include "../framework/kernel.h"

enum FileNaming { kAugmentFileName = 0, kPromptFileName = 1, kFileNameByTime = 2 };
enum ColorOption { kColorAsIs = 0, kColorBlackWhite = 1, kColorGrayscale = 2, kColorInvert = 3, kColorReduce = 4 };
enum Notification { kNoFlash = 0, kFlashCenterIn = 1, kFlashInsideOut = 2, kFlashUpDown = 3 };
enum WindowChoice { kActiveWindow = 0, kSelectWindow = 1 };

// SendtoPage: the sheet's last active page, the four destinations, the
// file naming, the print dialog switch and the image windows' display
// margins in pixels.
struct SendToOptions {
    int setupPage;
    BOOL window, clipboard, printer, file;
    int fileNaming;  // FileNaming
    BOOL usePrintDialog;
    int marginX, marginY;
};

// CapturePage.
struct CapturePageOptions {
    BOOL hideMousePointer, hideAllWindows, addFrameAndMat, bringKestrelToTop, displayImageInfo;
    int colorOption;   // ColorOption
    int notification;  // Notification
};

// ScreenPage: the area of the Screen capture in screen coordinates, right
// and bottom exclusive, and its countdown.
struct ScreenOptions {
    RECT area;
    BOOL countdown;
    int countdownSeconds;
};

// WindowPage.
struct WindowOptions {
    int choice;  // WindowChoice
    BOOL frame, workspace, captureWithCurrent, eraseBackground, countdown;
    int countdownSeconds;
};

// RegionPage.
struct RegionOptions {
    BOOL invertSelection, showImageSize;
    COLORREF pen;
};

// TitleMenuPage.
struct TitleMenuOptions {
    BOOL titleBar, menuBar, pulldownMenu, cascadingMenu, eraseBackground;
};

// FreehandPage.
struct FreehandOptions {
    BOOL includeBorder, invertPen;
    COLORREF pen;
};

// The seven keys the Capture Setup sheet edits and writes together.
struct CaptureOptions {
    SendToOptions sendTo;
    CapturePageOptions capture;
    ScreenOptions screen;
    WindowOptions window;
    RegionOptions region;
    TitleMenuOptions titleMenu;
    FreehandOptions freehand;
};
