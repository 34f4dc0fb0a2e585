// The program's settings while it runs: the live options, the settings
// file they are read from and written to, and the display facts of the
// last full load. The application object owns the one instance and hands
// it to the main frame; the shell passes on to the lower layers only the
// option structs they use.
#pragma once

#include "../framework/Display.h"
#include "../settings/Settings.h"
#include "../settings/SettingsIni_win.h"

#include <memory>
#include <string>

class AppSettings {
public:
    // Every option at its default before the first read.
    AppSettings() : options(DefaultOptions(SystemDefaults())) {}
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    Options options;
    DisplayFacts display;

    // The settings file: "KESTREL.INI" in the Windows directory, one
    // section named after the application title.
    void OpenFile();
    std::string FilePath() const;
    // Drops the system's cached copy of the file after it was deleted or
    // replaced behind the profile functions.
    void FlushFile();
    // A profile of the caller's instead of the file (tests); not owned.
    void UseProfile(SettingsProfile* profile) { m_pProfile = profile; }
    // Where reads and writes go: the file once opened, else the caller's
    // profile, else one that reads nothing and drops writes.
    SettingsProfile& Profile() { return m_pProfile ? *m_pProfile : m_none; }

    // Mode, Session and Menu.
    void ReadStartupKeys() { ReadModeSessionMenu(Profile(), options); }
    // The full load: clears the capture flags, reads the display facts and
    // every other key, hands the HotButton codes and an empty snapshot
    // rectangle to the hook library and builds the snapshot buttons.
    void ReadAll();
    // SnapshotButton and ButtonColors again, with the snapshot buttons
    // rebuilt (the Snapshot Buttons dialog's Cancel).
    void ReadSnapshot();
    // Master Reset: every option at its default.
    void Reset() { ResetOptions(options, System()); }
    void Write(KeyGroup group) { WriteSettings(Profile(), options, group); }

    // The defaults that depend on the system: the screen size of the last
    // full load, the button-face colour and the program's folder.
    SystemDefaults System() const;

private:
    std::unique_ptr<IniProfile> m_pFile;
    SettingsProfile* m_pProfile = nullptr;
    NullProfile m_none;
};
