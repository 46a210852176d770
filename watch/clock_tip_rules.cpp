#include "watch/clock_tip_rules.h"

#include <cstdio>

void FormatClockTipText(const std::tm* local, const ClockTipWords& words, char* text, size_t size)
{
    if (size == 0) return;
    text[0] = '\0';
    if (!local || local->tm_wday < 0 || local->tm_wday > 6 || !words.format) return;
    const char* weekday = words.weekdays[local->tm_wday];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(text, size, words.format, static_cast<unsigned>(local->tm_year + 1900),
                  static_cast<unsigned>(local->tm_mon + 1), static_cast<unsigned>(local->tm_mday),
                  weekday ? weekday : "");
#pragma GCC diagnostic pop
}
