// The settings store: the variables with their defaults and, per key, the
// reading and writing of its value list in field order. Reading goes
// through the list reader of SettingsParse (strtok/atoi semantics, missing
// trailing fields take defaults); writing always writes a key whole.
#include "Settings.h"

#include "../capture/CaptureOptions.h"
#include "SettingsProfile.h"


using settings::FormatIntList;
using settings::ReadIntList;

int g_nRunningMode = 1;
BOOL g_bRunMinimized = FALSE;
BOOL g_bDisplayLogo = TRUE;

int g_nSessionReserved1 = 1;
int g_nSessionReserved2 = 1;
BOOL g_bShowBorderOnTop = TRUE;
BOOL g_bInvertSelection = TRUE;
COLORREF g_crFullViewBack = 8158271;  // red 63, green 124, blue 124
COLORREF g_crMergeBack = 16777215;

int g_nMenuWindow = 0;

int g_nOpenFilter = 13;
int g_nSaveFilter = 1;
BOOL g_bOpenPreview = TRUE;

std::string g_strPathNameOpen;
std::string g_strPathNameSave;
std::string g_strFileNameOpen;

int g_nMarginX = 5;
int g_nMarginY = 5;

BYTE g_bwMap[16] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 0, 1, 1};

int g_nFrameWidth = 1;
int g_nMatWidth = 0;
COLORREF g_crFrame = 0;
COLORREF g_crMat = 16777215;

ClockOptions g_clock = {TRUE, FALSE, TRUE, 0, TRUE, TRUE, FALSE, 0, 0, FALSE, 16777215};

int g_nHotButton[5] = {0, 0, 0, 0, 0};

HotKeyAssignment g_hotKeys = DefaultHotKeys();

PrintOptions g_print = {0, 1, 3, 0, 4, 1, 0, 0, 0, 1, TRUE, TRUE, TRUE};

std::string g_strHeader[3] = {"", "", "printed by Kestrel at $printtime on $printdate"};
std::string g_strFooter[3] = {"$filename,  $filetime - $filedate, $res", "", ""};

settings::FontValue g_fontNote;
settings::FontValue g_fontHeader;
settings::FontValue g_fontFooter;

PrintTimeDateOptions g_printTimeDate = {FALSE, TRUE, FALSE, FALSE, 0, 0, TRUE, 0, FALSE, TRUE};

BOOL g_bSnapshotButton[5] = {TRUE, TRUE, TRUE, FALSE, TRUE};
BOOL g_bSnapshotHideInCapture = TRUE;
COLORREF g_crButtonFace = 0xC0C0C0;

int g_nWinVersion = 0;
int g_nScreenWidth = 0;
int g_nScreenHeight = 0;
int g_nDisplayDepth = 0;
int64_t g_nColorCount = 0;
int g_nCaptionHeight = 0;
int g_nTitleFontHeight = 16;
int g_nSnapButtonWidth = 0;
int g_nSnapButtonHeight = 0;

