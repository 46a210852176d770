// Settings file rules: value encoding, a line-preserving INI editor, hotkey and sensing-key packing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Reads a setting's value text. Every value is written as unsigned decimal, so
// the digits are taken modulo 2^32 and the 32-bit pattern is read as signed
// ("4294967288" is -8). Text we never write is read like this: leading blanks
// are skipped, one optional '+' or '-' is honoured, digits are taken up to the
// first non-digit ("0x1F" is 0, "12ab" is 12). A null value (absent key), an
// empty value, or one without any digit gives the default.
int32_t ParseSettingValue(const char* value, int32_t defaultValue);

// "%u" of the 32-bit pattern: -8 becomes "4294967288".
std::string FormatSettingValue(int32_t value);

// INI text, matched the way the profile functions do: section and key names
// without regard to ASCII case, blanks around keys and values trimmed, lines
// whose first non-blank character is ';' or '#' are comments. The first key
// line found in a section of that name counts.
std::optional<std::string> FindIniValue(const std::string& text, const char* section, const char* key);

// Returns the text with that one key set to `value`. Every other line is kept
// byte for byte. An existing key line is rewritten as "Key=value" with the key
// spelled as in the file; a missing key is added after the last non-blank line
// of its section; a missing section is added at the end of the file. Added
// lines end in CRLF unless the file already uses LF line ends.
std::string SetIniValue(const std::string& text, const char* section, const char* key,
                        const std::string& value);

// FindIniValue followed by ParseSettingValue.
int32_t ReadIniInt(const std::string& text, const char* section, const char* key, int32_t defaultValue);

// Hotkey values pack the modifier bits (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4,
// MOD_WIN 8) above the virtual-key code: value = modifiers * 256 + key.
struct HotkeyValue {
    uint32_t key;
    uint32_t modifiers;
};
int32_t PackHotkey(uint32_t modifiers, uint32_t key);
HotkeyValue UnpackHotkey(int32_t value);  // bits above 15 are ignored

// Edge-sensing modifiers are stored as the sum of the keys' virtual-key codes.
constexpr int32_t kSensingShift = 16;
constexpr int32_t kSensingCtrl = 17;
constexpr int32_t kSensingAlt = 18;

struct SensingKeys {
    bool valid;  // false: the value is none of the eight sums; no box is selected
    bool shift;
    bool ctrl;
    bool alt;
};
int32_t PackSensingKeys(bool shift, bool ctrl, bool alt);
SensingKeys UnpackSensingKeys(int32_t value);
