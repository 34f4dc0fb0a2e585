// The key table and the reading and writing of one key. Reading goes
// through the list reader of SettingsParse (strtok/atoi semantics, missing
// trailing fields take their defaults); writing always writes a key whole.
#include "OptionTable.h"

#include <utility>

using settings::FormatIntList;
using settings::ReadIntList;

int ValueInRange(int value, const ValueRange& range)
{
    switch (range.rule) {
    case ValueRange::kClamp: return settings::ClampInt(value, range.low, range.high);
    case ValueRange::kZeroOutside: return value >= range.low && value <= range.high ? value : 0;
    case ValueRange::kAny:
    default: return value;
    }
}

NumberField NumberField::ModifierState(int& target, int fileDefault)
{
    NumberField field(target, fileDefault);
    field.m_bModifier = true;
    return field;
}

int NumberField::Stored() const
{
    const int value = m_get(m_target);
    return m_bModifier ? settings::SystemKeyToFile(value) : value;
}

void NumberField::Store(int value) const
{
    m_set(m_target, m_bModifier ? settings::SystemKeyFromFile(value) : value);
}

namespace {

int SystemNumber(SystemValue which, const SystemDefaults& system)
{
    switch (which) {
    case SystemValue::kScreenWidth: return system.screenWidth;
    case SystemValue::kScreenHeight: return system.screenHeight;
    // Colours are stored as signed 32-bit numbers ("%ld").
    case SystemValue::kButtonFace: return int(system.buttonFace);
    default: return 0;
    }
}

}  // namespace

int NumberField::Default(const SystemDefaults& system) const
{
    return m_system == SystemValue::kNone ? m_nDefault : SystemNumber(m_system, system);
}

namespace {

KeyEntry Entry(std::string key, KeyKind kind, KeyGroup group)
{
    KeyEntry entry;
    entry.key = std::move(key);
    entry.kind = kind;
    entry.writtenWith = group;
    return entry;
}

KeyEntry List(std::string key, KeyGroup group, std::vector<NumberField> numbers)
{
    KeyEntry entry = Entry(std::move(key), KeyKind::kList, group);
    entry.numbers = std::move(numbers);
    return entry;
}

KeyEntry Integer(std::string key, KeyGroup group, NumberField number)
{
    KeyEntry entry = Entry(std::move(key), KeyKind::kInteger, group);
    entry.numbers.push_back(number);
    return entry;
}

KeyEntry Text(std::string key, KeyGroup group, std::string& target, const char* fallback)
{
    KeyEntry entry = Entry(std::move(key), KeyKind::kText, group);
    entry.text = &target;
    entry.textDefault = fallback;
    return entry;
}

KeyEntry Text(std::string key, KeyGroup group, std::string& target, SystemValue fallback)
{
    KeyEntry entry = Text(std::move(key), group, target, "");
    entry.textSystem = fallback;
    return entry;
}

// Only a file name is kept: a stored folder part must not move the file.
KeyEntry FileName(std::string key, KeyGroup group, std::string& target, const char* fallback)
{
    KeyEntry entry = Text(std::move(key), group, target, fallback);
    entry.kind = KeyKind::kFileName;
    return entry;
}

KeyEntry Font(std::string key, KeyGroup group, settings::FontValue& font, int32_t missingHeight)
{
    KeyEntry entry = Entry(std::move(key), KeyKind::kFont, group);
    entry.font = &font;
    entry.fontMissingHeight = missingHeight;
    return entry;
}

// The standard colours in order (black, maroon, green, olive, navy,
// purple, teal, gray, silver, red, lime, yellow, blue, fuchsia, aqua,
// white): gray, silver, lime, yellow, aqua and white map to white.
const int kBlackWhiteDefaults[16] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 0, 1, 1};
const int kSnapshotButtonDefaults[5] = {1, 1, 1, 0, 1};  // all but Freehand
const int kNormalKeyFirst = 17;  // key-table index of the top row's 1; Ctrl+1 ... Ctrl+7

}  // namespace