namespace {

SettingsProfile* g_pProfile = nullptr;

// A profile that reads nothing and drops writes, so the store is safe to
// call before the program has chosen its settings file.
class NullProfile : public SettingsProfile {
public:
    std::string ReadText(const char*) override { return std::string(); }
    int ReadInt(const char*, int fallback) override { return fallback; }
    void WriteText(const char*, const std::string&) override {}
};

SettingsProfile& Profile()
{
    static NullProfile none;
    return g_pProfile ? *g_pProfile : none;
}

// Reads key as a list of count integers with their defaults.
template <int N>
void ReadList(const char* key, const int (&defaults)[N], int (&values)[N])
{
    const std::string text = Profile().ReadText(key);
    ReadIntList(text.c_str(), defaults, values, N);
}

template <int N>
void WriteList(const char* key, const int (&values)[N])
{
    Profile().WriteText(key, FormatIntList(values, N));
}

// Colours are read and written as signed 32-bit numbers ("%ld").
int Signed(COLORREF color)
{
    return int(color);
}

std::string ReadTextOr(const char* key, const char* fallback)
{
    std::string text = Profile().ReadText(key);
    return text.empty() ? std::string(fallback) : text;
}

void ReadSendtoPage()
{
    const int defaults[9] = {0, 1, 0, 0, 0, 0, 0, 5, 5};
    int v[9];
    ReadList("SendtoPage", defaults, v);
    g_nCaptureSetupPage = v[0];
    g_bSendToWindow = v[1];
    g_bSendToClipboard = v[2];
    g_bSendToPrinter = v[3];
    g_bSendToFile = v[4];
    g_nFileNaming = v[5];
    g_bUsePrintDialog = v[6];
    g_nMarginX = v[7];
    g_nMarginY = v[8];
}

void ReadCapturePage()
{
    const int defaults[7] = {0, 0, 0, 1, 0, 0, 1};
    int v[7];
    ReadList("CapturePage", defaults, v);
    g_bHideMousePointer = v[0];
    g_bHideAllWindows = v[1];
    g_bAddFrameAndMat = v[2];
    g_bBringKestrelToTop = v[3];
    g_bDisplayImageInfo = v[4];
    g_nColorOption = v[5];
    g_nNotification = v[6];
}

void ReadScreenPage(const SystemDefaults& system)
{
    const int defaults[6] = {0, 0, system.screenWidth, system.screenHeight, 0, 10};
    int v[6];
    ReadList("ScreenPage", defaults, v);
    g_rcScreenArea = RECT{v[0], v[1], v[2], v[3]};
    g_bScreenCountdown = v[4];
    g_nScreenCountdownSeconds = v[5];
}

void ReadWindowPage()
{
    const int defaults[7] = {0, 1, 1, 1, 1, 0, 10};
    int v[7];
    ReadList("WindowPage", defaults, v);
    g_nWindowChoice = v[0];
    g_bWindowFrame = v[1];
    g_bWindowWorkspace = v[2];
    g_bCaptureWithCurrent = v[3];
    g_bWindowEraseBackground = v[4];
    g_bWindowCountdown = v[5];
    g_nWindowCountdownSeconds = v[6];
}

void ReadRegionFreehandTitleMenu()
{
    const int regionDefaults[3] = {1, 1, 0};
    int r[3];
    ReadList("RegionPage", regionDefaults, r);
    g_bRegionInvertSelection = r[0];
    g_bRegionShowImageSize = r[1];
    g_crRegionPen = COLORREF(r[2]);

    const int freehandDefaults[3] = {1, 1, 0};
    int f[3];
    ReadList("FreehandPage", freehandDefaults, f);
    g_bFreehandIncludeBorder = f[0];
    g_bFreehandInvertPen = f[1];
    g_crFreehandPen = COLORREF(f[2]);

    const int titleDefaults[5] = {0, 0, 1, 1, 1};
    int t[5];
    ReadList("TitleMenuPage", titleDefaults, t);
    g_bTitleBar = t[0];
    g_bMenuBar = t[1];
    g_bPulldownMenu = t[2];
    g_bCascadingMenu = t[3];
    g_bTitleMenuEraseBackground = t[4];
}

void ReadBlackWhite()
{
    const int defaults[16] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 0, 1, 1};
    int v[16];
    ReadList("BlackWhite", defaults, v);
    for (int i = 0; i < 16; ++i) g_bwMap[i] = BYTE(v[i] & 0xFF);
}

void ReadFrame()
{
    const int defaults[4] = {1, 0, 0, 16777215};
    int v[4];
    ReadList("Frame", defaults, v);
    g_nFrameWidth = v[0];
    g_nMatWidth = v[1];
    g_crFrame = COLORREF(v[2]);
    g_crMat = COLORREF(v[3]);
}

void ReadFormat()
{
    const int defaults[4] = {13, 1, 1, 1};
    int v[4];
    ReadList("Format", defaults, v);
    g_nOpenFilter = v[0];
    g_nSaveFilter = v[1];
    g_nSendToFormat = v[2];
    g_bOpenPreview = v[3];
}

// "SystemKey1" ... "SystemKey7" for capture type index 0 ... 6.
std::string SystemKeyName(int type)
{
    return "SystemKey" + std::to_string(type + 1);
}

