// libFuzzer target over the settings reader and writer: any bytes as velt.ini, four place
// values from the input's last bytes. A write must read back and leave every other key
// as it was; the sanitizers watch the buffers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/settings_rules.h"
#include "tests/stress/broken_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The place values come from the input's last bytes, so that the seed files keep
    // their heads (and their sections) intact.
    int32_t place[4] = {-8, 40, 177, 135};
    if (size >= sizeof place) {
        size -= sizeof place;
        std::memcpy(place, data + size, sizeof place);
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseSettingValue(text.c_str(), 7);
    UnpackSensingKeys(ReadIniInt(text, "Target", "Key", 0));
    UnpackHotkey(ReadIniInt(text, "Config", "HotKey", 1601));
    if (!brokenini::CheckReadAndWrite(text, place).empty()) std::abort();
    return 0;
}
