#include "display/curve_processing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

using namespace talvex;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// Points at instants 0, 1, 2, ... with the given values.
Curve points(std::vector<double> values) {
    Curve c;
    for (size_t i = 0; i < values.size(); ++i)
        c.append(static_cast<double>(i), values[i]);
    return c;
}

const DisplayInterval Everything{-1e9, 1e9};

} // namespace

TEST(Lissage_Serie, WidthThreeOverFivePoints) {
    Curve out;
    Lissage_Serie(view(points({1, 2, 9, 2, 1})), out, 3, Everything);
    EXPECT_THAT(out.y, ElementsAre(1, 4, 13.0 / 3, 4, 1));
    EXPECT_THAT(out.x, ElementsAre(0, 1, 2, 3, 4));
}

TEST(Lissage_Serie, EvenWidthTakesOneMorePointBefore) {
    Curve out;
    Lissage_Serie(view(points({8, 4, 12, 16, 20, 24, 28, 100})), out, 4, Everything);
    // Points 0, 1 and 7 keep their values; point 2 averages points 0 to 3.
    EXPECT_THAT(out.y, ElementsAre(8, 4, (8 + 4 + 12 + 16) / 4.0, (4 + 12 + 16 + 20) / 4.0,
                                   (12 + 16 + 20 + 24) / 4.0, (16 + 20 + 24 + 28) / 4.0,
                                   (20 + 24 + 28 + 100) / 4.0, 100));
}

TEST(Lissage_Serie, WidthsZeroAndOneOnlyApplyTheDivisor) {
    for (int width : {0, 1, -3}) {
        Curve out;
        Lissage_Serie(view(points({1500, 250, 7})), out, width, Everything, 1000);
        EXPECT_THAT(out.y, ElementsAre(1.5, 0.25, 0.007)) << width;
    }
}

TEST(Lissage_Serie, WidthWiderThanTheSeriesKeepsEveryValue) {
    Curve out;
    Lissage_Serie(view(points({3, 5, 7})), out, 12, Everything);
    EXPECT_THAT(out.y, ElementsAre(3, 5, 7));
}

TEST(Lissage_Serie, WindowsReachOutsideTheIntervalButOnlyItsPointsAreAppended) {
    Curve out;
    Lissage_Serie(view(points({1, 2, 9, 2, 1})), out, 3, DisplayInterval{1, 3}, 1);
    EXPECT_THAT(out.x, ElementsAre(1, 2, 3));
    EXPECT_THAT(out.y, ElementsAre(4, 13.0 / 3, 4));
}

TEST(Cumul_Serie, BlocksOfThreeOverEightPoints) {
    Curve out;
    Cumul_Serie(view(points({1, 2, 3, 10, 20, 60, 7, 8})), out, 3, Everything);
    EXPECT_THAT(out.x, ElementsAre(2, 5));
    EXPECT_THAT(out.y, ElementsAre(2, 30));
}

TEST(Cumul_Serie, BlockKeptWhenItsFirstPointIsInside) {
    Curve out;
    // Blocks start at 0, 2, 4; only the one starting at 2 is inside [1.5, 3].
    Cumul_Serie(view(points({1, 3, 5, 7, 9, 11})), out, 2, DisplayInterval{1.5, 3});
    EXPECT_THAT(out.x, ElementsAre(3));
    EXPECT_THAT(out.y, ElementsAre(6));
}

TEST(Cumul_Serie, OneOrLessCopiesThePointsInside) {
    for (int n : {1, 0, -2}) {
        Curve out;
        Cumul_Serie(view(points({4, 5, 6})), out, n, DisplayInterval{1, 2});
        EXPECT_THAT(out.x, ElementsAre(1, 2)) << n;
        EXPECT_THAT(out.y, ElementsAre(5, 6)) << n;
    }
}

TEST(Cumul_Serie, FewerPointsThanOneBlockGiveNothing) {
    Curve out;
    Cumul_Serie(view(points({4, 5})), out, 3, Everything);
    EXPECT_EQ(out.size(), 0u);
}

struct FilterCase {
    std::vector<double> values;
    double factor;
    std::vector<double> expected;
};

class Filtre_GSM_Cases : public ::testing::TestWithParam<FilterCase> {};