void ReadHotKeys()
{
    HotKeyAssignment defaults = DefaultHotKeys();
    int keys[kCaptureTypes];
    ReadList("NormalKey", defaults.normalKey, keys);
    for (int t = 0; t < kCaptureTypes; ++t) {
        g_hotKeys.normalKey[t] = keys[t];
        const std::string text = Profile().ReadText(SystemKeyName(t).c_str());
        settings::ReadSystemKey(text.c_str(), g_hotKeys.modifiers[t]);
    }
}

void ReadHotButton()
{
    const int defaults[5] = {0, 0, 0, 0, 0};
    ReadList("HotButton", defaults, g_nHotButton);
}

void ReadPrintPage()
{
    const int defaults[13] = {0, 1, 3, 0, 4, 1, 0, 0, 0, 1, 1, 1, 1};
    int v[13];
    ReadList("PrintPage", defaults, v);
    g_print = PrintOptions{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]};
}

const char* const kHeaderKeys[3] = {"HeaderLeft", "HeaderCenter", "HeaderRight"};
const char* const kFooterKeys[3] = {"FooterLeft", "FooterCenter", "FooterRight"};
const char* const kHeaderDefaults[3] = {"", "", "printed by Kestrel at $printtime on $printdate"};
const char* const kFooterDefaults[3] = {"$filename,  $filetime - $filedate, $res", "", ""};

void ReadHeaderFooter()
{
    for (int i = 0; i < 3; ++i) {
        g_strHeader[i] = ReadTextOr(kHeaderKeys[i], kHeaderDefaults[i]);
        g_strFooter[i] = ReadTextOr(kFooterKeys[i], kFooterDefaults[i]);
    }
}

struct FontSlot {
    const char* key;
    settings::FontValue* font;
    int32_t missingHeight;
};

FontSlot FontSlotOf(FontKey which)
{
    switch (which) {
    case kHeaderFont: return {"HeaderFont", &g_fontHeader, -7};
    case kFooterFont: return {"FooterFont", &g_fontFooter, -7};
    case kNoteFont:
    default: return {"NoteFont", &g_fontNote, -13};
    }
}

void ReadFonts()
{
    for (FontKey which : {kNoteFont, kHeaderFont, kFooterFont}) {
        FontSlot slot = FontSlotOf(which);
        const std::string text = Profile().ReadText(slot.key);
        settings::ReadFontValue(text.c_str(), slot.missingHeight, slot.font);
    }
}

void ReadPrintTimeDate()
{
    const int defaults[10] = {0, 1, 0, 0, 0, 0, 1, 0, 0, 1};
    int v[10];
    ReadList("PrintTimeDate", defaults, v);
    g_printTimeDate = PrintTimeDateOptions{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]};
}

void ReadClock()
{
    const int defaults[11] = {1, 0, 1, 0, 1, 1, 0, 0, 0, 0, 16777215};
    int v[11];
    ReadList("Clock", defaults, v);
    g_clock = ClockOptions{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], COLORREF(v[10])};
}

}  // namespace

void SetSettingsProfile(SettingsProfile* profile)
{
    g_pProfile = profile;
}

SettingsProfile* CurrentSettingsProfile()
{
    return g_pProfile;
}

void ReadModeSessionMenu()
{
    const int modeDefaults[3] = {1, 0, 1};
    int mode[3];
    ReadList("Mode", modeDefaults, mode);
    g_nRunningMode = mode[0];
    g_bRunMinimized = mode[1];
    g_bDisplayLogo = mode[2];

    const int sessionDefaults[6] = {1, 1, 1, 1, 8158271, 16777215};
    int session[6];
    ReadList("Session", sessionDefaults, session);
    g_nSessionReserved1 = session[0];
    g_nSessionReserved2 = session[1];
    g_bShowBorderOnTop = session[2];
    g_bInvertSelection = session[3];
    g_crFullViewBack = COLORREF(session[4]);
    g_crMergeBack = COLORREF(session[5]);

    g_nMenuWindow = Profile().ReadInt("Menu", 0);
}

