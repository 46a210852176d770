// The text of the program's own clock tooltip: today's date and weekday in Japanese.
#pragma once

#include <cstddef>
#include <ctime>

// "<year>年<month>月<day>日", a line feed, a carriage return, "<weekday>曜日" into `text`
// (cut to `size`). A time the C library could not break down (null), or one whose
// weekday lies outside 0..6, gives an empty text.
void FormatClockTipText(const std::tm* local, char* text, size_t size);
