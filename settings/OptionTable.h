// The key table of the settings file: every key, in the order the program
// first writes them, with its fields in stored order, each field with its
// default (a constant or a fact of the system) and, where the code that
// uses it keeps it in range, that range; and the occasion that writes the
// key. The table is built over one Options object, so that reading,
// writing and resetting walk the very same rows: a default or a field
// position is stated once, in OptionTable.cpp.
#pragma once

#include "Options.h"
#include "SettingsProfile.h"

#include <cstdint>
#include <string>
#include <vector>

// Defaults that depend on the system, filled in by the program at each
// full load (zero, the classic button face and no folder in tests).
struct SystemDefaults {
    int screenWidth = 0, screenHeight = 0;
    COLORREF buttonFace = 0xC0C0C0;
    std::string programFolder;  // without a trailing backslash
};

enum class SystemValue { kNone, kScreenWidth, kScreenHeight, kButtonFace, kProgramFolder };

// A range that a value is kept in where it is used (the stored value stays
// as read): clamped into it, or 0 when outside it.
struct ValueRange {
    enum Rule { kAny, kClamp, kZeroOutside };
    int low, high;
    Rule rule;
};
const ValueRange kAnyValue = {0, 0, ValueRange::kAny};
const ValueRange kCountdownSeconds = {0, 600, ValueRange::kClamp};
const ValueRange kFrameWidth = {1, 2000, ValueRange::kClamp};
const ValueRange kMatWidth = {0, 2000, ValueRange::kClamp};
const ValueRange kCaptureSetupPages = {0, 7, ValueRange::kZeroOutside};
const ValueRange kPrintSheetPages = {0, 4, ValueRange::kZeroOutside};
// HotButton: the left double click stores a dialog column (None, Screen,
// Window, Region, Freehand, Pointer, Button), the others capture codes.
const ValueRange kLeftDoubleClickColumns = {0, 6, ValueRange::kZeroOutside};
const ValueRange kHotButtonCodes = {0, 7, ValueRange::kZeroOutside};

int ValueInRange(int value, const ValueRange& range);

// The occasions that write keys; each writes its keys whole, in table order.
enum class KeyGroup {
    kExit,          // at exit, the background chord and with the Capture Setup sheet
    kCaptureSetup,  // the Capture Setup sheet's seven pages
    kBlackWhite,
    kFrame,
    kClock,
    kHotButton,
    kHotKeys,       // NormalKey, SystemKey1-7
    kSnapshot,      // ButtonColors, SnapshotButton
    kPrint,         // PrintPage and the header and footer texts
    kNoteFont,
    kHeaderFont,
    kFooterFont,
    kPrintTimeDate,
    kPrinter,
};

// One number of a list key, bound to its field. Values go in and out as
// the file holds them; a SystemKey modifier is -1 in memory for 1 in the
// file ("held"), and anything else but 1 is kept as it is.
class NumberField {
public:
    template <class T>
    NumberField(T& target, int fallback, ValueRange range = kAnyValue)
        : m_target(&target), m_get(&GetAs<T>), m_set(&SetAs<T>), m_nDefault(fallback), m_range(range)
    {
    }
    template <class T>
    NumberField(T& target, SystemValue fallback)
        : m_target(&target), m_get(&GetAs<T>), m_set(&SetAs<T>), m_system(fallback)
    {
    }
    static NumberField ModifierState(int& target, int fileDefault);

    int Stored() const;
    void Store(int value) const;
    int Default(const SystemDefaults& system) const;
    const ValueRange& Range() const { return m_range; }

private:
    template <class T>
    static int GetAs(const void* target)
    {
        return int(*static_cast<const T*>(target));
    }
    // Colours wrap to their 32 bits, byte fields keep their low 8 bits.
    template <class T>
    static void SetAs(void* target, int value)
    {
        *static_cast<T*>(target) = T(value);
    }

    void* m_target;
    int (*m_get)(const void*);
    void (*m_set)(void*, int);
    int m_nDefault = 0;
    SystemValue m_system = SystemValue::kNone;
    ValueRange m_range = kAnyValue;
    bool m_bModifier = false;
};

enum class KeyKind {
    kList,      // comma-separated integers
    kInteger,   // one integer, read by the profile's own integer reader
    kText,      // text; an empty value gives the default
    kFileName,  // text kept to its bare file name
    kFont,      // thirteen numbers and a face name
};

struct KeyEntry {
    std::string key;
    KeyKind kind = KeyKind::kList;
    KeyGroup writtenWith = KeyGroup::kExit;
    bool readAtStartup = false;  // Mode, Session, Menu: read before the rest
    std::vector<NumberField> numbers;  // kList, kInteger
    std::string* text = nullptr;       // kText, kFileName
    const char* textDefault = "";
    SystemValue textSystem = SystemValue::kNone;
    settings::FontValue* font = nullptr;  // kFont
    int32_t fontMissingHeight = 0;         // the height a missing font key gets
};

// The table over options. The rows point into options; build a new table
// for another Options object.
std::vector<KeyEntry> OptionTable(Options& options);

// One key of the table read from, or written to, profile.
void ReadKey(SettingsProfile& profile, const KeyEntry& entry, const SystemDefaults& system);
void WriteKey(SettingsProfile& profile, const KeyEntry& entry);
