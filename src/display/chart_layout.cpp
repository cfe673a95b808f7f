#include "display/chart_layout.h"

#include <algorithm>

namespace talvex {

namespace {

bool has(int mask, int bit) { return (mask >> bit) & 1; }

// Measure-name entries (see MeasureNames): the counts and Bq/m3 names of channel k are
// 2k - 1 and 2k, its Bq/l name 20 + k; the sensors of bits 3 to 9 are entries 7 to 13.
constexpr int NoneEntry = 0;
constexpr int ShocksEntry = 14;
constexpr int FirstFlagEntry = 15, LastFlagEntry = 20;
constexpr int BqPerLitreBit = 12, ShocksBit = 10;

} // namespace

std::vector<int> curve_list_entries(int sensorMask) {
    std::vector<int> entries{NoneEntry};
    for (int k = 1; k <= 3; ++k) {
        if (!has(sensorMask, k - 1))
            continue;
        entries.push_back(2 * k - 1);
        entries.push_back(2 * k);
        if (has(sensorMask, BqPerLitreBit))
            entries.push_back(20 + k);
    }
    for (int bit = 3; bit <= 9; ++bit)
        if (has(sensorMask, bit))
            entries.push_back(bit + 4);
    return entries;
}

std::vector<int> control_list_entries(int sensorMask) {
    std::vector<int> entries;
    if (has(sensorMask, ShocksBit))
        entries.push_back(ShocksEntry);
    for (int e = FirstFlagEntry; e <= LastFlagEntry; ++e)
        entries.push_back(e);
    return entries;
}

int stored_list_position(long stored, int itemCount) {
    return stored >= 0 && stored < itemCount ? static_cast<int>(stored) : 0;
}

int clamp_cumul(int cumul, long measureCount) {
    if (measureCount < 2L * cumul)
        return static_cast<int>(measureCount / 2);
    return cumul;
}

int clamp_lissage(int width, long measureCount) {
    if (width >= measureCount)
        return static_cast<int>(std::max(measureCount - 1, 0L));
    return width;
}

DayInterval display_interval(double firstDay, double lastDay) {
    return {firstDay, lastDay + 1};
}

ChartAreaLayout layout_chart_windows(const std::array<bool, 4>& shown, int scrollBarTop,
                                     int window4Height, int width) {
    ChartAreaLayout layout;
    layout.width = width;
    layout.window4 = shown[3];
    int h = scrollBarTop;
    if (shown[3])
        h -= window4Height;
    const int k = static_cast<int>(std::count(shown.begin(), shown.begin() + 3, true));
    layout.readoutShown = k > 0;
    if (k > 0)
        h /= k;
    auto& [w1, w2, w3] = layout.windows;
    w1 = {shown[0], 0, h};
    w2 = {shown[1], shown[0] ? h + 1 : 0, h};
    w3 = {shown[2], shown[0] && shown[1] ? 2 * h : (!shown[0] && !shown[1] ? 0 : h), h};
    return layout;
}

Rgb rgb_from_colorref(long colorref) {
    return {static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
            static_cast<int>((colorref >> 16) & 0xFF)};
}

long colorref_from_rgb(const Rgb& rgb) {
    return (static_cast<long>(rgb.blue) << 16) | (static_cast<long>(rgb.green) << 8) | rgb.red;
}

} // namespace talvex
