// The program's texts in the language it speaks. They are held as bytes of the ANSI code
// page (Japanese in code page 932 where the system's is 932, English in plain ASCII), or,
// where Japanese must pass through the wide calls (core/text_calls.h), in UTF-8, which those
// calls widen on the way.
#pragma once

#include <cstdint>

#include "core/text_ids.h"
#include "core/text_rules.h"

// Chooses the language (`languageSetting` is the key "Language"), and with it the calls
// that carry its texts, and reads its texts from the string tables. Once at start, before
// any text is used.
void LoadTexts(int32_t languageSetting);
Language TextLanguage();
// False only for the Japanese texts in code page 932, which the windows were laid out for;
// any other texts, in whatever font shows them, are measured and given room.
bool TextsNeedRoom();
// The text with that number in the chosen language; empty for a number it lacks.
const char* Text(int id);
