#include "display/display_curves.h"

#include <gtest/gtest.h>

using namespace talvex;

namespace {

// Ten hourly measures from day 46000 with every calculated series at `base` + series
// number, apart from the values given.
Measurement ten_measures() {
    Measurement m;
    m.header.set(45, "#MEAS", "10");
    for (int i = 0; i < 10; ++i)
        m.instants.push_back(46000 + i / 24.0);
    for (int s = 0; s < CalculatedSeriesCount; ++s)
        m.calculated[s].assign(10, 10.0 * (s + 1));
    m.StartAll = m.instants.front();
    m.EndAll = m.instants.back();
    return m;
}

DisplayRequest request_for(const std::string& name, int lissage = 0) {
    DisplayRequest r;
    r.shown = {true, false, false, false};
    r.curves[0][0] = {name, lissage};
    r.cumul = 1;
    r.interval = {46000, 46001};
    return r;
}

const MeasureNameTable& names() { return french_measure_names(); }

} // namespace

TEST(DisplayCharts, CumulAndSmoothingAreClampedToTheMeasureCount) {
    DisplayRequest r = request_for("Radon 1 (Cps/h)", 12);
    r.cumul = 8;
    r.curves[2][1].lissage = 3;
    const DisplayCurves d = Display_Charts(ten_measures(), names(), r);
    EXPECT_EQ(d.cumul, 5);
    EXPECT_EQ(d.lissage[0][0], 9);
    EXPECT_EQ(d.lissage[2][1], 3);
    EXPECT_EQ(d.curves[0][0].size(), 2u); // two blocks of five
}

TEST(DisplayCharts, GsmFilterActsOnRadonSeriesOnly) {
    Measurement m = ten_measures();
    m.calculated[Calc_Series_Temperature][4] = 1000;
    m.calculated[Calc_Series_Radon1Bq][4] = 1000;
    for (const char* name : {"Température (°C)", "Radon 1 (Bq/m³)"}) {
        DisplayRequest r = request_for(name);
        r.gsmFilter = true;
        const DisplayCurves filtered = Display_Charts(m, names(), r);
        r.gsmFilter = false;
        const DisplayCurves plain = Display_Charts(m, names(), r);
        ASSERT_EQ(filtered.curves[0][0].size(), 10u) << name;
        EXPECT_EQ(plain.curves[0][0].y[4], 1000) << name;
        const bool radon = std::string(name).starts_with("Radon");
        EXPECT_EQ(filtered.curves[0][0].y[4], radon ? 20.0 : 1000.0) << name;
    }
}

TEST(DisplayCharts, BqPerLitreCurveShowsTheChannelsBqPerCubicMetreDividedBy1000) {
    Measurement m = ten_measures();
    m.calculated[Calc_Series_Radon2Bq].assign(10, 2500);
    const DisplayCurves d = Display_Charts(m, names(), request_for("Radon 2 (Bq/l)", 0));
    ASSERT_EQ(d.curves[0][0].size(), 10u);
    for (double y : d.curves[0][0].y)
        EXPECT_DOUBLE_EQ(y, 2.5);
}

TEST(DisplayCharts, HiddenWindowsAndNoneDrawNothingStripsCopyTheInterval) {
    DisplayRequest r = request_for("<Aucune>");
    r.curves[1][0] = {"Radon 1 (Cps/h)", 0}; // window 2 is not shown
    r.shown[3] = true;
    r.controls = {"Pompe", "Cnx."};
    r.interval = {46000 + 2 / 24.0, 46000 + 5 / 24.0};
    const DisplayCurves d = Display_Charts(ten_measures(), names(), r);
    EXPECT_EQ(d.curves[0][0].size(), 0u);
    EXPECT_EQ(d.curves[1][0].size(), 0u);
    ASSERT_EQ(d.strips[0].size(), 4u);
    EXPECT_DOUBLE_EQ(d.strips[0].y[0], 10.0 * (Calc_Series_Pompe + 1));
    EXPECT_DOUBLE_EQ(d.strips[1].y[3], 10.0 * (Calc_Series_Connecte + 1));
    EXPECT_DOUBLE_EQ(d.first, 46000);
    EXPECT_DOUBLE_EQ(d.last, 46000 + 9 / 24.0);
}
