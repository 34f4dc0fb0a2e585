// The application commands that act on the settings file as a whole:
// Master Reset (32815), Load Settings (32816) and Save Settings (32817).
// XApp's command map routes the three ids here.
#pragma once

#include <string>

class AppSettings;

void RunMasterReset(AppSettings& settings);
void RunLoadSettings(AppSettings& settings);
void RunSaveSettings(AppSettings& settings);

// The copy behind Load and Save Settings: reads source whole into one
// movable global block, then creates target and writes the block to it
// unchanged. Nothing is written when the source cannot be opened or read
// in full; a missing source copies as an empty file when missingIsEmpty.
enum class SettingsCopyResult { kCopied, kNoMemory, kFailed };
SettingsCopyResult CopySettingsFile(const std::string& source, const std::string& target, bool missingIsEmpty);
