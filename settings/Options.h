// Every option of the program: one struct per settings key (or per small
// family of text keys), fields in stored order, grouped in the Options
// aggregate. The application object owns the live Options and hands the
// parts down to the code that uses them.
//
// The structs state no defaults: each field's default and position are
// stated once, in the key table (OptionTable.cpp), which reading, writing
// and Master Reset all walk. Values are kept as stored, so writing a key
// back gives the text it had; code that needs a value in range clamps it
// where it uses it (Settings.h).
#pragma once

#include "CaptureOptions.h"
#include "HotKeyAssignment.h"
#include "SettingsParse.h"

#include "../framework/kernel.h"

#include <string>

// Mode: running mode (0 background, 1 foreground), Run Minimized, Display Logo Box.
struct ModeOptions {
    int runningMode;
    BOOL runMinimized, displayLogo;
};

// Session: two reserved fields kept for writing back, Show Border on Top
// Image, Invert Selection, full-screen background and merge background.
struct SessionOptions {
    int reserved1, reserved2;
    BOOL showBorderOnTop, invertSelection;
    COLORREF fullViewBack, mergeBack;
};

// Menu: the handle of the system's pop-up menu window as a number (0 until
// recorded). Handles are 32-bit on the program's platform.
struct MenuOptions {
    int window;
};

// Format: Open filter index, Save As filter index, Send To File format
// (save filter index: 1 BMP ... 11 WPG), Open dialog Preview.
struct FormatOptions {
    int openFilter, saveFilter, sendToFormat;
    BOOL openPreview;
};

// The folder and file keys: PathNameOpen, PathNameSave, PathNameDirect
// (the Send To File folder, without a trailing backslash), FileNameOpen
// and FileNameDirect (the Send To File name, a bare file name).
struct FileOptions {
    std::string pathNameOpen, pathNameSave, pathNameDirect;
    std::string fileNameOpen, fileNameDirect;
};

// BlackWhite: per standard colour 0 black or 1 white (low 8 bits kept).
struct BlackWhiteOptions {
    BYTE map[16];
};

// Frame: frame and mat width in pixels, frame and mat colours.
struct FrameOptions {
    int frameWidth, matWidth;
    COLORREF frame, mat;
};

// Clock.
struct ClockOptions {
    BOOL time, date, hideInCapture;
    int hourFormat;  // 0 12 Hour, 1 24 Hour
    BOOL seconds, amPm, upperCase;
    int dateOrder;   // 0 MDY, 1 DMY, 2 YMD
    int separator;   // 0 slash, 1 hyphen, 2 full stop
    BOOL century;
    COLORREF color;
};

// HotButton: left double click (dialog column 0-6), middle single, middle
// double, right single, right double (capture codes 0-7).
struct HotButtonOptions {
    int codes[5];
};

// PrintPage.
struct PrintOptions {
    int page, copies, scaling, colors, position, orientation;
    int notesPlacement, notesFrame, notesAlignment, previewSize;
    BOOL printNotes, printHeader, printFooter;
};

// HeaderLeft, HeaderCenter, HeaderRight, FooterLeft, FooterCenter, FooterRight.
struct HeaderFooterOptions {
    std::string header[3];
    std::string footer[3];
};

// NoteFont, HeaderFont, FooterFont.
struct PrintFontOptions {
    settings::FontValue note, header, footer;
};

// PrintTimeDate.
struct PrintTimeDateOptions {
    BOOL abbreviation, amPm, century, hour24;
    int dateOrder, monthForm;
    BOOL seconds;
    int separator;
    BOOL upperCase, weekday;
};

// SnapshotButton: the Screen, Window, Region, Freehand and Button switches
// and Hide in Capture.
struct SnapshotOptions {
    BOOL buttons[5];
    BOOL hideInCapture;
};

// ButtonColors: the face colour of the snapshot buttons.
struct ButtonColorOptions {
    COLORREF face;
};

// Printer: "device,driver,port" as stored (no default).
struct PrinterOptions {
    std::string text;
};

struct Options {
    ModeOptions mode;
    SessionOptions session;
    MenuOptions menu;
    FormatOptions format;
    FileOptions files;
    CaptureOptions capture;
    BlackWhiteOptions blackWhite;
    FrameOptions frame;
    ClockOptions clock;
    HotButtonOptions hotButton;
    HotKeyAssignment hotKeys;
    PrintOptions print;
    HeaderFooterOptions headerFooter;
    PrintFontOptions fonts;
    PrintTimeDateOptions printTimeDate;
    SnapshotOptions snapshot;
    ButtonColorOptions buttonColors;
    PrinterOptions printer;
};
