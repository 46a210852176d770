#include "watch/clock_tip_rules.h"

#include <cstdio>

const char* const WeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

void FormatClockTipText(const std::tm* local, char* text, size_t size)
{
    if (size == 0) return;
    text[0] = '\0';
    if (!local || local->tm_wday < 0 || local->tm_wday > 6) return;
    std::snprintf(text, size, "%u年%u月%u日\n\r%s曜日", static_cast<unsigned>(local->tm_year + 1900),
                  static_cast<unsigned>(local->tm_mon + 1), static_cast<unsigned>(local->tm_mday),
                  WeekdayNames[local->tm_wday]);
}
