// Broken settings files for the tests: each seed makes one file of one kind. Plain C++,
// shared by the native rules tests and the end-to-end runs under Wine.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "settings/settings_rules.h"

namespace brokenini {

enum Kind : uint32_t {
    randomBytes,
    longLine,       // one line of 10 MB
    noLineEnds,
    nulBytes,
    utf16Bom,
    duplicates,     // sections and keys given twice
    pastTwoTo32,    // values beyond 2^32
    negative,
    keyWithoutEquals,
    unclosedSection,
    mixedLineEnds,  // CR LF, LF and lone CR in one file
    blanksAndSigns, // blanks, signs, letters and hexadecimal around the numbers
    kindCount,
};

inline const char* KindName(uint32_t kind)
{
    static const char* const names[] = {"random bytes",  "10 MB line",       "no line ends",      "NUL bytes",
                                        "UTF-16 BOM",    "duplicates",       "values past 2^32",  "negative values",
                                        "key without =", "unclosed section", "mixed line ends",   "blanks and signs"};
    return kind < kindCount ? names[kind] : "?";
}

// The keys the program reads and writes, by section.
struct Key {
    const char* section;
    const char* name;
};
inline constexpr Key kKeys[] = {{"Window", "Left"},   {"Window", "Top"},     {"Window", "Width"},  {"Window", "Height"},
                                {"Window", "Title"},  {"Window", "Alpha"},   {"Window", "Flat"},   {"Window", "Hide"},
                                {"Config", "HotKey"}, {"Config", "HotKey2"}, {"Config", "HotKey3"}, {"Config", "ReSize"},
                                {"Target", "Top"},    {"Target", "Down"},    {"Target", "Left"},   {"Target", "Right"},
                                {"Target", "Key"}};

class Maker {
public:
    explicit Maker(uint32_t seed) : random_(seed) {}

    uint32_t below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(random_); }
    const Key& key() { return kKeys[below(sizeof kKeys / sizeof kKeys[0])]; }
    std::string number()
    {
        switch (below(4)) {
        case 0: return std::to_string(below(2000));
        case 1: return std::to_string(random_());
        case 2: return "-" + std::to_string(below(100000));
        default: return std::to_string(4294967296ull + random_()) + std::to_string(below(1000000));
        }
    }
    std::string section(const char* name) { return std::string("[") + name + "]"; }
    // A plausible file: the three sections with a few keys each.
    std::string plausible(const std::string& end = "\r\n")
    {
        std::string text;
        for (const char* s : {"Window", "Config", "Target"}) {
            text += section(s) + end;
            for (const Key& k : kKeys) {
                if (k.section == std::string(s) && below(3)) text += std::string(k.name) + "=" + number() + end;
            }
        }
        return text;
    }

    std::string make(uint32_t kind)
    {
        std::string text;
        switch (kind) {
        case randomBytes:
            for (uint32_t n = below(4096); n--;) text += static_cast<char>(below(256));
            break;
        case longLine:
            text = section("Window") + "\r\nTop=" + std::string(10u << 20, '7') + "\r\nLeft=12\r\n";
            break;
        case noLineEnds:
            text = plausible(below(2) ? "" : " ");
            break;
        case nulBytes:
            text = plausible();
            for (uint32_t n = 1 + below(20); n--;) text.insert(below(static_cast<uint32_t>(text.size()) + 1), 1, '\0');
            break;
        case utf16Bom: {
            std::string narrow = plausible();
            text = "\xFF\xFE";
            for (char c : narrow) text += std::string(1, c) + '\0';
            break;
        }
        case duplicates:
            for (int i = 0; i < 3; ++i) {
                text += section(below(2) ? "Window" : "window") + "\r\n";
                for (uint32_t n = 1 + below(6); n--;) {
                    const Key& k = key();
                    text += std::string(below(2) ? k.name : "top") + "=" + number() + "\r\n";
                }
            }
            break;
        case pastTwoTo32:
        case negative:
            for (const char* s : {"Window", "Config", "Target"}) {
                text += section(s) + "\r\n";
                for (const Key& k : kKeys) {
                    if (k.section != std::string(s)) continue;
                    text += std::string(k.name) + "=" +
                            (kind == negative ? "-" + std::to_string(below(5000))
                                              : std::to_string(4294967296ull * (1 + below(1000)) + below(5000))) +
                            "\r\n";
                }
            }
            break;
        case keyWithoutEquals:
            text = section("Window") + "\r\nTop\r\nLeft 40\r\nWidth=\r\n=300\r\nHeight==5\r\n" + plausible();
            break;
        case unclosedSection:
            text = plausible() + "[Window\r\nTop=5\r\n[Config\r\n" + "HotKey=1\r\n[";
            break;
        case mixedLineEnds:
            text = section("Window") + "\rTop=3\nLeft=4\r\n\r\rWidth=200\n\r" + section("Target") + "\nKey=33";
            break;
        case blanksAndSigns:
            text = section(" Window ") + "\r\n  Top =  +44 \r\n\tLeft=\t-0x10\r\nWidth=12ab\r\nHeight= - 5\r\n" +
                   "; Alpha=1\r\n# Title=0\r\nAlpha=\xEF\xBC\x93\r\n";
            break;
        default:
            break;
        }
        return text;
    }

private:
    std::mt19937 random_;
};

// The file of a seed: its kind is the seed modulo the number of kinds.
inline std::string Make(uint32_t seed)
{
    return Maker(seed).make(seed % kindCount);
}

// Reads every key, then writes the four keys of the window's place as the ending does:
// each reads back as written and every other key reads as before. "" when all holds.
inline std::string CheckReadAndWrite(const std::string& text, const int32_t place[4])
{
    static const char* const written[] = {"Top", "Left", "Width", "Height"};
    int32_t before[sizeof kKeys / sizeof kKeys[0]];
    for (size_t i = 0; i < sizeof kKeys / sizeof kKeys[0]; ++i) {
        before[i] = ReadIniInt(text, kKeys[i].section, kKeys[i].name, -12345);
    }
    std::string updated = text;
    for (int i = 0; i < 4; ++i) updated = SetIniValue(updated, "Window", written[i], FormatSettingValue(place[i]));
    for (int i = 0; i < 4; ++i) {
        if (ReadIniInt(updated, "Window", written[i], -12345) != place[i]) {
            return std::string("Window/") + written[i] + " does not read back";
        }
    }
    for (size_t i = 0; i < sizeof kKeys / sizeof kKeys[0]; ++i) {
        const std::string section = kKeys[i].section;
        bool isWritten = false;
        for (const char* w : written) isWritten = isWritten || (section == "Window" && w == std::string(kKeys[i].name));
        if (!isWritten && ReadIniInt(updated, kKeys[i].section, kKeys[i].name, -12345) != before[i]) {
            return section + "/" + kKeys[i].name + " changed";
        }
    }
    return "";
}

}  // namespace brokenini
