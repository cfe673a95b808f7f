// The arithmetic behind the chart windows: which measure names the display options offer for
// a probe type, the clamps of the averaging and smoothing fields, the displayed interval,
// and how the main window's chart area is shared among the windows that are shown.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace talvex {

// Windows 1 to 3 draw up to two curves each; window 4 the two status strips.
constexpr int CurveWindowCount = 3;
constexpr int CurvesPerWindow = 2;
constexpr int StripCount = 2;

// What the display options decided, shared by the main window and the dialogs.
struct DisplayState {
    std::array<bool, 4> WindowShown{}; // windows 1 to 4
    double DisplayFrom = 0, DisplayTo = 0;
    // The selection dates of the display options, remembered between showings.
    double StartSelection = 0, EndSelection = 0;
};

// Positions in the measure-name table offered by each of the six curve lists for a sensor
// mask: "<Aucune>", then per present radon channel its counts, Bq/m3 and (bit 12) Bq/l
// names, then the present sensors of bits 3 to 9.
std::vector<int> curve_list_entries(int sensorMask);
// The same for the two status lists: "Chocs" when bit 10 is set, then the six flags.
std::vector<int> control_list_entries(int sensorMask);
// The list position to select for a stored one: positions beyond the list select 0.
int stored_list_position(long stored, int itemCount);

// The averaging count and the smoothing widths for N measures: the block count may not
// exceed N div 2, a width may not reach N (a width of N - 1 at most, and never below 0).
int clamp_cumul(int cumul, long measureCount);
int clamp_lissage(int width, long measureCount);

// The interval a curve build covers: from 00:00 of the first day to 00:00 after the last.
struct DayInterval {
    double from = 0, to = 0;
};
DayInterval display_interval(double firstDay, double lastDay);

// Place of one chart window in the chart area (pixels, from the area's top).
struct WindowPlacement {
    bool visible = false;
    int top = 0;
    int height = 0;
};
struct ChartAreaLayout {
    std::array<WindowPlacement, CurveWindowCount> windows;
    int width = 0;
    bool window4 = false;
    // The instant read-out and the print command exist only with a window 1 to 3.
    bool readoutShown = false;
};
// `scrollBarTop` is the height available above the scroll bar; window 4, when shown, sits
// just above it with `window4Height`.
ChartAreaLayout layout_chart_windows(const std::array<bool, 4>& shown, int scrollBarTop,
                                     int window4Height, int width);

// Colours as the settings file stores them: 0x00BBGGRR in decimal.
struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};
Rgb rgb_from_colorref(long colorref);
long colorref_from_rgb(const Rgb& rgb);

} // namespace talvex
