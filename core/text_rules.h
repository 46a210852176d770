// The choice of the language the program speaks, and how its texts reach the system.
#pragma once

#include <cstddef>
#include <cstdint>

enum class Language : uint8_t { japanese, english };

constexpr uint16_t kJapanesePrimaryLanguage = 0x11;
constexpr uint32_t kJapaneseCodePage = 932;

// The key "Language": 1 Japanese, 2 English; 0 and any other value leave the choice to the
// system: Japanese for a Japanese user interface or the Japanese ANSI code page, English
// for everyone else.
Language ChooseLanguage(int32_t setting, uint16_t userUiLanguage, uint32_t ansiCodePage);

// Japanese cannot pass through the ANSI calls of a system whose code page is not Japanese;
// the NT family then takes it through the wide calls. The 9x family has none that work,
// and English is plain ASCII, which every code page carries.
bool NeedsWideTexts(Language language, uint32_t ansiCodePage, bool win9xFamily);

// The texts are kept one after the other, each with its zero, in one store of `storeSize`
// bytes. The room that a text begun at `at` may fill: all that is left but the byte for its
// zero; 0 once the store is full, whose last byte is then the empty text where every later
// one begins.
size_t TextRoom(size_t storeSize, size_t at);
// Ends the text that a conversion of `converted` bytes (0 or less: it failed) left at `at`
// and returns what the text takes of the store. A failed conversion, or one that claims more
// than the room, leaves the text empty, whatever it wrote there; nothing is written past the
// store.
size_t EndStoredText(char* store, size_t storeSize, size_t at, int converted);

// A string table resource stores its texts in blocks of sixteen, each a length in UTF-16
// units followed by that many units. The text at `index` (0..15) of a block of `units`
// units; false, with nothing set, when the block ends before it.
bool TextInBlock(const uint16_t* block, size_t units, unsigned index, const uint16_t** text, size_t* length);
