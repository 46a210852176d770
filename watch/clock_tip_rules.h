// The text of the program's own clock tooltip in Japanese: today's date and weekday.
#pragma once

#include <cstddef>
#include <ctime>

struct ClockTipWords {
    const char* format;       // printf format of year, month, day (unsigned) and weekday (text)
    const char* weekdays[7];  // from Sunday
};

// The date and weekday of `local` through `words` into `text` (cut to `size`), in Japanese
// "<year>年<month>月<day>日", a line feed, a carriage return, "<weekday>曜日". A time the C
// library could not break down (null), or one whose weekday lies outside 0..6, gives an
// empty text.
void FormatClockTipText(const std::tm* local, const ClockTipWords& words, char* text, size_t size);