std::vector<KeyEntry> OptionTable(Options& o)
{
    using G = KeyGroup;
    std::vector<KeyEntry> t;

    t.push_back(List("Mode", G::kExit, {{o.mode.runningMode, 1}, {o.mode.runMinimized, 0}, {o.mode.displayLogo, 1}}));
    const COLORREF fullViewBack = 8158271;  // red 63, green 124, blue 124
    t.push_back(List("Session", G::kExit,
                     {{o.session.reserved1, 1}, {o.session.reserved2, 1}, {o.session.showBorderOnTop, 1},
                      {o.session.invertSelection, 1}, {o.session.fullViewBack, int(fullViewBack)},
                      {o.session.mergeBack, 16777215}}));
    t.push_back(Integer("Menu", G::kExit, {o.menu.window, 0}));
    for (KeyEntry& entry : t) entry.readAtStartup = true;
    t.push_back(List("Format", G::kExit,  // 13 "All Formats", 1 BMP, 1 BMP, Preview on
                     {{o.format.openFilter, 13}, {o.format.saveFilter, 1}, {o.format.sendToFormat, 1},
                      {o.format.openPreview, 1}}));
    t.push_back(Text("PathNameOpen", G::kExit, o.files.pathNameOpen, ""));
    t.push_back(Text("PathNameSave", G::kExit, o.files.pathNameSave, ""));
    t.push_back(Text("PathNameDirect", G::kExit, o.files.pathNameDirect, SystemValue::kProgramFolder));
    t.push_back(Text("FileNameOpen", G::kExit, o.files.fileNameOpen, ""));
    t.push_back(FileName("FileNameDirect", G::kExit, o.files.fileNameDirect, "SHOT0000.BMP"));

    CaptureOptions& c = o.capture;
    t.push_back(List("SendtoPage", G::kCaptureSetup,
                     {{c.sendTo.setupPage, 0, kCaptureSetupPages}, {c.sendTo.window, 1}, {c.sendTo.clipboard, 0},
                      {c.sendTo.printer, 0}, {c.sendTo.file, 0}, {c.sendTo.fileNaming, kAugmentFileName},
                      {c.sendTo.usePrintDialog, 0}, {c.sendTo.marginX, 5}, {c.sendTo.marginY, 5}}));
    t.push_back(List("CapturePage", G::kCaptureSetup,
                     {{c.capture.hideMousePointer, 0}, {c.capture.hideAllWindows, 0}, {c.capture.addFrameAndMat, 0},
                      {c.capture.bringKestrelToTop, 1}, {c.capture.displayImageInfo, 0},
                      {c.capture.colorOption, kColorAsIs}, {c.capture.notification, kFlashCenterIn}}));
    t.push_back(List("ScreenPage", G::kCaptureSetup,  // the whole screen, no countdown
                     {{c.screen.area.left, 0}, {c.screen.area.top, 0}, {c.screen.area.right, SystemValue::kScreenWidth},
                      {c.screen.area.bottom, SystemValue::kScreenHeight}, {c.screen.countdown, 0},
                      {c.screen.countdownSeconds, 10, kCountdownSeconds}}));
    t.push_back(List("WindowPage", G::kCaptureSetup,
                     {{c.window.choice, kActiveWindow}, {c.window.frame, 1}, {c.window.workspace, 1},
                      {c.window.captureWithCurrent, 1}, {c.window.eraseBackground, 1}, {c.window.countdown, 0},
                      {c.window.countdownSeconds, 10, kCountdownSeconds}}));
    t.push_back(List("RegionPage", G::kCaptureSetup,
                     {{c.region.invertSelection, 1}, {c.region.showImageSize, 1}, {c.region.pen, 0}}));
    t.push_back(List("TitleMenuPage", G::kCaptureSetup,
                     {{c.titleMenu.titleBar, 0}, {c.titleMenu.menuBar, 0}, {c.titleMenu.pulldownMenu, 1},
                      {c.titleMenu.cascadingMenu, 1}, {c.titleMenu.eraseBackground, 1}}));
    t.push_back(List("FreehandPage", G::kCaptureSetup,
                     {{c.freehand.includeBorder, 1}, {c.freehand.invertPen, 1}, {c.freehand.pen, 0}}));

    std::vector<NumberField> blackWhite;
    for (int i = 0; i < 16; ++i) blackWhite.push_back({o.blackWhite.map[i], kBlackWhiteDefaults[i]});
    t.push_back(List("BlackWhite", G::kBlackWhite, std::move(blackWhite)));
    t.push_back(List("Frame", G::kFrame,
                     {{o.frame.frameWidth, 1, kFrameWidth},
                      {o.frame.matWidth, 0, kMatWidth},
                      {o.frame.frame, 0},
                      {o.frame.mat, 16777215}}));
    t.push_back(List("Clock", G::kClock,  // the time with seconds and am/pm, no date
                     {{o.clock.time, 1}, {o.clock.date, 0}, {o.clock.hideInCapture, 1}, {o.clock.hourFormat, 0},
                      {o.clock.seconds, 1}, {o.clock.amPm, 1}, {o.clock.upperCase, 0}, {o.clock.dateOrder, 0},
                      {o.clock.separator, 0}, {o.clock.century, 0}, {o.clock.color, 16777215}}));
    t.push_back(List("HotButton", G::kHotButton,
                     {{o.hotButton.codes[0], 0, kLeftDoubleClickColumns}, {o.hotButton.codes[1], 0, kHotButtonCodes},
                      {o.hotButton.codes[2], 0, kHotButtonCodes}, {o.hotButton.codes[3], 0, kHotButtonCodes},
                      {o.hotButton.codes[4], 0, kHotButtonCodes}}));

    std::vector<NumberField> normalKeys;
    for (int type = 0; type < kCaptureTypes; ++type)
        normalKeys.push_back({o.hotKeys.normalKey[type], kNormalKeyFirst + type});
    t.push_back(List("NormalKey", G::kHotKeys, std::move(normalKeys)));
    for (int type = 0; type < kCaptureTypes; ++type) {
        int* states = o.hotKeys.modifiers[type];
        t.push_back(List("SystemKey" + std::to_string(type + 1), G::kHotKeys,
                         {NumberField::ModifierState(states[kModEsc], 0),
                          NumberField::ModifierState(states[kModShift], 0),
                          NumberField::ModifierState(states[kModCtrl], 1),
                          NumberField::ModifierState(states[kModAlt], 0)}));
    }

    t.push_back(List("ButtonColors", G::kSnapshot, {{o.buttonColors.face, SystemValue::kButtonFace}}));
    std::vector<NumberField> snapshot;
    for (int i = 0; i < 5; ++i) snapshot.push_back({o.snapshot.buttons[i], kSnapshotButtonDefaults[i]});
    snapshot.push_back({o.snapshot.hideInCapture, 1});
    t.push_back(List("SnapshotButton", G::kSnapshot, std::move(snapshot)));

    t.push_back(List("PrintPage", G::kPrint,
                     {{o.print.page, 0, kPrintSheetPages}, {o.print.copies, 1}, {o.print.scaling, 3},
                      {o.print.colors, 0}, {o.print.position, 4}, {o.print.orientation, 1},
                      {o.print.notesPlacement, 0}, {o.print.notesFrame, 0}, {o.print.notesAlignment, 0},
                      {o.print.previewSize, 1}, {o.print.printNotes, 1}, {o.print.printHeader, 1},
                      {o.print.printFooter, 1}}));
    HeaderFooterOptions& texts = o.headerFooter;
    t.push_back(Text("HeaderLeft", G::kPrint, texts.header[0], ""));
    t.push_back(Text("FooterLeft", G::kPrint, texts.footer[0], "$filename,  $filetime - $filedate, $res"));
    t.push_back(Text("HeaderCenter", G::kPrint, texts.header[1], ""));
    t.push_back(Text("FooterCenter", G::kPrint, texts.footer[1], ""));
    t.push_back(Text("HeaderRight", G::kPrint, texts.header[2], "printed by Kestrel at $printtime on $printdate"));
    t.push_back(Text("FooterRight", G::kPrint, texts.footer[2], ""));
    t.push_back(Font("NoteFont", G::kNoteFont, o.fonts.note, -13));
    t.push_back(Font("HeaderFont", G::kHeaderFont, o.fonts.header, -7));
    t.push_back(Font("FooterFont", G::kFooterFont, o.fonts.footer, -7));
    t.push_back(List("PrintTimeDate", G::kPrintTimeDate,
                     {{o.printTimeDate.abbreviation, 0}, {o.printTimeDate.amPm, 1}, {o.printTimeDate.century, 0},
                      {o.printTimeDate.hour24, 0}, {o.printTimeDate.dateOrder, 0}, {o.printTimeDate.monthForm, 0},
                      {o.printTimeDate.seconds, 1}, {o.printTimeDate.separator, 0}, {o.printTimeDate.upperCase, 0},
                      {o.printTimeDate.weekday, 1}}));
    t.push_back(Text("Printer", G::kPrinter, o.printer.text, ""));
    return t;
}

