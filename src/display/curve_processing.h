// What the chart windows do to a calculated series before drawing it: the lookup of a series
// from a measure name, the GSM spike filter, the block means over consecutive acquisitions
// ("cumul"), the moving-average smoothing ("lissage") and the plain copy, each keeping only
// the points of the displayed interval. The curve colour is the chart's business.
#pragma once

#include "data/measurement.h"

#include <span>
#include <string>
#include <vector>

namespace talvex {

// A curve being built for a chart: instants and values.
struct Curve {
    std::vector<double> x, y;

    void clear() {
        x.clear();
        y.clear();
    }
    size_t size() const { return x.size(); }
    void append(double instant, double value) {
        x.push_back(instant);
        y.push_back(value);
    }
};

// Read-only points of a series: a calculated series of a measurement or a curve.
struct SeriesView {
    std::span<const double> x, y;
    size_t size() const { return x.size(); }
};

inline SeriesView view(const Curve& curve) { return {curve.x, curve.y}; }
// Calculated series `number` (1 to 18, the numbers the display uses) of a measurement.
SeriesView calculated_series(const Measurement& measurement, int number);

// The displayed interval [from, to], both ends included.
struct DisplayInterval {
    double from = 0, to = 0;
    bool contains(double instant) const { return from <= instant && instant <= to; }
};

// The calculated series a measure name shows: number 1 to 18, 0 for none; a "(Bq/l)" name
// shows the Bq/m3 series of its channel with a divisor of 1000 for the smoothing.
struct SeriesChoice {
    int number = 0;
    double BqPerLitreDivisor = 1;
};
SeriesChoice Numero_Serie(const std::string& name, const MeasureNameTable& names);

// Appends the points of `source` inside the interval; a point higher than `factor` times
// both neighbours (an isolated spike of a GSM transfer) is replaced by their mean. The first
// and last points of the source are never changed.
void Filtre_GSM(SeriesView source, Curve& target, const DisplayInterval& interval, double factor);

// Appends one point per complete block of n consecutive points whose first point is inside
// the interval: the instant of the block's last point and the mean of the block. Points after
// the last complete block are dropped; an n below 1 counts as 1.
void Cumul_Serie(SeriesView source, Curve& target, int n, const DisplayInterval& interval);

// Appends, for each point inside the interval, the mean of the `width` points around it
// (half before, the rest after), divided by `bqPerLitreDivisor`. Points too near either end
// for a whole window keep their value (divided). A width below 1 counts as 1.
void Lissage_Serie(SeriesView source, Curve& target, int width, const DisplayInterval& interval,
                   double bqPerLitreDivisor = 1);

// Appends the points of `source` inside the interval unchanged.
void Copie_Serie(SeriesView source, Curve& target, const DisplayInterval& interval);

} // namespace talvex