void ReadAllKeys(const SystemDefaults& system)
{
    ReadSendtoPage();
    ReadCapturePage();
    ReadScreenPage(system);
    ReadWindowPage();
    ReadRegionFreehandTitleMenu();
    ReadBlackWhite();
    g_strFileNameOpen = Profile().ReadText("FileNameOpen");
    // Only a file name: a stored folder part must not move the capture file.
    g_strFileNameDirect = settings::BareFileName(Profile().ReadText("FileNameDirect"), "SHOT0000.BMP");
    g_strPathNameOpen = Profile().ReadText("PathNameOpen");
    g_strPathNameSave = Profile().ReadText("PathNameSave");
    g_strPathNameDirect = ReadTextOr("PathNameDirect", system.programFolder.c_str());
    ReadFrame();
    ReadFormat();
    ReadHotKeys();
    ReadHotButton();
    ReadPrintPage();
    ReadHeaderFooter();
    ReadFonts();
    ReadPrintTimeDate();
    ReadClock();
    ReadSnapshotKeys(system.buttonFace);
}

void ReadSnapshotKeys(COLORREF systemButtonFace)
{
    const int defaults[6] = {1, 1, 1, 0, 1, 1};
    int v[6];
    ReadList("SnapshotButton", defaults, v);
    for (int i = 0; i < 5; ++i) g_bSnapshotButton[i] = v[i];
    g_bSnapshotHideInCapture = v[5];

    const int colorDefault[1] = {Signed(systemButtonFace)};
    int color[1];
    ReadList("ButtonColors", colorDefault, color);
    g_crButtonFace = COLORREF(color[0]);
}

void WriteExitSettings()
{
    const int mode[3] = {g_nRunningMode, g_bRunMinimized, g_bDisplayLogo};
    WriteList("Mode", mode);
    const int session[6] = {g_nSessionReserved1, g_nSessionReserved2, g_bShowBorderOnTop, g_bInvertSelection,
                            Signed(g_crFullViewBack), Signed(g_crMergeBack)};
    WriteList("Session", session);
    const int menu[1] = {g_nMenuWindow};
    WriteList("Menu", menu);
    const int format[4] = {g_nOpenFilter, g_nSaveFilter, g_nSendToFormat, g_bOpenPreview};
    WriteList("Format", format);
    Profile().WriteText("PathNameOpen", g_strPathNameOpen);
    Profile().WriteText("PathNameSave", g_strPathNameSave);
    Profile().WriteText("PathNameDirect", g_strPathNameDirect);
    Profile().WriteText("FileNameOpen", g_strFileNameOpen);
    Profile().WriteText("FileNameDirect", g_strFileNameDirect);
}

void WriteCaptureSetupSettings()
{
    const int sendto[9] = {g_nCaptureSetupPage, g_bSendToWindow, g_bSendToClipboard, g_bSendToPrinter,
                           g_bSendToFile, g_nFileNaming, g_bUsePrintDialog, g_nMarginX, g_nMarginY};
    WriteList("SendtoPage", sendto);
    const int capture[7] = {g_bHideMousePointer, g_bHideAllWindows, g_bAddFrameAndMat, g_bBringKestrelToTop,
                            g_bDisplayImageInfo, g_nColorOption, g_nNotification};
    WriteList("CapturePage", capture);
    const int screen[6] = {int(g_rcScreenArea.left), int(g_rcScreenArea.top), int(g_rcScreenArea.right),
                           int(g_rcScreenArea.bottom), g_bScreenCountdown, g_nScreenCountdownSeconds};
    WriteList("ScreenPage", screen);
    const int window[7] = {g_nWindowChoice, g_bWindowFrame, g_bWindowWorkspace, g_bCaptureWithCurrent,
                           g_bWindowEraseBackground, g_bWindowCountdown, g_nWindowCountdownSeconds};
    WriteList("WindowPage", window);
    const int region[3] = {g_bRegionInvertSelection, g_bRegionShowImageSize, Signed(g_crRegionPen)};
    WriteList("RegionPage", region);
    const int titleMenu[5] = {g_bTitleBar, g_bMenuBar, g_bPulldownMenu, g_bCascadingMenu,
                              g_bTitleMenuEraseBackground};
    WriteList("TitleMenuPage", titleMenu);
    const int freehand[3] = {g_bFreehandIncludeBorder, g_bFreehandInvertPen, Signed(g_crFreehandPen)};
    WriteList("FreehandPage", freehand);
    WriteExitSettings();
}

