#include "watch/clock_tip_rules.h"

#include <cstdio>

#include "core/texts.h"

void FormatClockTipText(const std::tm* local, char* text, size_t size)
{
    if (size == 0) return;
    text[0] = '\0';
    if (!local || local->tm_wday < 0 || local->tm_wday > 6) return;
    std::snprintf(text, size, kClockTipFormat, static_cast<unsigned>(local->tm_year + 1900),
                  static_cast<unsigned>(local->tm_mon + 1), static_cast<unsigned>(local->tm_mday),
                  kWeekdayNames[local->tm_wday]);
}
