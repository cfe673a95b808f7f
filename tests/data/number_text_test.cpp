#include "data/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <limits>

using namespace talvex;

TEST(NumberText, GeneralFormatWithFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {4, "4"},
        {-12, "-12"},
        {36 / 10.0, "3.6"},
        {40 / 10.0, "4"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3, "0.666666666666667"},
        {-2.5, "-2.5"},
        {1234.5, "1234.5"},
        {20.002283120155333, "20.0022831201553"},
        {1100.0295768119383, "1100.02957681194"},
        {0.00001, "0.00001"},
        {0.000123, "0.000123"},
        {0.0000015, "1.5E-6"},
        {-0.0000015, "-1.5E-6"},
        {999999999999999, "999999999999999"},
        {100000000000000.5, "100000000000000"},
        {999999999999999.9, "1E15"},
        {1e15, "1E15"},
        {123456789012345678.0, "1.23456789012346E17"},
        {1e300, "1E300"},
        {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(format_number(value), text) << value;
}

TEST(NumberText, RoundTripKeepsFifteenSignificantDigits) {
    const std::pair<double, double> cases[] = {
        {20.002283120155333, 20.0022831201553},
        {1.0 / 3, 0.333333333333333},
        {0.1 + 0.2, 0.3},
        {7.2, 7.2},
        {120, 120},
        {123456789012345678.0, 1.23456789012346e17},
        {999999999999999.9, 1e15},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(round_to_significant_digits(value), rounded) << value;
    EXPECT_FALSE(std::signbit(round_to_significant_digits(-0.0)));
    EXPECT_TRUE(std::isnan(round_to_significant_digits(std::nan(""))));
}

TEST(NumberText, RoundedValuesPrintAndReadBackUnchanged) {
    // Every calculated value is a fixed point of write-then-read.
    for (double v = -1000.123456789; v < 1000; v += 7.77777777777) {
        const double r = round_to_significant_digits(v);
        EXPECT_EQ(std::stod(format_number(r)), r);
        EXPECT_EQ(round_to_significant_digits(r), r);
    }
}

// The reference: the standard library's correctly rounded 15-digit text, read back.
static double reference_round_trip(double v) {
    char text[48];
    auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, 14).ptr;
    double back = 0;
    std::from_chars(text, end, back);
    return back;
}

TEST(NumberText, FastRoundingAgreesWithTheCorrectlyRoundedText) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> exponents(-40, 60);
    for (int i = 0; i < 300000; ++i) {
        // Random mantissas over a wide range of magnitudes, and values one ulp from a
        // 15-digit decimal (the hardest cases).
        double v = std::ldexp(static_cast<double>(bits(random) >> 11) / 9007199254740992.0 + 1,
                              exponents(random));
        if (i % 3 == 1)
            v = std::nextafter(reference_round_trip(v), 0.0);
        else if (i % 3 == 2)
            v = std::nextafter(reference_round_trip(v), 1e300);
        ASSERT_EQ(round_to_significant_digits(v), reference_round_trip(v)) << std::hexfloat << v;
        ASSERT_EQ(round_to_significant_digits(-v), -reference_round_trip(v)) << std::hexfloat << v;
        char text[48];
        auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, 14).ptr;
        std::string digits(text, end);
        const std::string formatted = format_number(v);
        ASSERT_EQ(std::stod(formatted), reference_round_trip(v)) << formatted << " " << digits;
    }
}
