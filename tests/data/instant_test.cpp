#include "data/instant.h"
#include "data/conversion_error.h"
#include "data/probe_header.h"

#include <gtest/gtest.h>

using namespace talvex;

TEST(Instant, KnownDaySerials) {
    EXPECT_EQ(days_from_civil(1899, 12, 30), 0);
    EXPECT_EQ(days_from_civil(1900, 1, 1), 2);
    EXPECT_EQ(days_from_civil(2019, 3, 5), 43529);
    EXPECT_DOUBLE_EQ(*parse_date_time("5/3/19", "14:5"), 43529 + (14 * 60 + 5) / 1440.0);
}

TEST(Instant, ParsesProbeAndWindowForms) {
    struct Case {
        const char* date;
        const char* time;
        bool ok;
    } cases[] = {
        {"5/3/19", "14:5", true},    {"05/03/2019", "14:05:30", true}, {"31/2/19", "1:0", false},
        {"29/2/24", "0:0", true},    {"29/2/23", "0:0", false},        {"1/13/19", "0:0", false},
        {"1/1/19", "24:0", false},   {"", "", false},                  {"1/1/190", "0:0", false},
        {"1/1/19", "1:60", false},   {"1-1-19", "0:0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse_date_time(c.date, c.time).has_value(), c.ok) << c.date << " " << c.time;
}

TEST(Instant, FormatsRoundToTheSecond) {
    const double t = *parse_date_time("5/3/19", "14:5");
    EXPECT_EQ(format_date_time(t), "05/03/2019 14:05:00");
    EXPECT_EQ(format_date_time(t + 1.0 / 1440 * 59), "05/03/2019 15:04:00");
    EXPECT_EQ(format_date(t), "05/03/2019");
    EXPECT_DOUBLE_EQ(*parse_date_time("05/03/2019 14:05:00"), t);
}

TEST(NextMaint, AddsTheIntervalToTheYear) {
    EXPECT_EQ(next_maint("6/25", "1"), "06/2026");
    EXPECT_EQ(next_maint("12/2024", "2"), "12/2026");
    EXPECT_THROW(next_maint("13/25", "1"), ConversionError);
    EXPECT_THROW(next_maint("6/25", ""), ConversionError);
}
