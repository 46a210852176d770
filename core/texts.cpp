// The texts of the chosen language, read once from the string tables.
#include "core/texts.h"

#include <windows.h>

#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "core/text_calls.h"

namespace {

// Every text, each with its terminating zero, in one store: the longest language, Japanese
// in UTF-8, takes about 4 KB.
char textStore[8192];
size_t textStart[TEXT_COUNT];
Language language = Language::japanese;

uint16_t UserUiLanguage()
{
    LANGID(WINAPI * getUserDefaultUILanguage)() = nullptr;
    if (LookUpFunction(GetModuleHandleA("kernel32.dll"), "GetUserDefaultUILanguage", getUserDefaultUILanguage)) {
        return getUserDefaultUILanguage();
    }
    return GetUserDefaultLangID();
}

// A text of the string table of `languageId`, converted into `codePage` and kept in the
// store from `at` on; the size it took there, its zero included. A text that does not fit
// stays empty. (A conversion given no room at all would only tell the size it needs.)
size_t ReadText(int id, LANGID languageId, UINT codePage, size_t at)
{
    const auto block = static_cast<WORD>(id / 16 + 1);
    HRSRC found = FindResourceExA(instance, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(block), languageId);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const uint16_t* text = nullptr;
    size_t length = 0;
    const size_t room = TextRoom(sizeof textStore, at);
    int size = 0;
    if (data && room > 0 &&
        TextInBlock(static_cast<const uint16_t*>(data), SizeofResource(instance, found) / 2,
                    static_cast<unsigned>(id % 16), &text, &length) &&
        length > 0) {
        size = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(text), static_cast<int>(length),
                                   textStore + at, static_cast<int>(room), nullptr, nullptr);
    }
    return EndStoredText(textStore, sizeof textStore, at, size);
}

}  // namespace

void LoadTexts(int32_t languageSetting)
{
    const UINT codePage = GetACP();
    const bool win9x = (GetVersion() & 0x80000000u) != 0;
    language = ChooseLanguage(languageSetting, UserUiLanguage(), codePage);
    const bool wide = NeedsWideTexts(language, codePage, win9x) && TakeWideCalls();
    LANGID languageId = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    UINT textCodePage = CP_ACP;
    if (language == Language::japanese) {
        languageId = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
        // Where neither the system nor the wide calls carry Japanese, its bytes are still
        // Japanese ones, for a font that can show them.
        if (wide) {
            textCodePage = CP_UTF8;
        } else if (IsValidCodePage(kJapaneseCodePage)) {
            textCodePage = kJapaneseCodePage;
        }
    }
    size_t at = 0;
    for (int id = 1; id < TEXT_COUNT; ++id) {
        textStart[id] = at;
        at += ReadText(id, languageId, textCodePage, at);
    }
}

Language TextLanguage() { return language; }
bool TextsNeedRoom() { return language == Language::english || GetACP() != kJapaneseCodePage; }

const char* Text(int id) { return id > 0 && id < TEXT_COUNT ? textStore + textStart[id] : ""; }
