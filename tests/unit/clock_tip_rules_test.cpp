#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <string>

#include "watch/clock_tip_rules.h"

namespace {

// The words of the Japanese string table.
const ClockTipWords kWords = {"%u年%u月%u日\n\r%s曜日", {"日", "月", "火", "水", "木", "金", "土"}};

std::tm Date(int year, int month, int day, int weekday)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    return t;
}

TEST(ClockTipRules, Text)
{
    struct Row {
        std::tm date;
        const char* expected;
    };
    const Row rows[] = {
        {Date(2012, 5, 29, 2), "2012年5月29日\n\r火曜日"},
        {Date(2012, 6, 3, 0), "2012年6月3日\n\r日曜日"},
        {Date(2012, 6, 2, 6), "2012年6月2日\n\r土曜日"},
        {Date(1999, 12, 31, 5), "1999年12月31日\n\r金曜日"},
        {Date(2012, 5, 28, 1), "2012年5月28日\n\r月曜日"},
        {Date(2012, 5, 30, 3), "2012年5月30日\n\r水曜日"},
        {Date(2012, 5, 31, 4), "2012年5月31日\n\r木曜日"},
    };
    for (const Row& r : rows) {
        char text[256];
        FormatClockTipText(&r.date, kWords, text, sizeof text);
        EXPECT_STREQ(text, r.expected);
    }
}

TEST(ClockTipRules, NothingToShowGivesAnEmptyText)
{
    char text[256];
    std::memset(text, 'x', sizeof text);
    FormatClockTipText(nullptr, kWords, text, sizeof text);
    EXPECT_STREQ(text, "");
    const std::tm broken = Date(2012, 5, 29, 7);
    std::memset(text, 'x', sizeof text);
    FormatClockTipText(&broken, kWords, text, sizeof text);
    EXPECT_STREQ(text, "");
    // A short buffer cuts the text and keeps it terminated.
    const std::tm date = Date(2012, 5, 29, 2);
    char small[5];
    FormatClockTipText(&date, kWords, small, sizeof small);
    EXPECT_STREQ(small, "2012");
}

}  // namespace
