// Reads and writes single values of "velt.ini". Nothing is cached: every read goes to the
// file, every write changes that one key at once and keeps every other line as it was.
#include "settings/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/environment.h"
#include "core/test_switches.h"
#include "settings/settings_rules.h"

enum class FileRead { ok, missing, failed };

static FileRead ReadWholeFile(const char* path, std::string& text)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::missing
                                                                               : FileRead::failed;
    }
    FileRead result = FileRead::ok;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            result = FileRead::failed;
            break;
        }
        if (got == 0) break;
        text.append(buffer, got);
    }
    CloseHandle(file);
    return result;
}

// Where a write puts its new text before it takes the place of velt.ini.
static bool TemporaryPath(char (&path)[kFixedTextSize + 8])
{
    int length = std::snprintf(path, sizeof path, "%s.new", settingsPath);
    return length > 0 && static_cast<size_t>(length) < sizeof path;
}

// The settings file's text. Without a velt.ini, a velt.ini.new is the whole new text of a
// replacement cut short between its two steps (it was flushed before velt.ini went), and
// holds the settings. Nothing else stands in for velt.ini: a file of any other name may be
// the user's own. `recovered` tells that the text came from velt.ini.new.
static FileRead ReadSettingsText(std::string& text, bool& recovered)
{
    recovered = false;
    FileRead result = ReadWholeFile(settingsPath, text);
    char temporary[kFixedTextSize + 8];
    if (result != FileRead::missing || !TemporaryPath(temporary)) return result;
    result = ReadWholeFile(temporary, text);
    recovered = result != FileRead::missing;
    return result;
}

int ReadSettingInt(const SettingKey& key, int defaultValue)
{
    std::string text;
    bool recovered = false;
    if (!settingsAvailable || ReadSettingsText(text, recovered) != FileRead::ok) return defaultValue;
    return ReadIniInt(text, key.section, key.key, defaultValue);
}

int ReadSettingInt(const Setting& setting) { return ReadSettingInt(setting, setting.defaultValue); }

// The wait for a reader that holds the file: 40 pauses of 25 ms, for one write or for the
// open group's writes together.
constexpr int kPauses = 40;
constexpr DWORD kPauseMs = 25;
static int groupPausesLeft = -1;  // -1: no group is open

SettingsWriteGroup::SettingsWriteGroup() { groupPausesLeft = kPauses; }
SettingsWriteGroup::~SettingsWriteGroup() { groupPausesLeft = -1; }

static BOOL MoveReplacing(const char* from, const char* to)
{
    if (TestSwitchOn("NO_MOVEFILEEX")) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);  // as on 95, 98 and Me
        return FALSE;
    }
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// One attempt to put the finished new file in the place of the settings file. Where
// MoveFileExA is not implemented (the 9x family), MoveFileA cannot replace a file, so
// velt.ini is deleted first (`settingsGone` then tells so) and the new file renamed: in
// between, the reader takes the whole new file under its own name.
static bool TryPutInPlace(const char* temporary, bool& settingsGone)
{
    if (MoveReplacing(temporary, settingsPath)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (!settingsGone && GetFileAttributesA(settingsPath) != INVALID_FILE_ATTRIBUTES) {
        if (!DeleteFileA(settingsPath)) return false;
        settingsGone = true;
    }
    return MoveFileA(temporary, settingsPath) != FALSE;
}

// A file that anyone holds open, even only to read it and shared every way (a virus
// scanner, an indexer, a backup, an editor), cannot be replaced until it is let go; a
// deleted one keeps its name until then. Such holds are short, so the replacement is tried
// again for a while before the change is given up; giving up at once lost the user's change
// to a reader's glance.
static bool PutInPlace(const char* temporary, bool& settingsGone)
{
    int ownPauses = kPauses;
    int& pausesLeft = groupPausesLeft >= 0 ? groupPausesLeft : ownPauses;
    for (;;) {
        if (TryPutInPlace(temporary, settingsGone)) return true;
        DWORD error = GetLastError();
        bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                    (settingsGone && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS));
        if (!held || pausesLeft == 0) return false;
        // A read-only file is refused the same way, for good.
        DWORD attributes = GetFileAttributesA(settingsPath);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
        --pausesLeft;
        Sleep(kPauseMs);
    }
}

bool WriteSettingNumber(const SettingKey& key, int32_t value)
{
    char temporary[kFixedTextSize + 8];
    if (!settingsAvailable || !TemporaryPath(temporary)) return false;
    std::string text;
    bool recovered = false;
    // A file we could not read is never overwritten: its other lines would be lost.
    if (ReadSettingsText(text, recovered) == FileRead::failed) return false;
    // A replacement cut short is finished before velt.ini.new is written afresh: until then
    // that file holds the only copy of the settings.
    bool settingsGone = false;
    if (recovered && !PutInPlace(temporary, settingsGone)) return false;
    std::string updated = SetIniValue(text, key.section, key.key, FormatSettingValue(value));

    // Written beside the file and moved over it, so a failed write leaves the old file whole.
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, updated.data(), static_cast<DWORD>(updated.size()), &written, nullptr) &&
              written == updated.size();
    ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (ok && PutInPlace(temporary, settingsGone)) return true;
    // Once velt.ini is gone, the new file is what holds the settings.
    if (!settingsGone) DeleteFileA(temporary);
    return false;
}