void ReadKey(SettingsProfile& profile, const KeyEntry& entry, const SystemDefaults& system)
{
    const char* key = entry.key.c_str();
    switch (entry.kind) {
    case KeyKind::kList: {
        const std::string text = profile.ReadText(key);
        const size_t count = entry.numbers.size();
        std::vector<int> defaults(count), values(count);
        for (size_t i = 0; i < count; ++i) defaults[i] = entry.numbers[i].Default(system);
        ReadIntList(text.c_str(), defaults.data(), values.data(), int(count));
        for (size_t i = 0; i < count; ++i) entry.numbers[i].Store(values[i]);
        break;
    }
    case KeyKind::kInteger: {
        const NumberField& number = entry.numbers.front();
        number.Store(profile.ReadInt(key, number.Default(system)));
        break;
    }
    case KeyKind::kText:
    case KeyKind::kFileName: {
        const std::string fallback =
            entry.textSystem == SystemValue::kProgramFolder ? system.programFolder : entry.textDefault;
        const std::string text = profile.ReadText(key);
        if (entry.kind == KeyKind::kFileName)
            *entry.text = settings::BareFileName(text, fallback.c_str());
        else
            *entry.text = text.empty() ? fallback : text;
        break;
    }
    case KeyKind::kFont: {
        const std::string text = profile.ReadText(key);
        settings::ReadFontValue(text.c_str(), entry.fontMissingHeight, entry.font);
        break;
    }
    }
}

void WriteKey(SettingsProfile& profile, const KeyEntry& entry)
{
    const char* key = entry.key.c_str();
    switch (entry.kind) {
    case KeyKind::kList:
    case KeyKind::kInteger: {
        std::vector<int> values;
        for (const NumberField& number : entry.numbers) values.push_back(number.Stored());
        profile.WriteText(key, FormatIntList(values.data(), int(values.size())));
        break;
    }
    case KeyKind::kText:
    case KeyKind::kFileName: profile.WriteText(key, *entry.text); break;
    case KeyKind::kFont: profile.WriteText(key, settings::FormatFontValue(*entry.font)); break;
    }
}
