#include "core/text_rules.h"

Language ChooseLanguage(int32_t setting, uint16_t userUiLanguage, uint32_t ansiCodePage)
{
    if (setting == 1) return Language::japanese;
    if (setting == 2) return Language::english;
    const bool japaneseInterface = (userUiLanguage & 0x3ffu) == kJapanesePrimaryLanguage;
    return japaneseInterface || ansiCodePage == kJapaneseCodePage ? Language::japanese : Language::english;
}

bool NeedsWideTexts(Language language, uint32_t ansiCodePage, bool win9xFamily)
{
    return language == Language::japanese && ansiCodePage != kJapaneseCodePage && !win9xFamily;
}

size_t TextRoom(size_t storeSize, size_t at) { return at + 1 < storeSize ? storeSize - at - 1 : 0; }

size_t EndStoredText(char* store, size_t storeSize, size_t at, int converted)
{
    if (at >= storeSize) return 0;
    const size_t room = TextRoom(storeSize, at);
    const size_t length = converted > 0 && static_cast<size_t>(converted) <= room ? static_cast<size_t>(converted) : 0;
    store[at + length] = '\0';
    return room == 0 ? 0 : length + 1;
}

bool TextInBlock(const uint16_t* block, size_t units, unsigned index, const uint16_t** text, size_t* length)
{
    if (!block || index > 15) return false;
    size_t at = 0;
    for (unsigned i = 0;; ++i) {
        if (at >= units) return false;
        const size_t size = block[at];
        if (size > units - at - 1) return false;
        if (i == index) {
            *text = block + at + 1;
            *length = size;
            return true;
        }
        at += 1 + size;
    }
}
