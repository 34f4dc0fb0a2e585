// Master Reset deletes the settings file and puts every option back to its
// default before the full load; Load and Save Settings copy a whole file
// byte for byte into or out of the settings file through one movable
// global block. The settings in memory are not written first, so Save
// copies the file as it was last written.
//
// A copy is all or nothing: when the source cannot be opened or read in
// full, nothing is written (the settings file is never truncated for a
// source that failed). Only a failed allocation is reported, with
// "Insufficient memory!".
#include "SettingsCommands.h"

#include "AppSettings.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../framework/ShowMessage.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../print/CurrentPrinter.h"
#include "../resources/resource.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace {

// Largest settings file copied; a larger one counts as out of memory.
const uint64_t kMaxSettingsFileBytes = 64u << 20;

void ReloadSettings(AppSettings& settings)
{
    settings.FlushFile();
    settings.ReadStartupKeys();
    settings.ReadAll();
}

// The folder part of path (up to the last backslash).
std::string FolderOf(const std::string& path)
{
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Runs the open or save dialog for an INI file; the chosen path or "".
std::string AskForSettingsFile(const AppSettings& settings, bool save)
{
    std::string filter = LoadResourceString(IDS_FILTER_INI);
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');

    std::vector<char> name(4096, '\0');
    const std::string folder = FolderOf(settings.FilePath());
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = WinApp::MainWnd();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    return ok ? std::string(name.data()) : std::string();
}

}  // namespace

SettingsCopyResult CopySettingsFile(const std::string& source, const std::string& target, bool missingIsEmpty)
{
    File in;
    uint64_t length = 0;
    if (in.Open(source.c_str(), File::ForReading))
        length = in.Length();
    else if (!missingIsEmpty)
        return SettingsCopyResult::kFailed;
    if (length > kMaxSettingsFileBytes) return SettingsCopyResult::kNoMemory;

    OwnedBlock block;
    if (!block.Allocate(size_t(length ? length : 1))) return SettingsCopyResult::kNoMemory;
    {
        LockedBlock<BYTE> bytes(block.get());
        if (!bytes) return SettingsCopyResult::kNoMemory;
        if (length && !in.ReadExact(bytes.get(), size_t(length))) return SettingsCopyResult::kFailed;
        in.Close();

        File out;
        if (!out.Open(target.c_str(), File::ForWriting)) return SettingsCopyResult::kFailed;
        out.Write(bytes.get(), size_t(length));
        out.Close();
        if (out.WriteFailed()) return SettingsCopyResult::kFailed;
    }
    return SettingsCopyResult::kCopied;
}

void RunMasterReset(AppSettings& settings)
{
    if (ShowMessage(IDS_MASTER_RESET_PROMPT, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
    settings.FlushFile();
    DeleteFileA(settings.FilePath().c_str());
    settings.Reset();
    ReloadSettings(settings);
    ResetPrinterState();
}

void RunLoadSettings(AppSettings& settings)
{
    const std::string chosen = AskForSettingsFile(settings, false);
    if (chosen.empty()) return;
    settings.FlushFile();
    SettingsCopyResult result = CopySettingsFile(chosen, settings.FilePath(), false);
    if (result == SettingsCopyResult::kNoMemory) {
        ShowMessage(IDS_INSUFFICIENT_MEMORY, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (result == SettingsCopyResult::kCopied) ReloadSettings(settings);
}

void RunSaveSettings(AppSettings& settings)
{
    const std::string chosen = AskForSettingsFile(settings, true);
    if (chosen.empty()) return;
    settings.FlushFile();
    if (CopySettingsFile(settings.FilePath(), chosen, true) == SettingsCopyResult::kNoMemory)
        ShowMessage(IDS_INSUFFICIENT_MEMORY, MB_OK | MB_ICONEXCLAMATION);
}
