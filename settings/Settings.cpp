// The settings store's occasions over the key table: which keys each read
// and write covers. Master Reset reads every key from a profile that holds
// none, so a reset is exactly what an empty settings file gives, except
// that the font fields a missing font key leaves alone are cleared too.
#include "Settings.h"

void ResetOptions(Options& options, const SystemDefaults& system)
{
    options = Options{};
    NullProfile empty;
    for (const KeyEntry& entry : OptionTable(options)) ReadKey(empty, entry, system);
}

Options DefaultOptions(const SystemDefaults& system)
{
    Options options{};
    ResetOptions(options, system);
    return options;
}

void ReadModeSessionMenu(SettingsProfile& profile, Options& options)
{
    // None of the three has a default that depends on the system.
    const SystemDefaults none;
    for (const KeyEntry& entry : OptionTable(options))
        if (entry.readAtStartup) ReadKey(profile, entry, none);
}

void ReadAllKeys(SettingsProfile& profile, Options& options, const SystemDefaults& system)
{
    for (const KeyEntry& entry : OptionTable(options))
        if (!entry.readAtStartup) ReadKey(profile, entry, system);
}

void ReadSnapshotKeys(SettingsProfile& profile, Options& options, const SystemDefaults& system)
{
    for (const KeyEntry& entry : OptionTable(options))
        if (entry.writtenWith == KeyGroup::kSnapshot) ReadKey(profile, entry, system);
}

void WriteSettings(SettingsProfile& profile, const Options& options, KeyGroup group)
{
    // The table binds to fields it may change; a copy keeps options const.
    Options copy = options;
    const std::vector<KeyEntry> table = OptionTable(copy);
    for (const KeyEntry& entry : table)
        if (entry.writtenWith == group) WriteKey(profile, entry);
    if (group == KeyGroup::kCaptureSetup)
        for (const KeyEntry& entry : table)
            if (entry.writtenWith == KeyGroup::kExit) WriteKey(profile, entry);
}

int ScreenCountdownSeconds(const ScreenOptions& screen)
{
    return ValueInRange(screen.countdownSeconds, kCountdownSeconds);
}

int WindowCountdownSeconds(const WindowOptions& window)
{
    return ValueInRange(window.countdownSeconds, kCountdownSeconds);
}

FrameOptions FrameInRange(const FrameOptions& frame)
{
    FrameOptions result = frame;
    result.frameWidth = ValueInRange(frame.frameWidth, kFrameWidth);
    result.matWidth = ValueInRange(frame.matWidth, kMatWidth);
    return result;
}

void HotButtonCodesForHook(const HotButtonOptions& hotButton, int codes[5])
{
    codes[0] = ValueInRange(hotButton.codes[0], kLeftDoubleClickColumns);
    for (int i = 1; i < 5; ++i) codes[i] = ValueInRange(hotButton.codes[i], kHotButtonCodes);
}

int CaptureSetupStartPage(const SendToOptions& sendTo)
{
    return ValueInRange(sendTo.setupPage, kCaptureSetupPages);
}

int PrintSheetStartPage(const PrintOptions& print)
{
    return ValueInRange(print.page, kPrintSheetPages);
}
