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

// Where the settings file stands aside while a new one takes its place on systems that
// cannot replace a file in one step.
static bool AsidePath(char (&path)[kFixedTextSize + 8])
{
    int length = std::snprintf(path, sizeof path, "%s.old", settingsPath);
    return length > 0 && static_cast<size_t>(length) < sizeof path;
}

// The settings file's text. Without a velt.ini, one left aside by a replacement that was
// cut short (power loss between the two renames below) still holds the settings.
static FileRead ReadSettingsText(std::string& text)
{
    FileRead result = ReadWholeFile(settingsPath, text);
    char aside[kFixedTextSize + 8];
    if (result == FileRead::missing && AsidePath(aside)) result = ReadWholeFile(aside, text);
    return result;
}

int ReadSettingInt(const char* section, const char* key, int defaultValue)
{
    std::string text;
    if (!settingsAvailable || ReadSettingsText(text) != FileRead::ok) return defaultValue;
    return ReadIniInt(text, section, key, defaultValue);
}

static BOOL MoveReplacing(const char* from, const char* to)
{
    if (TestSwitchOn("NO_MOVEFILEEX")) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);  // as on 95, 98 and Me
        return FALSE;
    }
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// Puts the finished new file in the place of the settings file. Where MoveFileExA is not
// implemented (the 9x family), MoveFileA cannot replace a file, so the old one is first
// moved aside: at every moment velt.ini is the whole old file, the whole new one, or absent
// with the whole old one aside (which the reader then takes).
static bool TryPutInPlace(const char* temporary)
{
    if (MoveReplacing(temporary, settingsPath)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    char aside[kFixedTextSize + 8];
    if (!AsidePath(aside)) return false;
    // With no velt.ini, a file aside is what the new text was built from: it goes only
    // once the new file stands in place.
    bool hadFile = GetFileAttributesA(settingsPath) != INVALID_FILE_ATTRIBUTES;
    if (hadFile) {
        DeleteFileA(aside);
        if (!MoveFileA(settingsPath, aside)) return false;
    }
    if (!MoveFileA(temporary, settingsPath)) {
        DWORD error = GetLastError();
        if (hadFile) MoveFileA(aside, settingsPath);
        SetLastError(error);
        return false;
    }
    DeleteFileA(aside);
    return true;
}

// A file that anyone holds open, even only to read it and shared every way (a virus
// scanner, an indexer, a backup, an editor), cannot be replaced until it is let go. Such
// holds are short, so the replacement is tried again for a while before the change is
// given up; giving up at once lost the user's change to a reader's glance.
static bool PutInPlace(const char* temporary)
{
    constexpr int kAttempts = 40;
    constexpr DWORD kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        if (TryPutInPlace(temporary)) return true;
        DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kAttempts) return false;
        // A read-only file is refused the same way, for good.
        DWORD attributes = GetFileAttributesA(settingsPath);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
        Sleep(kPauseMs);
    }
}

void WriteSettingNumber(const char* section, const char* key, int32_t value)
{
    if (!settingsAvailable) return;
    std::string text;
    // A file we could not read is never overwritten: its other lines would be lost.
    if (ReadSettingsText(text) == FileRead::failed) return;
    std::string updated = SetIniValue(text, section, key, FormatSettingValue(value));

    // Written beside the file and moved over it, so a failed write leaves the old file whole.
    char temporary[kFixedTextSize + 8];
    int length = std::snprintf(temporary, sizeof temporary, "%s.new", settingsPath);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof temporary) return;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    bool ok = WriteFile(file, updated.data(), static_cast<DWORD>(updated.size()), &written, nullptr) &&
              written == updated.size();
    ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (!ok || !PutInPlace(temporary)) DeleteFileA(temporary);
}
