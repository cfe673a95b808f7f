#include "display/zoom_scroll.h"

#include <algorithm>
#include <cmath>

namespace talvex {

std::optional<size_t> cursor_index(std::span<const double> x, double t) {
    if (x.empty())
        return std::nullopt;
    size_t i = static_cast<size_t>(std::lower_bound(x.begin(), x.end(), t) - x.begin());
    if (i == x.size())
        i = x.size() - 1;
    if (i > 0)
        --i;
    return i;
}

std::optional<size_t> point_at_or_before(std::span<const double> x, double instant) {
    if (x.empty())
        return std::nullopt;
    const auto after = std::upper_bound(x.begin(), x.end(), instant);
    return after == x.begin() ? 0 : static_cast<size_t>(after - x.begin()) - 1;
}

std::optional<ZoomResult> zoom_view(double axisMin, double axisMax, const TimeBounds& bounds) {
    const double b = std::max(axisMin, bounds.startAll);
    const double e = std::min(axisMax, bounds.endAll);
    if (!(b < e))
        return std::nullopt;
    ZoomResult result;
    result.view = {b, e};
    const double free = bounds.last - bounds.first - result.view.width();
    if (free > 0) {
        // Rounded as the scroll bar's position, half to even.
        const double position = std::nearbyint((b - bounds.first) * ScrollBarMax / free);
        result.scrollPosition = static_cast<int>(std::clamp(position, 0.0, double(ScrollBarMax)));
    }
    return result;
}

TimeView scroll_view(const TimeBounds& bounds, double width, int position) {
    const double b = bounds.first + (bounds.last - bounds.first - width) * position / ScrollBarMax;
    return {b, b + width};
}

} // namespace talvex
