#include "display/chart_layout.h"

#include <gtest/gtest.h>

using namespace talvex;

TEST(CurveLists, EntriesFollowTheSensorMask) {
    struct Case {
        int mask;
        std::vector<int> curves;
        std::vector<int> controls;
    };
    const std::vector<int> flags = {15, 16, 17, 18, 19, 20};
    const Case cases[] = {
        {0, {0}, flags},
        {7, {0, 1, 2, 3, 4, 5, 6}, flags},
        {4097, {0, 1, 2, 21}, flags},
        {1 | 2 | 4096, {0, 1, 2, 21, 3, 4, 22}, flags},
        {4 | 8 | 128, {0, 5, 6, 7, 11}, flags},
        {256 | 512, {0, 12, 13}, flags},
        {1024, {0}, {14, 15, 16, 17, 18, 19, 20}},
        {3327, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {14, 15, 16, 17, 18, 19, 20}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(curve_list_entries(c.mask), c.curves) << "mask " << c.mask;
        EXPECT_EQ(control_list_entries(c.mask), c.controls) << "mask " << c.mask;
    }
}

TEST(CurveLists, StoredPositionBeyondTheListSelectsTheFirstItem) {
    EXPECT_EQ(stored_list_position(7, 4), 0);
    EXPECT_EQ(stored_list_position(4, 4), 0);
    EXPECT_EQ(stored_list_position(3, 4), 3);
    EXPECT_EQ(stored_list_position(-1, 4), 0);
}

TEST(DisplayClamps, CumulAndSmoothingAreBoundByTheMeasureCount) {
    struct Case {
        int value;
        long measures;
        int cumul, lissage;
    };
    const Case cases[] = {
        {8, 10, 5, 8},  {12, 10, 5, 9}, {5, 10, 5, 5}, {9, 10, 5, 9},
        {10, 10, 5, 9}, {1, 1, 0, 0},   {3, 0, 0, 0},  {0, 100, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clamp_cumul(c.value, c.measures), c.cumul) << c.value << " of " << c.measures;
        EXPECT_EQ(clamp_lissage(c.value, c.measures), c.lissage) << c.value << " of " << c.measures;
    }
}

TEST(DisplayInterval, RunsFromMidnightOfTheFirstDayToMidnightAfterTheLast) {
    const DayInterval i = display_interval(46000, 46009);
    EXPECT_EQ(i.from, 46000);
    EXPECT_EQ(i.to, 46010);
}

TEST(ChartWindowLayout, HeightsAndTopsOfTheShownWindows) {
    struct Case {
        const char* name;
        std::array<bool, 4> shown;
        std::array<int, 3> tops;
        int height;
    };
    const Case cases[] = {
        {"windows 1 and 3", {true, false, true, false}, {0, 0, 259}, 259},
        {"all four", {true, true, true, true}, {0, 157, 312}, 156},
        {"window 2 alone", {false, true, false, false}, {0, 0, 0}, 519},
        {"window 3 alone with window 4", {false, false, true, true}, {0, 0, 0}, 468},
        {"windows 2 and 3", {false, true, true, false}, {0, 0, 259}, 259},
        {"windows 1 and 2", {true, true, false, false}, {0, 260, 0}, 259},
    };
    for (const Case& c : cases) {
        const ChartAreaLayout layout = layout_chart_windows(c.shown, 519, 51, 786);
        EXPECT_TRUE(layout.readoutShown) << c.name;
        EXPECT_EQ(layout.window4, c.shown[3]) << c.name;
        for (int w = 0; w < 3; ++w) {
            EXPECT_EQ(layout.windows[w].visible, c.shown[w]) << c.name << " window " << w + 1;
            if (c.shown[w]) {
                EXPECT_EQ(layout.windows[w].top, c.tops[w]) << c.name << " window " << w + 1;
                EXPECT_EQ(layout.windows[w].height, c.height) << c.name << " window " << w + 1;
            }
        }
    }
}

TEST(ChartWindowLayout, WithoutWindowOneToThreeTheReadoutIsHidden) {
    const ChartAreaLayout layout = layout_chart_windows({false, false, false, true}, 519, 51, 786);
    EXPECT_FALSE(layout.readoutShown);
    EXPECT_TRUE(layout.window4);
    for (const auto& w : layout.windows)
        EXPECT_FALSE(w.visible);
}

TEST(Colours, SettingsStoreBlueGreenRed) {
    EXPECT_EQ(rgb_from_colorref(255), (Rgb{255, 0, 0}));
    EXPECT_EQ(rgb_from_colorref(16711680), (Rgb{0, 0, 255}));
    EXPECT_EQ(colorref_from_rgb({0x12, 0x34, 0x56}), 0x563412);
}
