// The time arithmetic of the chart interaction: which point a cursor reads, the view a zoom
// rectangle gives (clipped to the data) with the matching scroll-bar position, and the view
// a scroll-bar position shows. Instants are days (see instant.h).
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace talvex {

// The scroll bar runs from 0 (view starting at the first instant) to this position (view
// ending at the last one).
constexpr int ScrollBarMax = 5000;

// The point a cursor at instant `t` reads on a curve with instants `x` (sorted): the point
// before the first one not earlier than t (point 0 before the first point; the last but one
// after the last). Nothing for an empty curve.
std::optional<size_t> cursor_index(std::span<const double> x, double t);

// The point of a curve that the read-out shows for an instant: the last one not later than
// it (point 0 when all are later). Nothing for an empty curve.
std::optional<size_t> point_at_or_before(std::span<const double> x, double instant);

struct TimeView {
    double begin = 0, end = 0;
    double width() const { return end - begin; }
};

// Where the data lie for zoom and scroll: first and last instant of the reference series
// and the bounds of the measurement that no view may exceed.
struct TimeBounds {
    double first = 0, last = 0;
    double startAll = 0, endAll = 0;
};

struct ZoomResult {
    TimeView view;
    int scrollPosition = 0;
};
// The view after a zoom rectangle over [axisMin, axisMax], clipped to the measurement, and
// the scroll position that shows it. Nothing when the rectangle lies outside the data.
std::optional<ZoomResult> zoom_view(double axisMin, double axisMax, const TimeBounds& bounds);

// The view of width `width` that scroll position `position` shows.
TimeView scroll_view(const TimeBounds& bounds, double width, int position);

} // namespace talvex
