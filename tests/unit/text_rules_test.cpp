// The language the program speaks, how its texts reach the system, and the string table's
// blocks.
#include "core/text_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextRules, LanguageAndItsCalls)
{
    constexpr uint16_t kJapanese = 0x0411, kEnglish = 0x0409, kGerman = 0x0407;
    struct Row {
        int32_t setting;
        uint16_t uiLanguage;
        uint32_t codePage;
        bool win9x;
        Language language;
        bool wide;
    };
    const Row rows[] = {
        {0, kJapanese, 932, false, Language::japanese, false},  // a Japanese system: as ever
        {0, kEnglish, 932, false, Language::japanese, false},   // English Windows, Japanese code page
        {0, kJapanese, 1252, false, Language::japanese, true},  // Japanese user, Western code page
        {0, kEnglish, 1252, false, Language::english, false},
        {0, kGerman, 1252, true, Language::english, false},
        {1, kEnglish, 1252, false, Language::japanese, true},   // asked for on an English system
        {1, kEnglish, 1252, true, Language::japanese, false},   // the 9x family has no wide calls
        {2, kJapanese, 932, false, Language::english, false},
        {3, kEnglish, 1252, false, Language::english, false},   // unknown values decide as 0
        {-1, kJapanese, 1252, false, Language::japanese, true},
        {0, 0x0811, 1252, false, Language::japanese, true},     // any sublanguage of Japanese
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.setting << " " << r.uiLanguage << " " << r.codePage);
        EXPECT_EQ(ChooseLanguage(r.setting, r.uiLanguage, r.codePage), r.language);
        EXPECT_EQ(NeedsWideTexts(r.language, r.codePage, r.win9x), r.wide);
    }
}

// A store of 8 bytes and a guard byte after it, which nothing may touch.
TEST(TextRules, EveryTextEndsWithinTheStore)
{
    struct Row { size_t at; int converted; size_t room, taken; };
    const Row rows[] = {
        {0, 3, 7, 4}, {0, 7, 7, 8},  // a text and its zero; one that fills the store
        {0, 0, 7, 1}, {2, 6, 5, 1},  // failed, or claiming more than the room: empty
        {7, 5, 0, 0}, {8, 5, 0, 0},  // the store full (its last byte empty), and beyond it
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.at << " " << r.converted);
        char store[] = "abcdefghG";
        EXPECT_EQ(TextRoom(8, r.at), r.room);
        EXPECT_EQ(EndStoredText(store, 8, r.at, r.converted), r.taken);
        EXPECT_EQ(store[8], 'G');
        EXPECT_EQ(r.at < 8 ? store + r.at : "", std::string("abcdefgh", r.at < 8 ? r.at : 8, r.taken ? r.taken - 1 : 0));
    }
}

TEST(TextRules, TextsOfAStringBlock)
{
    // Texts 0 "ab", 1 empty, 2 "c"; the rest of the block is cut off.
    const uint16_t block[] = {2, 'a', 'b', 0, 1, 'c', 5, 'x'};
    const uint16_t* text = nullptr;
    size_t length = 99;
    ASSERT_TRUE(TextInBlock(block, 8, 0, &text, &length));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text), length), u"ab");
    ASSERT_TRUE(TextInBlock(block, 8, 1, &text, &length));
    EXPECT_EQ(length, 0u);
    ASSERT_TRUE(TextInBlock(block, 8, 2, &text, &length));
    EXPECT_EQ(text, block + 5);
    EXPECT_EQ(length, 1u);
    length = 99;
    EXPECT_FALSE(TextInBlock(block, 8, 3, &text, &length));   // runs past the block's end
    EXPECT_FALSE(TextInBlock(block, 8, 4, &text, &length));   // beyond the last
    EXPECT_FALSE(TextInBlock(block, 8, 16, &text, &length));  // a block holds sixteen
    EXPECT_FALSE(TextInBlock(nullptr, 0, 0, &text, &length));
    EXPECT_EQ(length, 99u);
}

}  // namespace
