#include "display/zoom_scroll.h"

#include <gtest/gtest.h>

#include <vector>

using namespace talvex;

TEST(CursorIndex, ReadsThePointBeforeTheFirstOneNotEarlier) {
    const std::vector<double> x = {10, 11, 12, 13, 14, 15, 16};
    struct Case {
        double t;
        size_t expected;
    };
    const Case cases[] = {
        {15, 4},   // exactly on point 5: point 4
        {14.5, 4}, // between points 4 and 5
        {5, 0},    // before the first point
        {10, 0},   // on the first point
        {10.2, 0},
        {16, 5},   // on the last point
        {99, 5},   // after the last point: none is later, the last index, minus one
    };
    for (const Case& c : cases)
        EXPECT_EQ(cursor_index(x, c.t), c.expected) << "t = " << c.t;
    EXPECT_FALSE(cursor_index({}, 3).has_value());
    EXPECT_EQ(cursor_index(std::vector<double>{4}, 9), 0u);
}

TEST(CursorIndex, OtherCurvesReadTheirPointAtTheReferenceInstant) {
    // A strip holds every measure; an averaged curve one point per block of three.
    const std::vector<double> strip = {10, 11, 12, 13, 14, 15, 16};
    const std::vector<double> averaged = {12, 15};
    EXPECT_EQ(point_at_or_before(strip, 13), 3u);
    EXPECT_EQ(point_at_or_before(averaged, 13), 0u);
    EXPECT_EQ(point_at_or_before(averaged, 15), 1u);
    EXPECT_EQ(point_at_or_before(averaged, 99), 1u);
    EXPECT_EQ(point_at_or_before(averaged, 3), 0u);
    EXPECT_FALSE(point_at_or_before({}, 3).has_value());
}

namespace {
// A ten-day measurement starting on day 100.
const TimeBounds tenDays{100, 110, 100, 110};
} // namespace

TEST(Zoom, ClipsToTheMeasurementAndPlacesTheScrollBar) {
    struct Case {
        const char* name;
        double min, max;
        double begin, end;
        int position;
    };
    const Case cases[] = {
        {"starts before the first measure", 95, 101, 100, 101, 0},
        {"ends after the last measure", 109.5, 112, 109.5, 110, 5000},
        {"one day in the middle", 104.5, 105.5, 104.5, 105.5, 2500},
        {"the whole range", 90, 120, 100, 110, 0},
    };
    for (const Case& c : cases) {
        const auto z = zoom_view(c.min, c.max, tenDays);
        ASSERT_TRUE(z.has_value()) << c.name;
        EXPECT_DOUBLE_EQ(z->view.begin, c.begin) << c.name;
        EXPECT_DOUBLE_EQ(z->view.end, c.end) << c.name;
        EXPECT_EQ(z->scrollPosition, c.position) << c.name;
    }
}

TEST(Zoom, ScrollPositionRoundsHalvesToEven) {
    // (b - F) * 5000 / (L - F - W) = 0.5 and 1.5
    const TimeBounds bounds{0, 10001, 0, 10001};
    EXPECT_EQ(zoom_view(1, 2, bounds)->scrollPosition, 0);
    EXPECT_EQ(zoom_view(3, 4, bounds)->scrollPosition, 2);
}

TEST(Zoom, ARectangleOutsideTheDataChangesNothing) {
    EXPECT_FALSE(zoom_view(111, 115, tenDays).has_value());
    EXPECT_FALSE(zoom_view(90, 99, tenDays).has_value());
}

TEST(Scroll, PositionMovesAViewOfTheZoomedWidth) {
    struct Case {
        int position;
        double begin;
    };
    const Case cases[] = {{0, 100}, {2500, 104.5}, {5000, 109}, {200, 100.36}};
    for (const Case& c : cases) {
        const TimeView v = scroll_view(tenDays, 1, c.position);
        EXPECT_NEAR(v.begin, c.begin, 1e-12) << c.position;
        EXPECT_NEAR(v.end, c.begin + 1, 1e-12) << c.position;
    }
    // After a rebuild the width is the whole range: every position shows everything.
    const TimeView all = scroll_view(tenDays, 10, 3000);
    EXPECT_DOUBLE_EQ(all.begin, 100);
    EXPECT_DOUBLE_EQ(all.end, 110);
}
