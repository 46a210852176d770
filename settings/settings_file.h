// The only access to the settings file "velt.ini" beside the executable.
#pragma once

#include <cstdint>

int ReadSettingInt(const char* section, const char* key, int defaultValue);
void WriteSettingNumber(const char* section, const char* key, int32_t value);
