// The program's options outside the capture engine, as process-wide
// variables with their defaults, and the readers and writers of the
// settings file's keys (one section, written key by key). The capture
// options are in capture/CaptureOptions.h; the readers here fill them too.
//
// Values are kept exactly as stored, so writing a key back gives the text
// it had; code that needs a value in range clamps it where it uses it
// (the helpers at the end). Portable: the file access goes through
// SettingsProfile; Settings_win.cpp adds the display facts, the hook
// library and the window classes.
#pragma once

#include "../framework/kernel.h"
#include "HotKey.h"
#include "SettingsParse.h"

#include <cstdint>
#include <string>

// Mode: running mode (0 background, 1 foreground), Run Minimized, Display Logo Box.
extern int g_nRunningMode;
extern BOOL g_bRunMinimized;
extern BOOL g_bDisplayLogo;

// Session: two reserved fields kept for writing back, Show Border on Top
// Image, Invert Selection, full-screen background and merge background.
extern int g_nSessionReserved1;
extern int g_nSessionReserved2;
extern BOOL g_bShowBorderOnTop;
extern BOOL g_bInvertSelection;
extern COLORREF g_crFullViewBack;
extern COLORREF g_crMergeBack;

// Menu: the handle of the system's pop-up menu window as a number
// (0 until recorded). Handles are 32-bit on the program's platform.
extern int g_nMenuWindow;

// Format: Open filter index (13 All Formats), Save As filter index (1),
// Open dialog Preview; the Send To File index is g_nSendToFormat.
extern int g_nOpenFilter;
extern int g_nSaveFilter;
extern BOOL g_bOpenPreview;

extern std::string g_strPathNameOpen;
extern std::string g_strPathNameSave;
extern std::string g_strFileNameOpen;

// SendtoPage's display margins in pixels (5, 5).
extern int g_nMarginX;
extern int g_nMarginY;

// BlackWhite: per standard colour 0 black or 1 white (low 8 bits kept).
extern BYTE g_bwMap[16];

// Frame: frame and mat width in pixels, frame and mat colours.
extern int g_nFrameWidth;
extern int g_nMatWidth;
extern COLORREF g_crFrame;
extern COLORREF g_crMat;

// Clock, in key order.
struct ClockOptions {
    BOOL time, date, hideInCapture;
    int hourFormat;  // 0 12 Hour, 1 24 Hour
    BOOL seconds, amPm, upperCase;
    int dateOrder;   // 0 MDY, 1 DMY, 2 YMD
    int separator;   // 0 slash, 1 hyphen, 2 full stop
    BOOL century;
    COLORREF color;
};
extern ClockOptions g_clock;

// HotButton: left double click (dialog column 0-6), middle single,
// middle double, right single, right double (capture codes 0-7).
extern int g_nHotButton[5];

// NormalKey and SystemKey1-7.
extern HotKeyAssignment g_hotKeys;

// PrintPage, in key order.
struct PrintOptions {
    int page, copies, scaling, colors, position, orientation;
    int notesPlacement, notesFrame, notesAlignment, previewSize;
    BOOL printNotes, printHeader, printFooter;
};
extern PrintOptions g_print;

// HeaderLeft, HeaderCenter, HeaderRight, FooterLeft, FooterCenter, FooterRight.
extern std::string g_strHeader[3];
extern std::string g_strFooter[3];

// NoteFont, HeaderFont, FooterFont.
extern settings::FontValue g_fontNote;
extern settings::FontValue g_fontHeader;
extern settings::FontValue g_fontFooter;

// PrintTimeDate, in key order.
struct PrintTimeDateOptions {
    BOOL abbreviation, amPm, century, hour24;
    int dateOrder, monthForm;
    BOOL seconds;
    int separator;
    BOOL upperCase, weekday;
};
extern PrintTimeDateOptions g_printTimeDate;

// SnapshotButton: Screen, Window, Region, Freehand, Button switches and
// Hide in Capture; ButtonColors: the face colour.
extern BOOL g_bSnapshotButton[5];
extern BOOL g_bSnapshotHideInCapture;
extern COLORREF g_crButtonFace;

// Display facts, read at every full load (not stored in the file).
extern int g_nWinVersion;       // low word of the version query; low byte = major
extern int g_nScreenWidth;
extern int g_nScreenHeight;
extern int g_nDisplayDepth;     // planes x bits per pixel
extern int64_t g_nColorCount;   // 1 << depth
extern int g_nCaptionHeight;
extern int g_nTitleFontHeight;  // face "System": 19 when the caption exceeds 20, else 16
extern int g_nSnapButtonWidth;  // caption height - 4
extern int g_nSnapButtonHeight; // caption height - 6

// Facts the portable readers need from the system.
struct SystemDefaults {
    int screenWidth = 0, screenHeight = 0;
    COLORREF buttonFace = 0xC0C0C0;
    std::string programFolder;  // without a trailing backslash
};

// Reads Mode, Session and Menu.
void ReadModeSessionMenu();
// Reads every other key (the list of the full load), with the defaults
// that depend on the system. Win32 callers use ReadAllSettings.
void ReadAllKeys(const SystemDefaults& system);
// Reads SnapshotButton and ButtonColors.
void ReadSnapshotKeys(COLORREF systemButtonFace);
// Full load in the program: display facts, capture flags, all keys, the
// hook library's HotButton codes and empty snapshot rectangle (Settings_win.cpp).
void ReadAllSettings();

// Reads SnapshotButton and ButtonColors again and rebuilds the snapshot
// buttons (the Snapshot Buttons dialog's Cancel; Settings_win.cpp).
void ReadSnapshotSettings();

// The settings file: "KESTREL.INI" in the Windows directory, section named
// after the application title. InitSettingsFile makes it the profile of
// every reader and writer; Flush drops the system's cached copy after the
// file was deleted or replaced (Settings_win.cpp).
void InitSettingsFile();
std::string SettingsFilePath();
void FlushSettingsFile();

// Registers the program's window classes in order and creates the hidden
// cover window; false at the first failure (later classes are then not
// registered). The full-screen view's generated class name is kept in
// g_strFullViewClass (Settings_win.cpp).
bool RegisterWindowClasses();
extern std::string g_strFullViewClass;

// Writers, one per occasion; each writes its keys whole.
void WriteExitSettings();          // Mode, Session, Menu, Format, the paths and file names
void WriteCaptureSetupSettings();  // the seven page keys and the exit keys
void WriteBlackWhiteSettings();
void WriteFrameSettings();
void WriteClockSettings();
void WriteHotButtonSettings();
void WriteHotKeySettings();        // NormalKey, SystemKey1-7
void WriteSnapshotSettings();      // SnapshotButton, ButtonColors
void WritePrintSettings();         // PrintPage and the six header and footer texts
enum FontKey { kNoteFont, kHeaderFont, kFooterFont };
void WriteFontSetting(FontKey which);
void WritePrintTimeDateSettings();
// Printer: "device,driver,port"; read as the raw text.
void WritePrinterSetting(const std::string& device, const std::string& driver, const std::string& port);
std::string ReadPrinterSetting();

// Values in range where they are used; the stored values stay as read.
int ScreenCountdownSeconds();      // 0-600
int WindowCountdownSeconds();      // 0-600
// The HotButton codes as handed to the hook library: anything outside its
// row's choices (0-6 for the left double click, 0-7 otherwise) becomes 0.
void HotButtonCodesForHook(int codes[5]);
// Start pages that fit their sheets: 0-7 for Capture Setup, 0-4 for the
// print settings.
int CaptureSetupStartPage();
int PrintSheetStartPage();