void WriteBlackWhiteSettings()
{
    int v[16];
    for (int i = 0; i < 16; ++i) v[i] = g_bwMap[i];
    WriteList("BlackWhite", v);
}

void WriteFrameSettings()
{
    const int v[4] = {g_nFrameWidth, g_nMatWidth, Signed(g_crFrame), Signed(g_crMat)};
    WriteList("Frame", v);
}

void WriteClockSettings()
{
    const ClockOptions& c = g_clock;
    const int v[11] = {c.time,      c.date,      c.hideInCapture, c.hourFormat, c.seconds,     c.amPm,
                       c.upperCase, c.dateOrder, c.separator,     c.century,    Signed(c.color)};
    WriteList("Clock", v);
}

void WriteHotButtonSettings()
{
    WriteList("HotButton", g_nHotButton);
}

void WriteHotKeySettings()
{
    WriteList("NormalKey", g_hotKeys.normalKey);
    for (int t = 0; t < kCaptureTypes; ++t) {
        Profile().WriteText(SystemKeyName(t).c_str(), settings::FormatSystemKey(g_hotKeys.modifiers[t]));
    }
}

void WriteSnapshotSettings()
{
    const int color[1] = {Signed(g_crButtonFace)};
    WriteList("ButtonColors", color);
    const int buttons[6] = {g_bSnapshotButton[0], g_bSnapshotButton[1], g_bSnapshotButton[2],
                            g_bSnapshotButton[3], g_bSnapshotButton[4], g_bSnapshotHideInCapture};
    WriteList("SnapshotButton", buttons);
}

void WritePrintSettings()
{
    const PrintOptions& p = g_print;
    const int v[13] = {p.page,           p.copies,        p.scaling,     p.colors,         p.position,
                       p.orientation,    p.notesPlacement, p.notesFrame, p.notesAlignment, p.previewSize,
                       p.printNotes,     p.printHeader,   p.printFooter};
    WriteList("PrintPage", v);
    for (int i = 0; i < 3; ++i) {
        Profile().WriteText(kHeaderKeys[i], g_strHeader[i]);
        Profile().WriteText(kFooterKeys[i], g_strFooter[i]);
    }
}

void WriteFontSetting(FontKey which)
{
    FontSlot slot = FontSlotOf(which);
    Profile().WriteText(slot.key, settings::FormatFontValue(*slot.font));
}

void WritePrintTimeDateSettings()
{
    const PrintTimeDateOptions& d = g_printTimeDate;
    const int v[10] = {d.abbreviation, d.amPm,    d.century,   d.hour24,    d.dateOrder,
                       d.monthForm,    d.seconds, d.separator, d.upperCase, d.weekday};
    WriteList("PrintTimeDate", v);
}

void WritePrinterSetting(const std::string& device, const std::string& driver, const std::string& port)
{
    Profile().WriteText("Printer", device + "," + driver + "," + port);
}

std::string ReadPrinterSetting()
{
    return Profile().ReadText("Printer");
}

int ScreenCountdownSeconds()
{
    return settings::ClampInt(g_nScreenCountdownSeconds, 0, 600);
}

int WindowCountdownSeconds()
{
    return settings::ClampInt(g_nWindowCountdownSeconds, 0, 600);
}

void HotButtonCodesForHook(int codes[5])
{
    codes[0] = (g_nHotButton[0] >= 0 && g_nHotButton[0] <= 6) ? g_nHotButton[0] : 0;
    for (int i = 1; i < 5; ++i) codes[i] = (g_nHotButton[i] >= 0 && g_nHotButton[i] <= 7) ? g_nHotButton[i] : 0;
}

int CaptureSetupStartPage()
{
    return (g_nCaptureSetupPage >= 0 && g_nCaptureSetupPage <= 7) ? g_nCaptureSetupPage : 0;
}

int PrintSheetStartPage()
{
    return (g_print.page >= 0 && g_print.page <= 4) ? g_print.page : 0;
}
