// Reads and writes single values of "velt.ini". Nothing is cached: every read goes to the
// file, every write changes that one key at once and keeps every other line as it was.
#include "settings/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/environment.h"
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

int ReadSettingInt(const char* section, const char* key, int defaultValue)
{
    std::string text;
    if (!settingsAvailable || ReadWholeFile(settingsPath, text) != FileRead::ok) return defaultValue;
    return ReadIniInt(text, section, key, defaultValue);
}

void WriteSettingNumber(const char* section, const char* key, int32_t value)
{
    if (!settingsAvailable) return;
    std::string text;
    // A file we could not read is never overwritten: its other lines would be lost.
    if (ReadWholeFile(settingsPath, text) == FileRead::failed) return;
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
    if (!ok || !MoveFileExA(temporary, settingsPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
    }
}
