// Settings file rules: value encoding, a line-preserving INI editor, hotkey and sensing-key packing.
#include "settings/settings_rules.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

int32_t FromBitPattern(uint32_t bits)
{
    // Spelled out so that no conversion depends on the compiler's choice.
    if (bits <= 0x7FFFFFFFu) {
        return static_cast<int32_t>(bits);
    }
    return -static_cast<int32_t>(0xFFFFFFFFu - bits) - 1;
}

// One line of the file: [begin, contentEnd) is its text, [contentEnd, end) its line end.
struct Line {
    size_t begin;
    size_t contentEnd;
    size_t end;
};

std::vector<Line> SplitLines(const std::string& text)
{
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t newline = text.find('\n', begin);
        if (newline == std::string::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        const size_t contentEnd = (newline > begin && text[newline - 1] == '\r') ? newline - 1 : newline;
        lines.push_back({begin, contentEnd, newline + 1});
        begin = newline + 1;
    }
    return lines;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // key lines only, trimmed
};

ParsedLine ParseLine(std::string_view content)
{
    const std::string_view body = Trim(content);
    if (body.empty() || body.front() == ';' || body.front() == '#') {
        return {LineKind::Other, {}, {}};
    }
    if (body.front() == '[') {
        const size_t close = body.find(']');
        if (close == std::string_view::npos) {
            return {LineKind::Other, {}, {}};
        }
        return {LineKind::Section, Trim(body.substr(1, close - 1)), {}};
    }
    const size_t equals = body.find('=');
    if (equals == std::string_view::npos) {
        return {LineKind::Other, {}, {}};
    }
    return {LineKind::Key, Trim(body.substr(0, equals)), Trim(body.substr(equals + 1))};
}

std::string_view Content(const std::string& text, const Line& line)
{
    return std::string_view(text).substr(line.begin, line.contentEnd - line.begin);
}

constexpr size_t kNoLine = static_cast<size_t>(-1);

// Index of the first line holding `key` inside a section called `section`, or kNoLine.
size_t FindKeyLine(const std::string& text, const std::vector<Line>& lines, std::string_view section,
                 std::string_view key)
{
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(Content(text, lines[i]));
        if (parsed.kind == LineKind::Section) {
            inSection = SameName(parsed.name, section);
        } else if (inSection && parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
            return i;
        }
    }
    return kNoLine;
}

// New lines follow the file's own line ends; an empty file gets the Windows CRLF.
const char* LineEndOf(const std::string& text)
{
    const size_t newline = text.find('\n');
    if (newline != std::string::npos && (newline == 0 || text[newline - 1] != '\r')) {
        return "\n";
    }
    return "\r\n";
}

}  // namespace

int32_t ParseSettingValue(const char* value, int32_t defaultValue)
{
    if (value == nullptr) {
        return defaultValue;
    }
    const char* p = value;
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') {
        return defaultValue;
    }
    uint32_t bits = 0;  // unsigned arithmetic wraps modulo 2^32 by definition
    for (; *p >= '0' && *p <= '9'; ++p) {
        bits = bits * 10u + static_cast<uint32_t>(*p - '0');
    }
    return FromBitPattern(negative ? 0u - bits : bits);
}

std::string FormatSettingValue(int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(static_cast<uint32_t>(value)));
    return buffer;
}

std::optional<std::string> FindIniValue(const std::string& text, const char* section, const char* key)
{
    const std::vector<Line> lines = SplitLines(text);
    const size_t index = FindKeyLine(text, lines, section, key);
    if (index == kNoLine) {
        return std::nullopt;
    }
    return std::string(ParseLine(Content(text, lines[index])).value);
}

std::string SetIniValue(const std::string& text, const char* section, const char* key,
                        const std::string& value)
{
    const std::vector<Line> lines = SplitLines(text);
    const std::string lineEnd = LineEndOf(text);

    const size_t keyIndex = FindKeyLine(text, lines, section, key);
    if (keyIndex != kNoLine) {
        const Line& line = lines[keyIndex];
        const std::string_view spelledKey = ParseLine(Content(text, line)).name;
        std::string result = text.substr(0, line.begin);
        result.append(spelledKey.data(), spelledKey.size()).append("=").append(value);
        result.append(text, line.contentEnd, std::string::npos);
        return result;
    }

    const std::string keyLine = std::string(key) + "=" + value + lineEnd;
    size_t lastOfSection = kNoLine;  // last non-blank line of the first section with that name
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content = Content(text, lines[i]);
        const ParsedLine parsed = ParseLine(content);
        if (parsed.kind == LineKind::Section) {
            if (lastOfSection != kNoLine) {
                break;
            }
            inSection = SameName(parsed.name, section);
        }
        if (inSection && !Trim(content).empty()) {
            lastOfSection = i;
        }
    }
    if (lastOfSection != kNoLine) {
        const Line& line = lines[lastOfSection];
        std::string result = text;
        // A last line without a line end gets one before the new key.
        result.insert(line.end, (line.end == line.contentEnd ? lineEnd : std::string()) + keyLine);
        return result;
    }

    std::string result = text;
    if (!result.empty() && result.back() != '\n') {
        result += lineEnd;
    }
    result.append("[").append(section).append("]").append(lineEnd).append(keyLine);
    return result;
}

int32_t ReadIniInt(const std::string& text, const char* section, const char* key, int32_t defaultValue)
{
    const std::optional<std::string> value = FindIniValue(text, section, key);
    return ParseSettingValue(value ? value->c_str() : nullptr, defaultValue);
}

int32_t PackHotkey(uint32_t modifiers, uint32_t key)
{
    return FromBitPattern((modifiers & 255u) * 256u + (key & 255u));
}

HotkeyValue UnpackHotkey(int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    return {bits & 255u, (bits / 256u) & 255u};
}

int32_t PackSensingKeys(bool shift, bool ctrl, bool alt)
{
    return (shift ? kSensingShift : 0) + (ctrl ? kSensingCtrl : 0) + (alt ? kSensingAlt : 0);
}

SensingKeys UnpackSensingKeys(int32_t value)
{
    // Any value that is not one of the eight sums selects no key at all.
    for (int mask = 0; mask < 8; ++mask) {
        const bool shift = (mask & 1) != 0;
        const bool ctrl = (mask & 2) != 0;
        const bool alt = (mask & 4) != 0;
        if (PackSensingKeys(shift, ctrl, alt) == value) {
            return {true, shift, ctrl, alt};
        }
    }
    return {false, false, false, false};
}
