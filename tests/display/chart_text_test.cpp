#include "display/chart_text.h"

#include "data/instant.h"

#include <gtest/gtest.h>

using namespace talvex;

TEST(Readout, RadonRoundsHalvesToEvenOthersShowTwoDecimals) {
    struct Case {
        double value;
        bool radon;
        const char* expected;
    };
    const Case cases[] = {
        {122.5, true, "122"},       {123.5, true, "124"},      {0.4, true, "0"},
        {-0.4, true, "0"},          {21.3749, false, "21.37"}, {21.375, false, "21.38"},
        {-3.125, false, "-3.13"},   {1013.2, false, "1013.20"}, {12345.678, false, "12345.70"},
        {999999.4, false, "999999.00"}, {0, false, "0.00"},    {-0.001, false, "0.00"},
        {1234567.8, false, "1.23457E+06"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format_readout(c.value, c.radon), c.expected) << c.value;
}

TEST(Readout, RadonCurvesAreTheLabelsStartingWithRadon) {
    EXPECT_TRUE(is_radon_label("Radon 2 (Bq/l)"));
    EXPECT_FALSE(is_radon_label("Température (°C)"));
    EXPECT_FALSE(is_radon_label("Rado"));
}

TEST(FixedFormat, ScaleDialogShowsTwoDecimalsWithTenSignificantDigits) {
    EXPECT_EQ(format_fixed(1234.5678, 10, 2), "1234.57");
    EXPECT_EQ(format_fixed(-12.5, 10, 2), "-12.50");
    EXPECT_EQ(format_fixed(12345678.987, 10, 2), "12345678.99");
    EXPECT_EQ(format_fixed(123456789.987, 10, 2), "123456790.00");
}

TEST(AxisLabels, AtMostThreeDecimalsWithoutTrailingZeros) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {{0, "0"},           {12.5, "12.5"},   {1013.25, "1013.25"},
                          {0.0004, "0"},      {0.0005, "0.001"}, {-2.1250, "-2.125"},
                          {65535, "65535"},   {1e-9, "0"},      {-0.0001, "0"}};
    for (const Case& c : cases)
        EXPECT_EQ(format_axis_value(c.value), c.expected) << c.value;
}

TEST(ChartDates, InstantsAndDateFieldsRoundTrip) {
    const double t = *parse_date_time("2/11/26", "7:05");
    EXPECT_EQ(format_chart_instant(t), "02/11/26 07:05");
    EXPECT_EQ(format_date_field(t), "02/11/26");
    EXPECT_EQ(parse_date_field("02/11/26"), *parse_date_time("2/11/26", "0:0"));
    EXPECT_EQ(parse_date_time_field("02/11/26 07:05"), t);
    EXPECT_FALSE(parse_date_field("32/11/26").has_value());
    EXPECT_FALSE(parse_date_field("__/__/__").has_value());
    EXPECT_FALSE(parse_date_time_field("02/11/26 25:00").has_value());
    EXPECT_FALSE(parse_date_time_field("02/11/26 __:__").has_value());
}

TEST(RealFields, DecimalPointOnly) {
    EXPECT_EQ(parse_real(" 12.5 "), 12.5);
    EXPECT_EQ(parse_real("-3"), -3);
    EXPECT_FALSE(parse_real("12,5").has_value());
    EXPECT_FALSE(parse_real("").has_value());
}
