// The only access to the settings file "velt.ini" beside the executable.
#pragma once

#include <cstdint>

#include "settings/settings_keys.h"

int ReadSettingInt(const Setting& setting);
// For a key whose default the system's state gives (the window's place).
int ReadSettingInt(const SettingKey& key, int defaultValue);
// True when the value is now in the file; false when it could not be written, also when the
// settings file is unavailable.
bool WriteSettingNumber(const SettingKey& key, int32_t value);

// Writes made while one of these lives share one wait for a reader that holds the file open:
// about a second in all, after which each remaining write is tried once. Without it every
// write has that second to itself. The main thread is the only one that touches the file;
// groups do not nest.
class SettingsWriteGroup {
public:
    SettingsWriteGroup();
    ~SettingsWriteGroup();
    SettingsWriteGroup(const SettingsWriteGroup&) = delete;
    SettingsWriteGroup& operator=(const SettingsWriteGroup&) = delete;
};