TEST_P(Filtre_GSM_Cases, RemovesIsolatedSpikesOnly) {
    Curve out;
    Filtre_GSM(view(points(GetParam().values)), out, Everything, GetParam().factor);
    EXPECT_THAT(out.y, ElementsAreArray(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Spikes, Filtre_GSM_Cases,
    ::testing::Values(FilterCase{{10, 30, 10}, 2.5, {10, 10, 10}},
                      FilterCase{{10, 30, 20}, 2.5, {10, 30, 20}},
                      // Two spikes one point apart are both removed.
                      FilterCase{{10, 30, 11, 40, 10}, 2.5, {10, 10.5, 11, 10.5, 10}},
                      // Not higher than F times a neighbour: kept.
                      FilterCase{{10, 30, 12}, 2.5, {10, 30, 12}},
                      // The edges are never changed.
                      FilterCase{{100, 1, 100}, 2.5, {100, 1, 100}},
                      FilterCase{{1, 3, 1}, 3, {1, 3, 1}},
                      FilterCase{{5}, 2.5, {5}}, FilterCase{{}, 2.5, {}}));

TEST(Filtre_GSM, NeighboursOutsideTheIntervalStillCount) {
    Curve out;
    Filtre_GSM(view(points({10, 30, 10, 50, 10})), out, DisplayInterval{1, 1}, 2.5);
    EXPECT_THAT(out.x, ElementsAre(1));
    EXPECT_THAT(out.y, ElementsAre(10));
}

TEST(Copie_Serie, KeepsThePointsOfTheIntervalEndsIncluded) {
    Curve out;
    out.append(-5, -5); // appends after what the target holds
    Copie_Serie(view(points({0, 1, 0, 1, 1})), out, DisplayInterval{1, 3});
    EXPECT_THAT(out.x, ElementsAre(-5, 1, 2, 3));
    EXPECT_THAT(out.y, ElementsAre(-5, 1, 0, 1));
}

TEST(Numero_Serie, NamesGiveSeriesNumbersAndDivisor) {
    const MeasureNameTable& names = french_measure_names();
    const std::tuple<std::string, int, double> cases[] = {
        {"<Aucune>", 0, 1},
        {"Radon 1 (Cps/h)", 1, 1},
        {"Radon 1 (Bq/m³)", 2, 1},
        {"Radon 3 (Bq/m³)", 6, 1},
        {"Température (°C)", 7, 1},
        {"Tension pile (V)", 11, 1},
        {"Chocs", 12, 1},
        {"Bat.", 13, 1},
        {"Cnx.", 18, 1},
        {"Radon 1 (Bq/l)", 2, 1000},
        {"Radon 2 (Bq/l)", 4, 1000},
        {"Radon 3 (Bq/l)", 6, 1000},
        {"inconnue", 0, 1},
        // The two empty placeholder names show no series.
        {"", 0, 1},
    };
    for (const auto& [name, number, divisor] : cases) {
        const SeriesChoice choice = Numero_Serie(name, names);
        EXPECT_EQ(choice.number, number) << name;
        EXPECT_EQ(choice.BqPerLitreDivisor, divisor) << name;
    }
}

TEST(Numero_Serie, LastEqualNameDecides) {
    MeasureNameTable names = french_measure_names();
    names[21] = "Radon";
    names[1] = "Radon";
    EXPECT_EQ(Numero_Serie("Radon", names).number, 2);
    EXPECT_EQ(Numero_Serie("Radon", names).BqPerLitreDivisor, 1000);
}

TEST(CurveProcessing, ChartChainOverACalculatedSeries) {
    // What a chart does for a "(Bq/l)" radon curve: filter, block means, smoothing.
    Measurement m;
    m.instants = {0, 1, 2, 3, 4, 5};
    m.calculated[Calc_Series_Radon2Bq] = {1000, 9000, 1000, 3000, 5000, 7000};
    const SeriesChoice choice = Numero_Serie("Radon 2 (Bq/l)", french_measure_names());
    Curve filtered, blocks, shown;
    Filtre_GSM(calculated_series(m, choice.number), filtered, Everything, 2.5);
    Cumul_Serie(view(filtered), blocks, 2, Everything);
    Lissage_Serie(view(blocks), shown, 1, Everything, choice.BqPerLitreDivisor);
    EXPECT_THAT(shown.x, ElementsAre(1, 3, 5));
    EXPECT_THAT(shown.y, ElementsAre(1, 2, 6));
    EXPECT_THROW(calculated_series(m, 19), std::out_of_range);
}
