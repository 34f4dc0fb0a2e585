// The settings store: reads the keys of the settings file into an Options
// object and writes them back, one occasion at a time, through a
// SettingsProfile (the settings file in the program, a map in the tests).
// Every read, write and reset walks the key table of OptionTable.h.
//
// Values are kept exactly as stored, so writing a key back gives the text
// it had; code that needs a value in range asks the helpers at the end,
// which keep it in the range the key table gives.
#pragma once

#include "OptionTable.h"
#include "Options.h"
#include "SettingsProfile.h"

// Every option at its default, as reading an empty settings file gives.
Options DefaultOptions(const SystemDefaults& system);
// Master Reset: every option back to its default.
void ResetOptions(Options& options, const SystemDefaults& system);

// Reads Mode, Session and Menu (the start-up keys).
void ReadModeSessionMenu(SettingsProfile& profile, Options& options);
// Reads every other key (the full load's list).
void ReadAllKeys(SettingsProfile& profile, Options& options, const SystemDefaults& system);
// Reads SnapshotButton and ButtonColors.
void ReadSnapshotKeys(SettingsProfile& profile, Options& options, const SystemDefaults& system);

// Writes the keys of one occasion whole, in table order. The Capture
// Setup sheet writes its seven pages and then the exit keys.
void WriteSettings(SettingsProfile& profile, const Options& options, KeyGroup group);

// Values in range where they are used; the stored values stay as read.
int ScreenCountdownSeconds(const ScreenOptions& screen);  // 0-600
int WindowCountdownSeconds(const WindowOptions& window);  // 0-600
// Frame width 1-2000 and mat width 0-2000; the colours as stored.
FrameOptions FrameInRange(const FrameOptions& frame);
// The HotButton codes as handed to the hook library: anything outside its
// row's choices (0-6 for the left double click, 0-7 otherwise) becomes 0.
void HotButtonCodesForHook(const HotButtonOptions& hotButton, int codes[5]);
// Start pages that fit their sheets: 0-7 for Capture Setup, 0-4 for the
// print settings.
int CaptureSetupStartPage(const SendToOptions& sendTo);
int PrintSheetStartPage(const PrintOptions& print);
